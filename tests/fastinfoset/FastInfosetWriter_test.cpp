// What reading back cannot show (which names and values are indexed, which
// encoding a value takes) and the writer's failures.
#include "vxxml/FastInfosetWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "TestUtil.h"
#include "xml/WriterSteps.h"

using namespace VxXmlLib10;

namespace {

using vxxml_test::Steps;
typedef CFastInfosetContext::EncodedCharacterString Encoding;
typedef std::function<void(CFastInfosetWriter&)> Body;

std::string Hex(const CBinaryStream& stream) {
  const CBinaryData d = stream.GetBinaryStream();
  std::string s;
  char b[4];
  for (unsigned long i = 0; i < d.GetLength(); ++i) {
    std::snprintf(b, sizeof b, i ? " %02X" : "%02X", d.GetData()[i]);
    s += b;
  }
  return s;
}

// The octets `body` appends, in hex.
std::string Octets(const Body& body, const CFastInfosetContext& context = CFastInfosetContext()) {
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  body(writer);
  return Hex(stream);
}

// The whole document of `steps`, in hex, after the header.
std::string Document(const CFastInfosetContext& context, const Steps& steps) {
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.Open();
  writer.WriteStartDocument(FInfoDecl_None);
  vxxml_test::Run(writer, steps);
  writer.WriteEndDocument();
  writer.Close();
  const std::string hex = Hex(stream);
  EXPECT_EQ(hex.substr(0, 15), "E0 00 00 01 00 ");
  return hex.substr(15);
}

CFastInfosetContext With(ItemType type, Encoding::Kind kind, unsigned long index) {
  CFastInfosetContext context;
  context.SetEncoding(type, Encoding{kind, index});
  return context;
}

}  // namespace

TEST(FastInfosetWriter, IndexingAndEncodingsFollowTheContext) {
  CFastInfosetContext plain, suggested, shortAdds;
  suggested.SetSuggestedValues();
  shortAdds.SetAttributeMaxAddLength(2);  // only values of one byte are indexed
  shortAdds.SetElementMaxAddLength(0);    // no chunk is indexed
  const CFastInfosetContext cdata = With(ItemType_string, Encoding::Kind_EncodingAlgorithm, 10);
  const struct {
    const CFastInfosetContext& context;
    Steps steps;
    const char* hex;
  } cases[] = {
      // "ab" enters the attribute-values table (0x40), then is index 1 (0x80); the
      // attribute name is index 1 the second time (0x00).
      {plain, {{'<', "a"}, {'@', "x", "", "ab"}, {'<', "b"}, {'@', "x", "", "ab"}, {'>'}, {'>'}},
       "78 F0 3C 00 61 78 00 78 41 61 62 F0 7C 00 62 00 80 F0 FF F0"},
      // Short chunks enter the table (0x90) and come back by index (0xA0), chunks of
      // the maximum length or more are literal (0x80); "b" is element name 2 (01).
      {plain,
       {{'<', "a"}, {'<', "b"}, {'t', "hi"}, {'>'}, {'<', "b"}, {'t', "abcdef"}, {'>'}, {'<', "b"},
        {'t', "hi"}, {'>'}, {'<', "b"}, {'t', "abcdef"}, {'>'}, {'>'}},
       "38 F0 3C 00 61 3C 00 62 91 68 69 F0 01 82 03 61 62 63 64 65 66 F0"
       " 01 A0 F0 01 82 03 61 62 63 64 65 66 FF F0"},
      {shortAdds,
       {{'<', "a"}, {'@', "x", "", "ab"}, {'@', "y", "", "ab"}, {'@', "z", "", ""}, {'t', "t"},
        {'t', "t"}, {'>'}},
       "78 F0 3C 00 61 78 00 78 01 61 62 78 00 79 01 61 62 78 00 7A FF F0 80 74 80 74 FF"},
      // A chunk under the int algorithm: index 3 in six bits, the length from bit 7.
      {suggested, {{'<', "a"}, {'t', "12", "", "", ItemType_i4}, {'>'}},
       "38 F0 3C 00 61 9C 0E 01 00 00 00 0C FF"},
      // A date in the date-and-time alphabet, as attribute and as chunk.
      {suggested,
       {{'<', "a"}, {'@', "d", "", "2005-01-01", ItemType_date},
        {'t', "2005-01-01", "", "", ItemType_date}, {'>'}},
       "78 F0 3C 00 61 78 00 64 20 14 20 05 A0 1A 01 F0 88 06 02 20 05 A0 1A 01 FF"},
      // The cdata algorithm carries chunks; attribute values stay strings.
      {cdata, {{'<', "a"}, {'@', "b", "", "ab"}, {'t', "ab"}, {'>'}},
       "78 F0 3C 00 61 78 00 62 41 61 62 F0 9C 25 61 62 FF"},
  };
  for (const auto& c : cases) EXPECT_EQ(Document(c.context, c.steps), c.hex);
  // An encoding that yields no octets falls back to the text.
  EXPECT_EQ(Octets([](CFastInfosetWriter& w) {
              w.EncodedCharacterStringBit3(0x00, "==", ItemType_base64Binary);
            }, suggested),
            "01 3D 3D");
  // An alphabet of 128 to 255 characters takes one octet per character.
  CFastInfosetContext wide;
  wide.SetUseGeneratedVocabulary(true);
  std::string alphabet;
  for (int i = 0; i < 200; ++i) alphabet += static_cast<char>(i + 1);
  wide.GetVocabulary().GetRestrictedAlphabets()[1] = alphabet;
  CBinaryStream stream;
  CFastInfosetWriter writer(wide, stream);
  const CBinaryData packed = writer.AppendRestrictedAlphabetString(1, "\x01\x02\xC8");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(packed.GetData()), packed.GetLength()),
            std::string("\x00\x01\xC7", 3));
  EXPECT_EQ(writer.AppendRestrictedAlphabetString(1, "").GetLength(), 0u);
}

TEST(FastInfosetWriter, Failures) {
  const Encoding::Kind unknown = static_cast<Encoding::Kind>(3);
  const Encoding::Kind alphabet = Encoding::Kind_RestrictedAlphabet;
  const Encoding::Kind algorithm = Encoding::Kind_EncodingAlgorithm;
  auto withAlphabet = [](const char* characters) {
    CFastInfosetContext context = With(ItemType_integer, Encoding::Kind_RestrictedAlphabet, 1);
    context.SetUseGeneratedVocabulary(true);
    context.GetVocabulary().GetRestrictedAlphabets()[1] = characters;
    return context;
  };
  auto fails = [](const std::string& m) {
    return vxtest::Named<CVxException>("Failed to write FastInfoset. " + m);
  };
  // An attribute, or text, of the value in an element.
  auto A = [](const char* v, ItemType type) { return Steps{{'<', "a"}, {'@', "x", "", v, type}}; };
  auto T = [](const char* v, ItemType type) { return Steps{{'<', "a"}, {'t', v, "", "", type}}; };
  const std::string alphabetSize = "Alphabet must contain between 2 and 2^20 characters.";
  // The checks the writers share are the text writer's tests.
  const struct {
    CFastInfosetContext context;
    Steps steps;
    std::string failure;
  } cases[] = {
      {With(ItemType_string, unknown, 0), A("v", ItemType_string),
       fails("Unknown encoding in EncodedCharacterStringBit5.")},
      {With(ItemType_string, unknown, 0), T("v", ItemType_string),
       fails("Unknown encoding in EncodedCharacterStringBit7.")},
      {With(ItemType_decimal, alphabet, 3), A("1", ItemType_decimal),
       fails("Invalid Restricted Alphabet value [3]")},
      {With(ItemType_i4, algorithm, 11), A("1", ItemType_i4),
       fails("Invalid Encoding Algorithm value [11]")},
      {With(ItemType_i4, algorithm, 0), T("1", ItemType_i4),
       fails("Invalid Encoding Algorithm value [0]")},
      {With(ItemType_decimal, alphabet, 1), T("1.5E3", ItemType_decimal),
       fails("Invalid character not found for Restricted Alphabet.")},
      {With(ItemType_i4, algorithm, 4), T("x", ItemType_i4),
       vxtest::Named<CVxInvalidValueException>("The value [x] can not be converted to a i4")},
      {withAlphabet("0"), T("0", ItemType_integer),
       fails("Invalid Restricted Alphabet. " + alphabetSize)},
      {withAlphabet("01234"), T("0", ItemType_integer),
       fails("Unsupported Feature in AppendRestrictedAlphabetString.")},
      {{}, {{'<', "a"}, {'?', "<?p?>"}, {'x', "", "T"}},
       vxtest::Named<CVxException>("Attributes must be added before elements")},
      {{}, {{'t', "t"}},
       vxtest::Named<CVxInvalidStateException>("Text can only be written inside an Element.")},
      {{}, {{'>'}}, vxtest::Named<CVxInvalidStateException>("There is no open Element to end.")},
  };
  for (const auto& c : cases)
    EXPECT_EQ(vxtest::Failure([&] { Document(c.context, c.steps); }), c.failure);
}

TEST(FastInfosetWriter, BadValueLeavesNoAttributeBehind) {
  CFastInfosetContext context;
  context.SetSuggestedValues();
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.WriteStartDocument(FInfoDecl_None);
  vxxml_test::Run(writer, {{'<', "a"}});
  EXPECT_TRUE(vxtest::Throws<CVxInvalidValueException>(
      [&] { writer.WriteAttributeString("x", "urn:x", "maybe", ItemType_boolean); },
      "A Boolean Value read from an XML document was invalid [maybe]. Valid values are 'true', "
      "'false', '1', or '0'"));
  vxxml_test::Run(writer, {{'@', "y", "", "1"}, {'>'}});
  writer.WriteEndDocument();
  EXPECT_EQ(Hex(stream), "E0 00 00 01 00 78 F0 3C 00 61 78 00 79 40 31 F0 FF");
}
