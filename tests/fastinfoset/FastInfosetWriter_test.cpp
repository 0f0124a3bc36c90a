#include "vxxml/FastInfosetWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <typeinfo>

#include "vxxml/Encoder.h"
#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;

namespace {

typedef CFastInfosetContext::EncodedCharacterString Encoding;

std::string Hex(const unsigned char* p, size_t n) {
  std::string s;
  char b[4];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(b, sizeof b, i ? " %02X" : "%02X", p[i]);
    s += b;
  }
  return s;
}

std::string Hex(const CBinaryData& d) { return Hex(d.GetData(), d.GetLength()); }

std::string Hex(const std::string& s) {
  return Hex(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}

typedef std::function<void(CFastInfosetWriter&)> Body;

// The whole document for `body`, in hex.
std::string Document(const CFastInfosetContext& context, const Body& body,
                     FInfoDecl decl = FInfoDecl_None) {
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.Open();
  writer.WriteStartDocument(decl);
  body(writer);
  writer.WriteEndDocument();
  writer.Close();
  return Hex(stream.GetBinaryStream());
}

std::string Document(const Body& body) { return Document(CFastInfosetContext(), body); }

// The octets one call appends, in hex.
std::string Octets(const CFastInfosetContext& context, const Body& body) {
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  body(writer);
  return Hex(stream.GetBinaryStream());
}

std::string Octets(const Body& body) { return Octets(CFastInfosetContext(), body); }

// The exception class and full message of a failing body.
std::string Failure(const CFastInfosetContext& context, const Body& body) {
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  try {
    writer.Open();
    writer.WriteStartDocument(FInfoDecl_None);
    body(writer);
    writer.WriteEndDocument();
    writer.Close();
  } catch (const CVxException& e) {
    std::string name = typeid(e) == typeid(CVxException) ? "CVxException"
                       : typeid(e) == typeid(CVxInvalidStateException)
                           ? "CVxInvalidStateException"
                       : typeid(e) == typeid(CVxInvalidValueException) ? "CVxInvalidValueException"
                                                                         : "other";
    return name + ": " + e.GetFullMessage();
  }
  return "no exception";
}

std::string Failure(const Body& body) { return Failure(CFastInfosetContext(), body); }

const char kHeader[] = "E0 00 00 01 00";

}  // namespace

TEST(FastInfosetWriter, RepeatedNamesAndValuesAreIndexed) {
  // The second "b" is one octet holding index 2; terminators pair up.
  EXPECT_EQ(Document([](CFastInfosetWriter& w) {
              w.WriteStartElement("a", "");
              for (int i = 0; i < 2; ++i) {
                w.WriteStartElement("b", "");
                w.WriteEndElement();
              }
              w.WriteEndElement();
            }),
            std::string(kHeader) + " 38 F0 3C 00 61 3C 00 62 F0 01 FF F0");
  // "ab" enters the attribute-values table (0x40), then is index 1 (0x80);
  // the attribute name is index 1 the second time (0x00).
  EXPECT_EQ(Document([](CFastInfosetWriter& w) {
              w.WriteStartElement("a", "");
              w.WriteAttributeString("x", "", "ab", ItemType_string);
              w.WriteStartElement("b", "");
              w.WriteAttributeString("x", "", "ab", ItemType_string);
              w.WriteEndElement();
              w.WriteEndElement();
            }),
            std::string(kHeader) + " 78 F0 3C 00 61 78 00 78 41 61 62 F0 7C 00 62 00 80 F0 FF F0");
  // Short chunks enter the table (0x90) and come back as indices (0xA0);
  // chunks of the maximum length or more are always literal (0x80).
  EXPECT_EQ(Document([](CFastInfosetWriter& w) {
              w.WriteStartElement("a", "");
              for (int i = 0; i < 2; ++i) {
                w.WriteStartElement("b", "");
                w.WriteString("hi", ItemType_string);
                w.WriteEndElement();
                w.WriteStartElement("b", "");
                w.WriteString("abcdef", ItemType_string);
                w.WriteEndElement();
              }
              w.WriteEndElement();
            }),
            std::string(kHeader) +
                " 38 F0 3C 00 61 3C 00 62 91 68 69 F0 01 82 03 61 62 63 64 65 66 F0"
                " 01 A0 F0 01 82 03 61 62 63 64 65 66 FF F0");
}

TEST(FastInfosetWriter, MaximumAddLengthsComeFromTheContext) {
  CFastInfosetContext context;
  context.SetAttributeMaxAddLength(2);  // only values of one byte are indexed
  context.SetElementMaxAddLength(0);    // no chunk is indexed
  EXPECT_EQ(Document(context,
                     [](CFastInfosetWriter& w) {
                       w.WriteStartElement("a", "");
                       w.WriteAttributeString("x", "", "ab", ItemType_string);
                       w.WriteAttributeString("y", "", "ab", ItemType_string);
                       w.WriteAttributeString("z", "", "", ItemType_string);
                       w.WriteString("t", ItemType_string);
                       w.WriteString("t", ItemType_string);
                       w.WriteEndElement();
                     }),
            std::string(kHeader) +
                " 78 F0 3C 00 61 78 00 78 01 61 62 78 00 79 01 61 62 78 00 7A FF F0 80 74 80 74 FF");
}

TEST(FastInfosetWriter, TypedValues) {
  CFastInfosetContext context;
  context.SetSuggestedValues();
  // A new boolean value: literal with the add bit and the algorithm
  // discriminant, algorithm index - 1 = 5 over two octets, length 1, 0x38.
  EXPECT_EQ(Document(context,
                     [](CFastInfosetWriter& w) {
                       w.WriteStartElement("a", "");
                       w.WriteAttributeString("b", "", "true", ItemType_boolean);
                       w.WriteEndElement();
                     }),
            std::string(kHeader) + " 78 F0 3C 00 61 78 00 62 70 50 38 F0 FF");
  // A chunk under the int algorithm: 0x9C, then index 3 in the upper six
  // bits, the length 4 from bit 7 (0x0E 0x01) and four octets.
  EXPECT_EQ(Document(context,
                     [](CFastInfosetWriter& w) {
                       w.WriteStartElement("a", "");
                       w.WriteString("12", ItemType_i4);
                       w.WriteEndElement();
                     }),
            std::string(kHeader) + " 38 F0 3C 00 61 9C 0E 01 00 00 00 0C FF");
  // A date under the date-and-time alphabet: five packed octets.
  EXPECT_EQ(Document(context,
                     [](CFastInfosetWriter& w) {
                       w.WriteStartElement("a", "");
                       w.WriteAttributeString("d", "", "2005-01-01", ItemType_date);
                       w.WriteString("2005-01-01", ItemType_date);
                       w.WriteEndElement();
                     }),
            std::string(kHeader) +
                " 78 F0 3C 00 61 78 00 64 20 14 20 05 A0 1A 01 F0 88 06 02 20 05 A0 1A 01 FF");
  // The cdata algorithm carries character chunks; attribute values stay strings.
  CFastInfosetContext cdata;
  cdata.SetEncoding(ItemType_string, Encoding{Encoding::Kind_EncodingAlgorithm, 10});
  EXPECT_EQ(Document(cdata,
                     [](CFastInfosetWriter& w) {
                       w.WriteStartElement("a", "");
                       w.WriteAttributeString("b", "", "ab", ItemType_string);
                       w.WriteString("ab", ItemType_string);
                       w.WriteEndElement();
                     }),
            std::string(kHeader) + " 78 F0 3C 00 61 78 00 62 41 61 62 F0 9C 25 61 62 FF");
  // An encoding that yields no octets falls back to the text.
  EXPECT_EQ(Octets(context,
                   [](CFastInfosetWriter& w) {
                     w.EncodedCharacterStringBit3(0x00, "==", ItemType_base64Binary);
                   }),
            "01 3D 3D");
}

TEST(FastInfosetWriter, RestrictedAlphabetPacking) {
  struct Case {
    unsigned long alphabet;
    const char* text;
    const char* packed;
  } cases[] = {
      {2, "2005-01-01", "20 05 A0 1A 01"},
      {1, "1.5", "1C 5F"},
      {1, "-1.5e 3+", "A1 C5 DE 3B"},
      {2, "T", "CF"},
      {2, "", ""},
  };
  for (const Case& c : cases) {
    CBinaryStream stream;
    const CFastInfosetContext context;
    CFastInfosetWriter writer(context, stream);
    EXPECT_EQ(Hex(writer.AppendRestrictedAlphabetString(c.alphabet, c.text)), c.packed)
        << c.text;
  }
  // An alphabet of 128 to 255 characters takes one octet per character.
  CFastInfosetContext context;
  context.SetUseGeneratedVocabulary(true);
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += static_cast<char>(i + 1);
  context.GetVocabulary().GetRestrictedAlphabets()[1] = wide;
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  EXPECT_EQ(Hex(writer.AppendRestrictedAlphabetString(1, "\x01\x02\xC8")), "00 01 C7");
}

TEST(FastInfosetWriter, IntegerEncodersAtTheirBoundaries) {
  typedef void (CFastInfosetWriter::*Encoder)(unsigned char, unsigned long);
  struct Case {
    Encoder encoder;
    unsigned char bits;
    unsigned long value;
    const char* octets;
  } cases[] = {
      {&CFastInfosetWriter::Integer1To2pw20Bit2, 0x80, 1, "80"},
      {&CFastInfosetWriter::Integer1To2pw20Bit2, 0x80, 64, "BF"},
      {&CFastInfosetWriter::Integer1To2pw20Bit2, 0x80, 65, "C0 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit2, 0x80, 8256, "DF FF"},
      {&CFastInfosetWriter::Integer1To2pw20Bit2, 0x80, 8257, "E0 00 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit2, 0x00, 1048576, "6F DF BF"},
      {&CFastInfosetWriter::Integer0To2pw20Bit2, 0x80, 0, "FF"},
      {&CFastInfosetWriter::Integer0To2pw20Bit2, 0x00, 0, "7F"},
      {&CFastInfosetWriter::Integer0To2pw20Bit2, 0x80, 1, "80"},
      {&CFastInfosetWriter::Integer0To2pw20Bit2, 0x80, 8257, "E0 00 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0x40, 1, "40"},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0x40, 32, "5F"},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0x40, 33, "60 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0x40, 2080, "67 FF"},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0x40, 2081, "68 00 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0x40, 526368, "6F FF FF"},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0x40, 526369, "70 00 00 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0x00, 1048576, "30 07 F7 DF"},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0xA0, 1, "A0"},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0xA0, 16, "AF"},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0xA0, 17, "B0 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0xA0, 1040, "B3 FF"},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0xA0, 1041, "B4 00 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0xA0, 263184, "B7 FF FF"},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0xA0, 263185, "B8 00 00 00"},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0xA0, 1048576, "B8 0B FB EF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Octets([&](CFastInfosetWriter& w) { (w.*c.encoder)(c.bits, c.value); }), c.octets)
        << c.value;
  }
  // Outside the range of each encoder.
  struct Bad {
    Encoder encoder;
    unsigned long value;
  } bad[] = {
      {&CFastInfosetWriter::Integer1To2pw20Bit2, 0},
      {&CFastInfosetWriter::Integer1To2pw20Bit2, 1048577},
      {&CFastInfosetWriter::Integer0To2pw20Bit2, 1048577},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 0},
      {&CFastInfosetWriter::Integer1To2pw20Bit3, 1048577},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 0},
      {&CFastInfosetWriter::Integer1To2pw20Bit4, 1048577},
  };
  for (const Bad& b : bad) {
    std::string expected = "CVxException: Failed to write FastInfoset. Integer [" +
                           std::to_string(b.value) + "] out of range.";
    EXPECT_EQ(Failure([&](CFastInfosetWriter& w) { (w.*b.encoder)(0, b.value); }), expected);
  }
}

TEST(FastInfosetWriter, LengthEncodersAtTheirBoundaries) {
  enum Form { Bit2, Utf8Bit2, Bit5, Bit7 };
  struct Case {
    Form form;
    unsigned char bits;
    size_t length;
    const char* prefix;  // the octets before the string itself
  } cases[] = {
      {Bit2, 0x00, 1, "00"},       {Bit2, 0x80, 64, "BF"},
      {Bit2, 0x00, 65, "40 00"},   {Bit2, 0x00, 320, "40 FF"},
      {Bit2, 0x00, 321, "60 00 00 00 00"},
      {Bit2, 0x00, 1000, "60 00 00 02 A7"},
      {Utf8Bit2, 0x00, 1, "00"},   {Utf8Bit2, 0x00, 64, "3F"},
      {Utf8Bit2, 0x00, 65, "40 00"},
      {Utf8Bit2, 0x00, 320, "40 FF"},
      {Utf8Bit2, 0x00, 321, "60 00 00 00 00"},
      {Bit5, 0x40, 1, "40"},       {Bit5, 0x40, 8, "47"},
      {Bit5, 0x40, 9, "48 00"},    {Bit5, 0x40, 264, "48 FF"},
      {Bit5, 0x40, 265, "4C 00 00 00 00"},
      {Bit5, 0x40, 1000, "4C 00 00 02 DF"},
      {Bit7, 0x90, 1, "90"},       {Bit7, 0x90, 2, "91"},
      {Bit7, 0x90, 3, "92 00"},    {Bit7, 0x90, 258, "92 FF"},
      {Bit7, 0x90, 259, "93 00 00 00 00"},
      {Bit7, 0x90, 1000, "93 00 00 02 E5"},
  };
  for (const Case& c : cases) {
    const std::string text(c.length, 'x');
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::string out = Octets([&](CFastInfosetWriter& w) {
      switch (c.form) {
        case Bit2: w.NonEmptyOctetStringBit2(c.bits, p, c.length); break;
        case Utf8Bit2: w.NonEmptyOctetUTF8StringBit2(c.bits, text); break;
        case Bit5: w.NonEmptyOctetStringBit5(c.bits, p, c.length); break;
        case Bit7: w.NonEmptyOctetStringBit7(c.bits, p, c.length); break;
      }
    });
    EXPECT_EQ(out, std::string(c.prefix) + " " + Hex(text)) << c.form << " " << c.length;
  }
  // The UTF-8 form counts the octets of the converted text.
  EXPECT_EQ(Octets([](CFastInfosetWriter& w) { w.NonEmptyOctetUTF8StringBit2(0, "\xC3\xA9"); }),
            "01 C3 A9");
  const std::string empty = "CVxException: Failed to write FastInfoset. Empty string in a non-empty "
                            "string encoding.";
  const unsigned char none = 0;
  EXPECT_EQ(Failure([&](CFastInfosetWriter& w) { w.NonEmptyOctetStringBit2(0, &none, 0); }), empty);
  EXPECT_EQ(Failure([&](CFastInfosetWriter& w) { w.NonEmptyOctetStringBit5(0, &none, 0); }), empty);
  EXPECT_EQ(Failure([&](CFastInfosetWriter& w) { w.NonEmptyOctetStringBit7(0, &none, 0); }), empty);
  EXPECT_EQ(Failure([&](CFastInfosetWriter& w) { w.NonEmptyOctetUTF8StringBit2(0, ""); }), empty);
}

TEST(FastInfosetWriter, Failures) {
  auto withEncoding = [](ItemType type, Encoding::Kind kind, unsigned long index) {
    CFastInfosetContext context;
    context.SetEncoding(type, Encoding{kind, index});
    return context;
  };
  auto attribute = [](const char* value, ItemType type) {
    return [=](CFastInfosetWriter& w) {
      w.WriteStartElement("a", "");
      w.WriteAttributeString("x", "", value, type);
    };
  };
  auto text = [](const char* value, ItemType type) {
    return [=](CFastInfosetWriter& w) {
      w.WriteStartElement("a", "");
      w.WriteString(value, type);
    };
  };
  const Encoding::Kind unknown = static_cast<Encoding::Kind>(3);
  const std::string prefix = "CVxException: Failed to write FastInfoset. ";
  struct Case {
    CFastInfosetContext context;
    Body body;
    std::string message;
  } cases[] = {
      {withEncoding(ItemType_string, unknown, 0), attribute("v", ItemType_string),
       prefix + "Unknown encoding in EncodedCharacterStringBit5."},
      {withEncoding(ItemType_string, unknown, 0), text("v", ItemType_string),
       prefix + "Unknown encoding in EncodedCharacterStringBit7."},
      {withEncoding(ItemType_decimal, Encoding::Kind_RestrictedAlphabet, 3),
       attribute("1", ItemType_decimal), prefix + "Invalid Restricted Alphabet value [3]"},
      {withEncoding(ItemType_decimal, Encoding::Kind_RestrictedAlphabet, 0),
       text("1", ItemType_decimal), prefix + "Invalid Restricted Alphabet value [0]"},
      {withEncoding(ItemType_i4, Encoding::Kind_EncodingAlgorithm, 11),
       attribute("1", ItemType_i4), prefix + "Invalid Encoding Algorithm value [11]"},
      {withEncoding(ItemType_i4, Encoding::Kind_EncodingAlgorithm, 0), text("1", ItemType_i4),
       prefix + "Invalid Encoding Algorithm value [0]"},
      {withEncoding(ItemType_decimal, Encoding::Kind_RestrictedAlphabet, 1),
       attribute("1,5", ItemType_decimal),
       prefix + "Invalid character not found for Restricted Alphabet."},
      {withEncoding(ItemType_decimal, Encoding::Kind_RestrictedAlphabet, 1),
       text("1.5E3", ItemType_decimal),
       prefix + "Invalid character not found for Restricted Alphabet."},
      {withEncoding(ItemType_i4, Encoding::Kind_EncodingAlgorithm, 4), text("x", ItemType_i4),
       "CVxInvalidValueException: The value [x] can not be converted to a i4"},
      {CFastInfosetContext(),
       [](CFastInfosetWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteStartElement("b", "");
         w.WriteEndElement();
         w.WriteAttributeString("x", "", "1", ItemType_string);
       },
       "CVxException: Attributes must be added before elements"},
      {CFastInfosetContext(),
       [](CFastInfosetWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteString("t", ItemType_string);
         w.WriteAttributeNil();
       },
       "CVxException: Attributes must be added before elements"},
      {CFastInfosetContext(),
       [](CFastInfosetWriter& w) {
         w.WriteStartElement("a", "");
         w.WritePI("<?p?>");
         w.WriteAttributeType("", "T", ItemType_string);
       },
       "CVxException: Attributes must be added before elements"},
      {CFastInfosetContext(), [](CFastInfosetWriter& w) { w.WriteAttributeNil(); },
       "CVxException: Attributes must be added before elements"},
      {CFastInfosetContext(), [](CFastInfosetWriter& w) { w.WriteStartElement("a", ""); },
       "CVxException: An Element has not been closed."},
      {CFastInfosetContext(), [](CFastInfosetWriter& w) { w.WriteString("t", ItemType_string); },
       "CVxInvalidStateException: Text can only be written inside an Element."},
      {CFastInfosetContext(), [](CFastInfosetWriter& w) { w.WriteEndElement(); },
       "CVxInvalidStateException: There is no open Element to end."},
  };
  for (const Case& c : cases) EXPECT_EQ(Failure(c.context, c.body), c.message);

  // Alphabets of the wrong size, through a generated vocabulary.
  struct AlphabetCase {
    std::string alphabet;
    std::string message;
  } alphabets[] = {
      {"0", prefix + "Invalid Restricted Alphabet. Alphabet must contain between 2 and 2^20 "
                     "characters."},
      {"01234", prefix + "Unsupported Feature in AppendRestrictedAlphabetString."},
      {"0123456789abcdefg", prefix + "Unsupported Feature in AppendRestrictedAlphabetString."},
  };
  for (const AlphabetCase& a : alphabets) {
    CFastInfosetContext context = withEncoding(ItemType_integer, Encoding::Kind_RestrictedAlphabet, 1);
    context.SetUseGeneratedVocabulary(true);
    context.GetVocabulary().GetRestrictedAlphabets()[1] = a.alphabet;
    EXPECT_EQ(Failure(context, text("0", ItemType_integer)), a.message) << a.alphabet;
  }
}

TEST(FastInfosetWriter, BadValueLeavesNoAttributeBehind) {
  CFastInfosetContext context;
  context.SetSuggestedValues();
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.WriteStartDocument(FInfoDecl_None);
  writer.WriteStartElement("a", "");
  vxtest::ExpectFailure<CVxInvalidValueException>(
      [&] { writer.WriteAttributeString("x", "urn:x", "maybe", ItemType_boolean); },
      "A Boolean Value read from an XML document was invalid [maybe]. Valid values are 'true', "
      "'false', '1', or '0'");
  writer.WriteAttributeString("y", "", "1", ItemType_string);
  writer.WriteEndElement();
  writer.WriteEndDocument();
  EXPECT_EQ(Hex(stream.GetBinaryStream()),
            std::string(kHeader) + " 78 F0 3C 00 61 78 00 79 40 31 F0 FF");
}

TEST(FastInfosetWriter, DefaultNamespaceSetInsideAnElementIsDeclaredWhereItTakesEffect) {
  // "c" is unprefixed in urn:z, the default set on its open parent: it
  // declares that default; "d" in no namespace below it undeclares it; the
  // bare type name of xsi:type resolves against the default in effect.
  EXPECT_EQ(Document([](CFastInfosetWriter& w) {
              w.WriteStartElement("a", "");
              w.WriteStartElement("b", "");
              w.SetDefaultNamespace("urn:z");
              w.WriteStartElement("c", "urn:z");
              w.WriteAttributeType("urn:z", "T", ItemType_string);
              w.WriteStartElement("d", "");
              for (int i = 0; i < 4; ++i) w.WriteEndElement();
            }),
            std::string(kHeader) +
                " 38 F0 3C 00 61 3C 00 62 78 CD 04 75 72 6E 3A 7A CF 01 41 41 28 " +
                Hex(std::string("http://www.w3.org/2001/XMLSchema-instance")) +
                " F0 3D 81 00 63 7B 81 82 03 74 79 70 65 40 54 F0 38 CC F0 3C 00 64 FF FF F0");
}

TEST(FastInfosetWriter, PairingsAddedOnAnOpenElement) {
  // "p", added while r's start tag is open, is declared on r and used by c;
  // "q", added after it closed, is declared on each later child (d).
  EXPECT_EQ(Document([](CFastInfosetWriter& w) {
              w.WriteStartElement("r", "");
              w.AddNamespace("p", "urn:b");
              w.WriteStartElement("c", "urn:b");
              w.WriteEndElement();
              w.AddNamespace("q", "urn:c");
              w.WriteStartElement("d", "");
              w.WriteEndElement();
              w.WriteEndElement();
            }),
            std::string(kHeader) +
                " 38 CF 00 70 04 75 72 6E 3A 62 F0 3C 00 72 3F 81 81 00 63"
                " F0 38 CF 00 71 04 75 72 6E 3A 63 F0 3C 00 64 FF F0");
}
