#include "vxxml/XmlTextWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <dirent.h>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "vxxml/Encoder.h"
#include "vxxml/Exception.h"
#include "TestUtil.h"
#include "xml/ExpatTree.h"

using namespace VxXmlLib10;
using vxtest::ReadFile;
using vxxml_test::Node;
using vxxml_test::ParseXml;

namespace {

const char kXsi[] = "http://www.w3.org/2001/XMLSchema-instance";

std::string Write(const std::function<void(CXmlTextWriter&)>& body, EOLType eol = EOLType_LF,
                  bool format = true, XmlEncoding encoding = XmlEncoding_UTF8) {
  CTextStream stream(encoding);
  CXmlTextWriter writer(stream);
  writer.SetEOLType(eol);
  writer.SetFormat(format);
  writer.Open();
  body(writer);
  writer.Close();
  return stream.GetText();
}

void WriteExample(CXmlTextWriter& w) {
  w.WriteStartDocument();
  w.SetDefaultNamespace("urn:a");
  w.AddNamespace("p", "urn:b");
  w.WriteStartElement("r", "urn:a");
  w.WriteStartElement("c", "urn:a");
  w.WriteString("text", ItemType_string);
  w.WriteEndElement();
  w.WriteStartElement("d", "urn:b");
  w.WriteEndElement();
  w.WriteEndElement();
}

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

}  // namespace

TEST(XmlTextWriter, ExampleDocumentByteForByte) {
  struct Case {
    EOLType eol;
    const char* expected;
  } cases[] = {
      {EOLType_LF,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
       "<r xmlns=\"urn:a\" xmlns:p=\"urn:b\">\n"
       "\t<c>text</c>\n"
       "\t<p:d/>\n"
       "</r>\n"},
      {EOLType_CRLF,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
       "<r xmlns=\"urn:a\" xmlns:p=\"urn:b\">\r\n"
       "\t<c>text</c>\r\n"
       "\t<p:d/>\r\n"
       "</r>\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Write(WriteExample, c.eol), c.expected);
}

TEST(XmlTextWriter, DeclarationNamesTheStreamEncoding) {
  struct Case {
    XmlEncoding encoding;
    const char* expected;
  } cases[] = {
      {XmlEncoding_None, "<?xml version=\"1.0\"?>\n"},
      {XmlEncoding_UTF8, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"},
      {XmlEncoding_UTF16, "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"},
      {XmlEncoding_UTF16NoDecl, "<?xml version=\"1.0\"?>\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Write([](CXmlTextWriter& w) { w.WriteStartDocument(); }, EOLType_LF, false,
                    c.encoding),
              c.expected);
}

TEST(XmlTextWriter, EscapingTable) {
  struct Case {
    const char* input;
    const char* textLF;
    const char* textCRLF;
    const char* attribute;
  } cases[] = {
      {"a\nb", "a\nb", "a\r\nb", "a&#10;b"},
      {"a\r\nb\r", "a&#13;\nb&#13;", "a&#13;\r\nb&#13;", "a&#13;&#10;b&#13;"},
      {"\"'", "\"'", "\"'", "&quot;'"},
      {"&<>", "&amp;&lt;&gt;", "&amp;&lt;&gt;", "&amp;&lt;&gt;"},
      {"\t\x7f\xc2\x80\xc3\xa9", "\t\x7f\xc2\x80\xc3\xa9", "\t\x7f\xc2\x80\xc3\xa9",
       "&#9;\x7f\xc2\x80\xc3\xa9"},
      {"", "", "", ""},
      {"plain text run", "plain text run", "plain text run", "plain text run"},
  };
  for (const Case& c : cases) {
    for (int mode = 0; mode < 3; ++mode) {
      CTextStream stream;
      CXmlTextWriter writer(stream);
      writer.SetEOLType(mode == 1 ? EOLType_CRLF : EOLType_LF);
      writer.PadAndAppend(c.input, mode == 2);
      EXPECT_EQ(std::string(stream.GetText()),
                mode == 0 ? c.textLF : mode == 1 ? c.textCRLF : c.attribute)
          << "input [" << c.input << "] mode " << mode;
    }
  }
}

TEST(XmlTextWriter, ElementShapes) {
  struct Case {
    const char* name;
    std::function<void(CXmlTextWriter&)> body;
    bool format;
    const char* expected;
  } cases[] = {
      {"empty text keeps the tag open",
       [](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteString("", ItemType_string);
         w.WriteEndElement();
       },
       true, "<a/>\n"},
      {"CDATA sections at the start pass, anything else is escaped",
       [](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteStartElement("b", "");
         w.WriteString("<![CDATA[x<y]]>&<![CDATA[z]]>", ItemType_string);
         w.WriteEndElement();
         w.WriteStartElement("c", "");
         w.WriteString("t<![CDATA[", ItemType_string);
         w.WriteEndElement();
         w.WriteStartElement("d", "");
         w.WriteString("<![CDATA[<e", ItemType_string);
         w.WriteEndElement();
         w.WriteEndElement();
       },
       true,
       "<a>\n\t<b><![CDATA[x<y]]>&amp;<![CDATA[z]]></b>\n\t<c>t&lt;![CDATA[</c>\n"
       "\t<d>&lt;![CDATA[&lt;e</d>\n</a>\n"},
      {"nested elements share a generated prefix, siblings declare it again",
       [](CXmlTextWriter& w) {
         w.WriteStartElement("r", "");
         w.WriteStartElement("o", "urn:x");
         w.WriteStartElement("i", "urn:x");
         w.WriteEndElement();
         w.WriteEndElement();
         w.WriteStartElement("s", "urn:x");
         w.WriteEndElement();
         w.WriteEndElement();
       },
       false,
       "<r><AA:o xmlns:AA=\"urn:x\"><AA:i/></AA:o><AA:s xmlns:AA=\"urn:x\"/></r>"},
      {"an attribute in the default namespace is prefixed",
       [](CXmlTextWriter& w) {
         w.SetDefaultNamespace("urn:a");
         w.WriteStartElement("r", "urn:a");
         w.WriteAttributeString("at", "urn:a", "v", ItemType_string);
         w.WriteAttributeString("plain", "", "w", ItemType_string);
         w.WriteAttributeString("lang", "http://www.w3.org/XML/1998/namespace", "en",
                                ItemType_string);
         w.WriteEndElement();
       },
       false, "<r xmlns=\"urn:a\" xmlns:AA=\"urn:a\" AA:at=\"v\" plain=\"w\" xml:lang=\"en\"/>"},
      {"writer-level pairs are declared on the root in URI order",
       [](CXmlTextWriter& w) {
         w.AddNamespace("z", "urn:b");
         w.AddNamespace("y", "urn:a");
         w.WriteStartElement("r", "urn:b");
         w.WriteStartElement("c", "urn:a");
         w.WriteEndElement();
         w.WriteEndElement();
       },
       false, "<z:r xmlns:y=\"urn:a\" xmlns:z=\"urn:b\"><y:c/></z:r>"},
      {"a user prefix is never generated again",
       [](CXmlTextWriter& w) {
         w.AddNamespace("AA", "urn:a");
         w.WriteStartElement("r", "urn:b");
         w.WriteEndElement();
       },
       false, "<AB:r xmlns:AB=\"urn:b\" xmlns:AA=\"urn:a\"/>"},
      {"xsi:type and xsi:nil",
       [](CXmlTextWriter& w) {
         w.SetDefaultNamespace("urn:a");
         w.WriteStartElement("r", "urn:a");
         w.WriteAttributeType("urn:a", "T", ItemType_string);
         w.WriteStartElement("c", "urn:a");
         w.WriteAttributeType("urn:t", "U", ItemType_string);
         w.WriteAttributeNil();
         w.WriteEndElement();
         w.WriteEndElement();
       },
       false,
       "<r xmlns=\"urn:a\" xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:type=\"T\">"
       "<c xmlns:AB=\"urn:t\"  AA:type=\"AB:U\" AA:nil=\"true\"/></r>"},
      {"format off: line ends only from text, comments, PIs, directives, schema",
       [](CXmlTextWriter& w) {
         w.WriteStartDocument();
         w.WriteHeaderDirective("<!DOCTYPE r>");
         w.WritePI("<?pi x?>");
         w.WriteStartElement("r", "");
         w.WriteInlineSchema("<s/>");
         w.WriteComment("c");
         w.WriteStartElement("t", "");
         w.WriteString("a\nb", ItemType_string);
         w.WriteEndElement();
         w.WriteEndElement();
       },
       false,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE r>\n<?pi x?>\n\n"
       "<r> \n<s/>\n<!--c-->\n<t>a\nb</t></r>"},
      {"a comment closes the pending start tag and keeps hyphens apart",
       [](CXmlTextWriter& w) {
         w.WriteStartElement("r", "");
         w.WriteStartElement("c", "");
         w.WriteComment("a--b-<&");
         w.WriteEndElement();
         w.WriteEndElement();
       },
       true, "<r>\n\t<c>\n<!--a- -b-&lt;&amp;-->\n\t</c>\n</r>\n"},
      {"raw element and nested indentation",
       [](CXmlTextWriter& w) {
         w.WriteStartElement("r", "");
         w.WriteStartElement("a", "");
         w.WriteStartElement("b", "");
         w.WriteString("t", ItemType_string);
         w.WriteEndElement();
         w.WriteEndElement();
         w.CloseParentElm();
         w.WriteRawElement("<raw/>");
         w.WriteEndElement();
       },
       true, "<r>\n\t<a>\n\t\t<b>t</b>\n\t</a>\n<raw/>\n</r>\n"},
      {"an element in no namespace leaves the default namespace",
       [](CXmlTextWriter& w) {
         w.SetDefaultNamespace("urn:a");
         w.WriteStartElement("r", "urn:a");
         w.WriteStartElement("u", "");
         w.WriteStartElement("q", "urn:a");
         w.WriteEndElement();
         w.WriteEndElement();
         w.WriteEndElement();
       },
       false, "<r xmlns=\"urn:a\"><u xmlns=\"\"><q xmlns=\"urn:a\"/></u></r>"},
      {"namespace calls inside an element are declared where they take effect",
       [](CXmlTextWriter& w) {
         w.AddNamespace("p", "urn:p");
         w.WriteStartElement("r", "");
         w.AddNamespace("q", "urn:q");
         w.AddNamespace("p", "urn:p2");
         w.WriteAttributeString("a", "urn:q", "1", ItemType_string);
         w.WriteStartElement("c", "urn:p");  // "p" now names urn:p2: a new prefix
         w.WriteEndElement();
         w.SetDefaultNamespace("urn:d");
         w.AddNamespace("s", "urn:s");  // the start tag is closed: children declare it
         w.WriteStartElement("e", "urn:d");
         w.WriteStartElement("f", "urn:s");
         w.WriteEndElement();
         w.WriteEndElement();
         w.WriteEndElement();
       },
       false,
       "<r xmlns:p=\"urn:p\" xmlns:q=\"urn:q\" q:a=\"1\">"
       "<AA:c xmlns:AA=\"urn:p\" xmlns:p=\"urn:p2\"/>"
       "<e xmlns=\"urn:d\" xmlns:s=\"urn:s\" xmlns:p=\"urn:p2\"><s:f/></e></r>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Write(c.body, EOLType_LF, c.format), c.expected) << c.name;
}

TEST(XmlTextWriter, FailuresCarryTheirMessages) {
  struct Case {
    std::function<void(CXmlTextWriter&)> action;
    const std::type_info& type;
    const char* message;
  } cases[] = {
      {[](CXmlTextWriter& w) { w.SetEOLType(static_cast<EOLType>(2)); }, typeid(CVxException),
       "Invalid EOL type."},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteHeaderDirective("x");
       },
       typeid(CVxException), "Headed directives must appear before an Element has been added."},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteString("t", ItemType_string);
         w.WriteAttributeString("b", "", "v", ItemType_string);
       },
       typeid(CVxException), "Attributes must be added before elements"},
      {[](CXmlTextWriter& w) { w.WriteAttributeString("b", "", "v", ItemType_string); },
       typeid(CVxException), "Attributes must be added before elements"},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteStartElement("b", "");
         w.WriteEndElement();
         w.WriteAttributeType("urn:t", "T", ItemType_string);
       },
       typeid(CVxException), "Attributes must be added before elements"},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteComment("c");
         w.WriteAttributeNil();
       },
       typeid(CVxException), "Attributes must be added before elements"},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.Close();
       },
       typeid(CVxException), "An Element has not been closed."},
      {[](CXmlTextWriter& w) { w.WriteString("t", ItemType_string); },
       typeid(CVxInvalidStateException), "Text can only be written inside an Element."},
      {[](CXmlTextWriter& w) { w.WriteEndElement(); }, typeid(CVxInvalidStateException),
       "There is no open Element to end."},
      // Nothing that is not well-formed XML is written.
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteString("x\x01", ItemType_string);
       },
       typeid(CVxException), "Character U+0001 cannot be written in XML 1.0."},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteAttributeString("k", "", std::string("x\0y", 3), ItemType_string);
       },
       typeid(CVxException), "Character U+0000 cannot be written in XML 1.0."},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteString("\xef\xbf\xbe", ItemType_string);
       },
       typeid(CVxException), "Character U+FFFE cannot be written in XML 1.0."},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteString(std::string(20, 'x') + "\xff", ItemType_string);
       },
       typeid(CVxException),
       "Ill-formed UTF-8 sequence starting with the octet 0xFF cannot be written in XML."},
      {[](CXmlTextWriter& w) { w.WriteStartElement("a<", ""); }, typeid(CVxException),
       "Invalid XML name [a<]."},
      {[](CXmlTextWriter& w) { w.WriteStartElement("p:a", "urn:p"); }, typeid(CVxException),
       "Invalid XML name [p:a]."},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteAttributeString("\xc3\xa9\x01", "", "v", ItemType_string);
       },
       typeid(CVxException), "Invalid XML name [\xc3\xa9\\x01]."},
      {[](CXmlTextWriter& w) {
         w.AddNamespace("1p", "urn:p");
         w.WriteStartElement("a", "");
       },
       typeid(CVxException), "Invalid XML name [1p]."},
      {[](CXmlTextWriter& w) {
         w.WriteStartElement("a", "");
         w.WriteAttributeString("k", "urn:k", "1", ItemType_string);
         w.WriteAttributeString("k", "urn:k", "2", ItemType_string);
       },
       typeid(CVxException), "The attribute [AA:k] is written twice on one element."},
  };
  for (const Case& c : cases) {
    CTextStream stream;
    CXmlTextWriter writer(stream);
    writer.Open();
    try {
      c.action(writer);
      ADD_FAILURE() << "no exception for " << c.message;
    } catch (const CVxException& e) {
      EXPECT_EQ(typeid(e), c.type) << c.message;
      EXPECT_EQ(e.GetFullMessage(), c.message);
    }
  }
  // A refused line-end type changes nothing.
  CTextStream stream;
  CXmlTextWriter writer(stream);
  writer.SetEOLType(EOLType_CRLF);
  EXPECT_THROW(writer.SetEOLType(static_cast<EOLType>(7)), CVxException);
  EXPECT_EQ(writer.GetEOLType(), EOLType_CRLF);
}

// Octets of 0x80 and above are checked as the output will hold them: as
// UTF-8 where local text is UTF-8, else converted first.
TEST(XmlTextWriter, NonAsciiLocalTextInEveryMode) {
  auto element = [](const char* name, XmlEncoding encoding) {
    return vxtest::Failure([&] {
      CTextStream stream(encoding);
      CXmlTextWriter w(stream);
      w.Open();
      w.WriteStartElement(name, "");
      w.WriteString("t\xE9", ItemType_string);
    });
  };
  const std::string saved = setlocale(LC_ALL, nullptr);
  setlocale(LC_ALL, "C");  // ASCII only: the encoder writes '?' for the rest
  const std::string asciiText = element("a", XmlEncoding_UTF8);
  const std::string asciiName = element("\xC3\xA9", XmlEncoding_UTF8);
  ASCIIOnly(true);  // octets as they are: UTF-8 to UTF-8, characters to UTF-16
  const std::string rawUtf8 = element("a", XmlEncoding_UTF8);
  const std::string rawUtf16 = element("\xE9", XmlEncoding_UTF16);
  ASCIIOnly(false);
  setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(asciiText, "");
  EXPECT_EQ(asciiName, vxtest::Named<CVxException>("Invalid XML name [\xC3\xA9]."));
  EXPECT_EQ(rawUtf8, vxtest::Named<CVxException>(
                         "Ill-formed UTF-8 sequence starting with the octet 0xE9 cannot be "
                         "written in XML."));
  EXPECT_EQ(rawUtf16, "");
}

namespace {

// Records the stream length at every flush.
class RecordingStream : public CTextStream {
 public:
  RecordingStream() : CTextStream(XmlEncoding_UTF8) {}
  void Flush() override {
    lengths.push_back(GetLength());
    Open();
  }
  std::vector<uint64_t> lengths;
};

}  // namespace

TEST(XmlTextWriter, FlushesPastFourThousandNinetyFiveCharacters) {
  RecordingStream stream;
  CXmlTextWriter writer(stream);
  writer.Open();
  writer.WriteStartElement("r", "");
  writer.WriteString(std::string(4094, 'x'), ItemType_string);  // "<r>" + 4094 = 4097
  ASSERT_EQ(stream.lengths.size(), 1u);
  EXPECT_EQ(stream.lengths[0], 4097u);
  writer.WriteString(std::string(4095, 'y'), ItemType_string);  // exactly 4095: no flush
  EXPECT_EQ(stream.lengths.size(), 1u);
  writer.WriteEndElement();
  ASSERT_EQ(stream.lengths.size(), 2u);
  EXPECT_EQ(stream.lengths[1], 4095u + 5u);
  writer.Close();
}

TEST(XmlTextWriter, FileStreamWritesInPiecesAndCloseWithOpenElementThrows) {
  const std::string path = ::testing::TempDir() + "vxxml_writer_close.xml";
  const int before = OpenDescriptors();
  {
    CFileTextStream stream(path.c_str(), XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    writer.Open();
    writer.WriteStartDocument();
    writer.WriteStartElement("r", "");
    for (int i = 0; i < 3000; ++i) {
      writer.WriteStartElement("e", "");
      writer.WriteString("caf\xc3\xa9", ItemType_string);
      writer.WriteEndElement();
    }
    EXPECT_LT(stream.GetLength(), 4096u);
    try {
      writer.Close();
      ADD_FAILURE() << "Close did not throw";
    } catch (const CVxException& e) {
      EXPECT_EQ(typeid(e), typeid(CVxException));
      EXPECT_EQ(e.GetFullMessage(), "An Element has not been closed.");
    }
    EXPECT_FALSE(stream.IsOpen());
  }
  EXPECT_EQ(OpenDescriptors(), before);
  const std::string bytes = ReadFile(path);
  EXPECT_EQ(bytes.compare(0, 39, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"), 0);
  EXPECT_EQ(bytes.size(), 39u + 4u + 3000u * 14u);  // "\t<e>caf\xc3\xa9</e>\n"
  std::remove(path.c_str());
}

TEST(XmlTextWriter, ManyGeneratedPrefixesStayUnique) {
  std::string out = Write(
      [](CXmlTextWriter& w) {
        w.WriteStartElement("r", "");
        for (int i = 0; i < 700; ++i)
          w.WriteAttributeString("a", "urn:n" + std::to_string(i), "v", ItemType_string);
        w.WriteEndElement();
      },
      EOLType_LF, false);
  EXPECT_NE(out.find(" xmlns:ZZ=\"urn:n675\" ZZ:a=\"v\""), std::string::npos);
  EXPECT_NE(out.find(" xmlns:AAA=\"urn:n676\" AAA:a=\"v\""), std::string::npos);
  auto parsed = ParseXml(out.data(), out.size());
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.root->attrs.size(), 700u);
  // So many names on one tag are looked up in a set: a second one is refused.
  EXPECT_TRUE(vxtest::Throws<CVxException>(
      [] {
        CTextStream stream;
        CXmlTextWriter w(stream);
        w.WriteStartElement("r", "");
        for (int i = 0; i < 40; ++i)
          w.WriteAttributeString("a" + std::to_string(i), "", "v", ItemType_string);
        w.WriteAttributeString("a7", "", "v", ItemType_string);
      },
      "The attribute [a7] is written twice on one element."));
}

TEST(XmlTextWriter, DeepNestingIsReleasedWithoutRecursion) {
  CTextStream stream;
  {
    CXmlTextWriter writer(stream);
    writer.SetFormat(false);
    for (int i = 0; i < 200000; ++i) writer.WriteStartElement("e", "urn:x");
  }  // destroyed with every element open
  EXPECT_EQ(stream.GetLength(), 200000u * 6u - 1u + 17u);  // "<AA:e>" each
}

// ---- random documents, read back with expat ---------------------------------------------

namespace {

struct Expected {
  std::string name;
  std::map<std::string, std::string> attrs;
  std::string text;
  bool exactText = true;
  std::vector<Expected> children;
};

class RandomDocument {
 public:
  RandomDocument(unsigned seed, bool format) : m_rng(seed), m_format(format) {}

  Expected Write(CXmlTextWriter& w) {
    static const char* const kUris[] = {"", "urn:a", "urn:b", "http://e.org/c?x=1&y=\"2\"",
                                        "urn:d"};
    if (Pick(2)) w.SetDefaultNamespace(kUris[1 + Pick(4)]);
    static const char* const kPrefixes[] = {"p", "q", "AB"};
    for (int i = Pick(3); i > 0; --i) w.AddNamespace(kPrefixes[i - 1], kUris[1 + Pick(4)]);
    m_uris = kUris;
    return Element(w, 0);
  }

 private:
  int Pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }

  std::string Text() {
    static const char* const kPieces[] = {"a", "Z", " ", "&", "<", ">", "\"", "'", "\n",
                                          "\r\n", "\r", "\xc3\xa9", "\xe4\xb8\xad",
                                          "\xf0\x9f\x98\x80", "]]>", "\t", "--", "x1"};
    std::string s;
    for (int i = Pick(8); i > 0; --i) s += kPieces[Pick(18)];
    return s;
  }

  static std::string Expanded(const std::string& uri, const std::string& local) {
    return uri.empty() ? local : uri + "|" + local;
  }

  // Pairings and default namespaces changed inside elements, now and then.
  void MaybeChangeNamespaces(CXmlTextWriter& w) {
    static const char* const kLocalPrefixes[] = {"p", "q", "r"};
    switch (Pick(10)) {
      case 0:
        w.AddNamespace(kLocalPrefixes[Pick(3)], m_uris[1 + Pick(4)]);
        break;
      case 1:
        w.SetDefaultNamespace(m_uris[Pick(5)]);
        break;
      default:
        break;
    }
  }

  Expected Element(CXmlTextWriter& w, int depth) {
    static const char* const kNames[] = {"a", "b", "item", "x-y", "n.1", "_u"};
    Expected e;
    const std::string uri = m_uris[Pick(5)];
    const std::string local = kNames[Pick(6)];
    e.name = Expanded(uri, local);
    w.WriteStartElement(local, uri);
    MaybeChangeNamespaces(w);
    for (int i = Pick(4); i > 0; --i) {
      std::string auri = Pick(6) == 0 ? "http://www.w3.org/XML/1998/namespace" : m_uris[Pick(5)];
      std::string alocal = kNames[Pick(6)];
      const std::string key = Expanded(auri, alocal);
      if (e.attrs.count(key)) continue;
      const std::string value = Text();
      e.attrs[key] = value;
      w.WriteAttributeString(alocal, auri, value, ItemType_string);
    }
    const int items = depth >= 4 ? Pick(2) : 1 + Pick(6);
    for (int i = 0; i < items; ++i) {
      switch (Pick(4)) {
        case 0:
        case 1: {
          std::string text = Text();
          if (text.compare(0, 9, "<![CDATA[") == 0) break;
          w.WriteString(text, ItemType_string);
          e.text += text;
          break;
        }
        case 2:
          w.WriteComment(Text());
          e.exactText = false;
          break;
        default:
          e.children.push_back(Element(w, depth + 1));
          if (m_format) e.exactText = false;
      }
      MaybeChangeNamespaces(w);
    }
    w.WriteEndElement();
    return e;
  }

  std::mt19937 m_rng;
  bool m_format;
  const char* const* m_uris = nullptr;
};

void Compare(const Expected& expected, const Node& actual, const std::string& where) {
  ASSERT_EQ(actual.name, expected.name) << where;
  EXPECT_EQ(actual.attrs, expected.attrs) << where;
  if (expected.exactText) {
    EXPECT_EQ(actual.text, expected.text) << where;
  }
  ASSERT_EQ(actual.children.size(), expected.children.size()) << where;
  for (size_t i = 0; i < expected.children.size(); ++i)
    Compare(expected.children[i], *actual.children[i], where + "/" + std::to_string(i));
}

}  // namespace

TEST(XmlTextWriter, RandomDocumentsReadBackWithTheirNamespaces) {
  size_t totalBytes = 0;
  for (unsigned seed = 1; seed <= 600; ++seed) {
    const bool format = seed % 2 == 0;
    const EOLType eol = seed % 3 == 0 ? EOLType_CRLF : EOLType_LF;
    const XmlEncoding encoding = seed % 4 == 1 ? XmlEncoding_UTF16 : XmlEncoding_UTF8;
    CTextStream stream(encoding);
    CXmlTextWriter writer(stream);
    writer.SetFormat(format);
    writer.SetEOLType(eol);
    writer.Open();
    writer.WriteStartDocument();
    RandomDocument doc(seed, format);
    const Expected expected = doc.Write(writer);
    writer.Close();
    const CBinaryData bytes = stream.GetEncodedStream();
    auto parsed = ParseXml(bytes.GetData(), bytes.GetLength());
    ASSERT_TRUE(parsed.ok) << "seed " << seed << ": " << parsed.error << "\n" << stream.GetText();
    Compare(expected, *parsed.root, "seed " + std::to_string(seed));
    totalBytes += bytes.GetLength();
    if (HasFailure()) {
      ADD_FAILURE() << stream.GetText();
      break;
    }
  }
  EXPECT_GT(totalBytes, 100000u);  // the documents are not trivial
}
