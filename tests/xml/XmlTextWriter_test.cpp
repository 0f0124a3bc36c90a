#include "vxxml/XmlTextWriter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "vxxml/Encoder.h"
#include "vxxml/Exception.h"
#include "TestUtil.h"
#include "vxxml/XmlDocument.h"
#include "xml/TreeDump.h"
#include "xml/WriterSteps.h"

using namespace VxXmlLib10;
using vxxml_test::Steps;

namespace {

std::string Write(const Steps& steps, bool format = true, EOLType eol = EOLType_LF,
                  XmlEncoding encoding = XmlEncoding_UTF8) {
  CTextStream stream(encoding);
  CXmlTextWriter writer(stream);
  writer.SetEOLType(eol);
  writer.SetFormat(format);
  writer.Open();
  vxxml_test::Run(writer, steps);
  writer.Close();
  return stream.GetText();
}

}  // namespace

// UTF-8 is named in ElementShapes.
TEST(XmlTextWriter, DeclarationNamesTheStreamEncoding) {
  const std::string plain = "<?xml version=\"1.0\"?>\n";
  EXPECT_EQ(Write({{'D'}}, false, EOLType_LF, XmlEncoding_None), plain);
  EXPECT_EQ(Write({{'D'}}, false, EOLType_LF, XmlEncoding_UTF16NoDecl), plain);
  EXPECT_EQ(Write({{'D'}}, false, EOLType_LF, XmlEncoding_UTF16),
            "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n");
}

TEST(XmlTextWriter, EscapingTable) {
  const struct {
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
  for (const auto& c : cases) {
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
  const char* const xml = "http://www.w3.org/XML/1998/namespace";
  const struct {
    const char* name;
    Steps steps;
    bool format;
    const char* expected;
    bool crlf = false;
  } cases[] = {
      {"line ends, declarations on the root",
       {{'D'}, {'d', "urn:a"}, {'n', "p", "urn:b"}, {'<', "r", "urn:a"}, {'<', "c", "urn:a"},
        {'t', "text"}, {'>'}, {'<', "d", "urn:b"}, {'>'}, {'>'}},
       true,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<r xmlns=\"urn:a\" xmlns:p=\"urn:b\">\r\n"
       "\t<c>text</c>\r\n\t<p:d/>\r\n</r>\r\n",
       true},
      {"empty text keeps the tag open", {{'<', "a"}, {'t', ""}, {'>'}}, true, "<a/>\n"},
      {"CDATA sections at the start pass, anything else is escaped",
       {{'<', "a"}, {'<', "b"}, {'t', "<![CDATA[x<y]]>&<![CDATA[z]]>"}, {'>'}, {'<', "c"},
        {'t', "t<![CDATA["}, {'>'}, {'<', "d"}, {'t', "<![CDATA[<e"}, {'>'}, {'>'}},
       true,
       "<a>\n\t<b><![CDATA[x<y]]>&amp;<![CDATA[z]]></b>\n\t<c>t&lt;![CDATA[</c>\n"
       "\t<d>&lt;![CDATA[&lt;e</d>\n</a>\n"},
      {"nested elements share a generated prefix, siblings declare it again",
       {{'<', "r"}, {'<', "o", "urn:x"}, {'<', "i", "urn:x"}, {'>'}, {'>'}, {'<', "s", "urn:x"},
        {'>'}, {'>'}},
       false, "<r><AA:o xmlns:AA=\"urn:x\"><AA:i/></AA:o><AA:s xmlns:AA=\"urn:x\"/></r>"},
      {"an attribute in the default namespace is prefixed",
       {{'d', "urn:a"}, {'<', "r", "urn:a"}, {'@', "at", "urn:a", "v"}, {'@', "plain", "", "w"},
        {'@', "lang", xml, "en"}, {'>'}},
       false, "<r xmlns=\"urn:a\" xmlns:AA=\"urn:a\" AA:at=\"v\" plain=\"w\" xml:lang=\"en\"/>"},
      {"writer-level pairs are declared on the root in URI order",
       {{'n', "z", "urn:b"}, {'n', "y", "urn:a"}, {'<', "r", "urn:b"}, {'<', "c", "urn:a"}, {'>'},
        {'>'}},
       false, "<z:r xmlns:y=\"urn:a\" xmlns:z=\"urn:b\"><y:c/></z:r>"},
      {"a pairing made twice on an open tag is declared once and kept",
       {{'<', "r"}, {'n', "p", "urn:x"}, {'<', "c", "urn:x"}, {'n', "p", "urn:x"},
        {'n', "p", "urn:x"}, {'<', "d", "urn:x"}, {'>'}, {'>'}, {'>'}},
       false, "<r xmlns:p=\"urn:x\"><p:c><p:d/></p:c></r>"},
      {"a user prefix is never generated again",
       {{'n', "AA", "urn:a"}, {'<', "r", "urn:b"}, {'>'}}, false,
       "<AB:r xmlns:AB=\"urn:b\" xmlns:AA=\"urn:a\"/>"},
      {"xsi:type and xsi:nil",
       {{'d', "urn:a"}, {'<', "r", "urn:a"}, {'x', "urn:a", "T"}, {'<', "c", "urn:a"},
        {'x', "urn:t", "U"}, {'0'}, {'>'}, {'>'}},
       false,
       "<r xmlns=\"urn:a\" xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:type=\"T\">"
       "<c xmlns:AB=\"urn:t\"  AA:type=\"AB:U\" AA:nil=\"true\"/></r>"},
      {"format off: line ends only from text, comments, PIs, directives, schema",
       {{'D'}, {'h', "<!DOCTYPE r>"}, {'?', "<?pi x?>"}, {'<', "r"}, {'s', "<s/>"}, {'!', "c"},
        {'<', "t"}, {'t', "a\nb"}, {'>'}, {'>'}},
       false,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE r>\n<?pi x?>\n\n"
       "<r> \n<s/>\n<!--c-->\n<t>a\nb</t></r>"},
      {"a comment closes the pending start tag and keeps hyphens apart",
       {{'<', "r"}, {'<', "c"}, {'!', "a--b-<&"}, {'>'}, {'>'}}, true,
       "<r>\n\t<c>\n<!--a- -b-&lt;&amp;-->\n\t</c>\n</r>\n"},
      {"raw element and nested indentation",
       {{'<', "r"}, {'<', "a"}, {'<', "b"}, {'t', "t"}, {'>'}, {'>'}, {'c'}, {'r', "<raw/>"},
        {'>'}},
       true, "<r>\n\t<a>\n\t\t<b>t</b>\n\t</a>\n<raw/>\n</r>\n"},
      {"an element in no namespace leaves the default namespace",
       {{'d', "urn:a"}, {'<', "r", "urn:a"}, {'<', "u"}, {'<', "q", "urn:a"}, {'>'}, {'>'}, {'>'}},
       false, "<r xmlns=\"urn:a\"><u xmlns=\"\"><q xmlns=\"urn:a\"/></u></r>"},
      // "p" names urn:p2 when c is written: urn:p takes a new prefix; once r's start
      // tag is closed, "s" is declared on the children.
      {"namespace calls inside an element are declared where they take effect",
       {{'n', "p", "urn:p"}, {'<', "r"}, {'n', "q", "urn:q"}, {'n', "p", "urn:p2"},
        {'@', "a", "urn:q", "1"}, {'<', "c", "urn:p"}, {'>'}, {'d', "urn:d"}, {'n', "s", "urn:s"},
        {'<', "e", "urn:d"}, {'<', "f", "urn:s"}, {'>'}, {'>'}, {'>'}},
       false,
       "<r xmlns:p=\"urn:p\" xmlns:q=\"urn:q\" q:a=\"1\">"
       "<AA:c xmlns:AA=\"urn:p\" xmlns:p=\"urn:p2\"/>"
       "<e xmlns=\"urn:d\" xmlns:s=\"urn:s\" xmlns:p=\"urn:p2\"><s:f/></e></r>"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Write(c.steps, c.format, c.crlf ? EOLType_CRLF : EOLType_LF), c.expected) << c.name;
}

TEST(XmlTextWriter, FailuresCarryTheirMessages) {
  const std::string beforeElements =
      vxtest::Named<CVxException>("Attributes must be added before elements");
  auto fails = [](const std::string& message) { return vxtest::Named<CVxException>(message); };
  const struct {
    Steps steps;
    std::string failure;
  } cases[] = {
      {{{'<', "a"}, {'h', "x"}},
       fails("Headed directives must appear before an Element has been added.")},
      {{{'<', "a"}, {'t', "t"}, {'@', "b", "", "v"}}, beforeElements},
      {{{'<', "a"}, {'<', "b"}, {'>'}, {'x', "urn:t", "T"}}, beforeElements},
      {{{'<', "a"}, {'!', "c"}, {'0'}}, beforeElements},
      {{{'@', "b", "", "v"}}, beforeElements},
      {{{'<', "a"}, {'C'}}, fails("An Element has not been closed.")},
      {{{'t', "t"}},
       vxtest::Named<CVxInvalidStateException>("Text can only be written inside an Element.")},
      {{{'>'}}, vxtest::Named<CVxInvalidStateException>("There is no open Element to end.")},
      // Nothing that is not well-formed XML is written.
      {{{'<', "a"}, {'t', "x\x01"}}, fails("Character U+0001 cannot be written in XML 1.0.")},
      {{{'<', "a"}, {'@', "k", "", std::string("x\0y", 3)}},
       fails("Character U+0000 cannot be written in XML 1.0.")},
      {{{'<', "a"}, {'t', "\xef\xbf\xbe"}},
       fails("Character U+FFFE cannot be written in XML 1.0.")},
      {{{'<', "a"}, {'t', std::string(20, 'x') + "\xff"}},
       fails("Ill-formed UTF-8 sequence starting with the octet 0xFF cannot be written in XML.")},
      {{{'<', "a<"}}, fails("Invalid XML name [a<].")},
      {{{'<', "p:a", "urn:p"}}, fails("Invalid XML name [p:a].")},
      {{{'<', "r\xEF\xBB\xBF"}}, fails("Invalid XML name [r\xEF\xBB\xBF].")},
      {{{'<', "a"}, {'@', "\xc3\xa9\x01", "", "v"}}, fails("Invalid XML name [\xc3\xa9\\x01].")},
      {{{'n', "1p", "urn:p"}, {'<', "a"}}, fails("Invalid XML name [1p].")},
      {{{'<', "a"}, {'@', "k", "urn:k", "1"}, {'@', "k", "urn:k", "2"}},
       fails("The attribute [AA:k] is written twice on one element.")},
  };
  for (const auto& c : cases) {
    CTextStream stream;
    CXmlTextWriter writer(stream);
    writer.Open();
    EXPECT_EQ(vxtest::Failure([&] { vxxml_test::Run(writer, c.steps); }), c.failure);
  }
  // A refused line-end type changes nothing.
  CTextStream stream;
  CXmlTextWriter writer(stream);
  writer.SetEOLType(EOLType_CRLF);
  EXPECT_EQ(vxtest::Failure([&] { writer.SetEOLType(static_cast<EOLType>(2)); }),
            fails("Invalid EOL type."));
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
  // "<r>" and 4094: 4097 flushed; then exactly 4095: kept until "</r>" follows.
  vxxml_test::Run(writer,
                  {{'<', "r"}, {'t', std::string(4094, 'x')}, {'t', std::string(4095, 'y')}});
  EXPECT_EQ(stream.lengths, std::vector<uint64_t>{4097u});
  writer.WriteEndElement();
  EXPECT_EQ(stream.lengths, (std::vector<uint64_t>{4097u, 4095u + 5u}));
  writer.Close();
}

// Closing with an element open fails, but the file is written and closed.
TEST(XmlTextWriter, CloseWithAnOpenElementClosesTheFile) {
  const std::string path = vxtest::TempPath("writer_close.xml");
  {
    CFileTextStream stream(path.c_str(), XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    writer.Open();
    vxxml_test::Run(writer, {{'<', "r"}, {'<', "e"}, {'t', "caf\xc3\xa9"}, {'>'}});
    EXPECT_TRUE(vxtest::Throws<CVxException>([&] { writer.Close(); },
                                             "An Element has not been closed."));
    EXPECT_FALSE(stream.IsOpen());
  }
  EXPECT_EQ(vxtest::ReadFile(path), "<r>\n\t<e>caf\xc3\xa9</e>\n");
  std::remove(path.c_str());
}

TEST(XmlTextWriter, ManyGeneratedPrefixesStayUnique) {
  Steps steps = {{'<', "r"}};
  for (int i = 0; i < 700; ++i) steps.push_back({'@', "a", "urn:n" + std::to_string(i), "v"});
  steps.push_back({'>'});
  const std::string out = Write(steps, false);
  EXPECT_NE(out.find(" xmlns:ZZ=\"urn:n675\" ZZ:a=\"v\""), std::string::npos);
  EXPECT_NE(out.find(" xmlns:AAA=\"urn:n676\" AAA:a=\"v\""), std::string::npos);
  CXmlDocument doc;
  doc.LoadXml(out.c_str());
  EXPECT_EQ(doc.GetDocumentElement()->GetAttributes().size(), 700u);
  // So many names on one tag are looked up in a set: a second one is refused.
  steps = {{'<', "r"}};
  for (int i = 0; i < 40; ++i) steps.push_back({'@', "a" + std::to_string(i), "", "v"});
  steps.push_back({'@', "a7", "", "v"});
  EXPECT_TRUE(vxtest::Throws<CVxException>([&] { Write(steps); },
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

// ---- random documents, read back ---------------------------------------------------------

namespace {

const char* const kUris[] = {"", "urn:a", "urn:b", "http://e.org/c?x=1&y=\"2\"", "urn:d"};

// Writes random elements, unformatted, and gives what DumpTree must show for them read back.
struct RandomDocument {
  std::mt19937 rng;
  int Pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

  std::string Text() {
    static const char* const kPieces[] = {"a", "Z", " ", "&", "<", ">", "\"", "'", "\n",
                                          "\r\n", "\r", "\xc3\xa9", "\xe4\xb8\xad",
                                          "\xf0\x9f\x98\x80", "]]>", "\t", "--", "x1"};
    std::string s;
    for (int i = Pick(8); i > 0; --i) s += kPieces[Pick(18)];
    return s;
  }

  // Pairings and default namespaces changed inside elements, now and then.
  void MaybeChangeNamespaces(CXmlTextWriter& w) {
    static const char* const kPrefixes[] = {"p", "q", "r"};
    const int what = Pick(10);
    if (what == 0) w.AddNamespace(kPrefixes[Pick(3)], kUris[1 + Pick(4)]);
    if (what == 1) w.SetDefaultNamespace(kUris[Pick(5)]);
  }

  std::string Element(CXmlTextWriter& w, int depth) {
    static const char* const kNames[] = {"a", "b", "item", "x-y", "n.1", "_u"};
    const std::string uri = kUris[Pick(5)], local = kNames[Pick(6)];
    std::string line = std::string(2 * depth, ' ') + "{" + uri + "}" + local, text, children;
    w.WriteStartElement(local, uri);
    MaybeChangeNamespaces(w);
    std::set<std::string> names;
    for (int i = Pick(4); i > 0; --i) {
      const std::string auri = Pick(6) == 0 ? "http://www.w3.org/XML/1998/namespace" : kUris[Pick(5)];
      const std::string alocal = kNames[Pick(6)], value = Text();
      if (!names.insert("{" + auri + "}" + alocal).second) continue;
      line += " @{" + auri + "}" + alocal + "=\"" + value + "\"";
      w.WriteAttributeString(alocal, auri, value, ItemType_string);
    }
    for (int i = depth >= 4 ? Pick(2) : 1 + Pick(6); i > 0; --i) {
      if (Pick(3) < 2) {
        const std::string t = Text();
        w.WriteString(t, ItemType_string);
        text += t;
      } else {
        children += Element(w, depth + 1);
      }
      MaybeChangeNamespaces(w);
    }
    w.WriteEndElement();
    return line + (text.empty() ? "" : " \"" + text + "\"") + "\n" + children;
  }
};

}  // namespace

TEST(XmlTextWriter, RandomDocumentsReadBackWithTheirNamespaces) {
  size_t totalBytes = 0;
  for (unsigned seed = 1; seed <= 600 && !HasFailure(); ++seed) {
    CTextStream stream(seed % 4 == 1 ? XmlEncoding_UTF16 : XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    RandomDocument doc{std::mt19937(seed)};
    writer.SetFormat(false);
    writer.SetEOLType(seed % 3 == 0 ? EOLType_CRLF : EOLType_LF);
    writer.Open();
    writer.WriteStartDocument();
    if (doc.Pick(2)) writer.SetDefaultNamespace(kUris[1 + doc.Pick(4)]);
    static const char* const kPrefixes[] = {"p", "q", "AB"};
    for (int i = doc.Pick(3); i > 0; --i)
      writer.AddNamespace(kPrefixes[i - 1], kUris[1 + doc.Pick(4)]);
    const std::string expected = doc.Element(writer, 0);
    writer.Close();
    const CBinaryData bytes = stream.GetEncodedStream();
    CXmlDocument read;
    ASSERT_EQ(vxtest::Failure([&] { read.LoadXmlStream(bytes.GetData(), bytes.GetLength()); }), "")
        << "seed " << seed << "\n" << stream.GetText();
    EXPECT_EQ(vxxml_test::DumpTree(read.GetDocumentElement()), expected) << stream.GetText();
    totalBytes += bytes.GetLength();
  }
  EXPECT_GT(totalBytes, 100000u);  // the documents are not trivial
}
