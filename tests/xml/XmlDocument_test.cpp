#include "vxxml/XmlDocument.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "vxxml/Encoder.h"
#include "vxxml/Exception.h"
#include "vxxml/XmlEventReader.h"
#include "TestUtil.h"
#include "xml/TreeDump.h"

using namespace VxXmlLib10;
using vxtest::ReadFile;
using vxtest::TempPath;
using vxtest::WriteFile;
using vxxml_test::DumpTree;

namespace {

const std::string kDataDir = VXXML_TEST_DATA_DIR "/xml/";

void LoadBytes(CXmlDocument& doc, const std::string& bytes) {
  doc.LoadXmlStream(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// The tree of tests/data/xml/sample-*.xml, in every encoding and form.
const char kSampleTree[] =
    "{urn:vxxml:test}doc @{http://www.w3.org/XML/1998/namespace}lang=\"fr\" "
    "\"\n  \n  \n  \n  \n  \n\"\n"
    "  {urn:vxxml:p}item @{}id=\"1\" @{urn:vxxml:p}kind=\"caf\xC3\xA9\" "
    "\"Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65\"\n"
    "  {urn:vxxml:test}item @{}id=\"2\" \"a<b & c\"\n"
    "  {urn:vxxml:test}empty\n"
    "  {urn:vxxml:test}mixed \"onethree\"\n"
    "    {urn:vxxml:test}b \"two\"\n"
    "  {}plain \"na\xC3\xAFve\"\n";

const char* const kSampleFiles[] = {"sample-utf8.xml", "sample-utf8-bom.xml", "sample-utf16le.xml",
                                    "sample-utf16be.xml", "sample-latin1-crlf.xml"};

}  // namespace

// Every encoding, as a file, a buffer, a string and a wide string, compressed
// or not, builds the same tree.
TEST(XmlDocument, EveryInputFormBuildsTheSameTree) {
  const std::string gzPath = TempPath("sample.xml.gz");
  for (const std::string name : kSampleFiles) {
    const std::string path = kDataDir + name, bytes = ReadFile(path);
    const std::string gz = vxxml_test::Gzip(bytes), zl = vxxml_test::Zlib(bytes);
    WriteFile(gzPath, gz);
    std::vector<std::function<void(CXmlDocument&)>> forms = {
        [&](CXmlDocument& d) { d.Load(path.c_str()); },
        [&](CXmlDocument& d) { d.Load(gzPath.c_str()); },
        [&](CXmlDocument& d) { LoadBytes(d, bytes); },
        [&](CXmlDocument& d) { LoadBytes(d, gz); },
        [&](CXmlDocument& d) { LoadBytes(d, zl); },
    };
    // Strings carry single bytes (UTF-16 cannot travel in one); wide strings, characters.
    if (bytes.find('\0') == std::string::npos)
      forms.push_back([&](CXmlDocument& d) { d.LoadXml(bytes.c_str()); });
    std::wstring wide(bytes.size(), L'\0');
    if (name == "sample-utf8.xml") {  // without its declaration, which names UTF-8
      wide.resize(std::mbstowcs(&wide[0], bytes.c_str() + bytes.find('\n') + 1, wide.size()));
      forms.push_back([&](CXmlDocument& d) { d.LoadXml(wide.c_str()); });
    }
    for (size_t form = 0; form < forms.size(); ++form) {
      CXmlDocument doc;
      ASSERT_EQ(vxtest::Failure([&] { forms[form](doc); }), "") << name << " form " << form;
      EXPECT_EQ(DumpTree(doc.GetDocumentElement()), kSampleTree) << name << " form " << form;
      EXPECT_EQ(doc.GetParsedLength(), form == 4 ? bytes.size() : doc.GetParsedLength());
    }
  }
  std::remove(gzPath.c_str());
}

TEST(XmlDocument, WideStringsCarryEveryCharacter) {
  CXmlDocument doc;
  doc.LoadXml(L"<a b='\u20AC'>\U0001D11E\u00E9</a>");
  EXPECT_EQ(DumpTree(doc.GetDocumentElement()),
            "{}a @{}b=\"\xE2\x82\xAC\" \"\xF0\x9D\x84\x9E\xC3\xA9\"\n");

  // A pair spelled out in two wchar_t is one character; a lone surrogate or
  // a value beyond U+10FFFF is no character and becomes U+FFFD.
  const wchar_t odd[] = {L'<', L'a', L'>', 0xD834, 0xDD1E, 0xD800, L'x', 0xDC00,
                         static_cast<wchar_t>(0x110000), L'<', L'/', L'a', L'>', 0};
  doc.LoadXml(odd);
  EXPECT_EQ(doc.GetDocumentElement()->GetText(),
            "\xF0\x9D\x84\x9E\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(XmlDocument, NamesAndTextAreConvertedToTheLocalCodePage) {
  const std::string saved = setlocale(LC_ALL, nullptr);
  setlocale(LC_ALL, "C");  // ASCII only: everything else becomes '?'
  CXmlDocument doc;
  doc.LoadXml(
      "<\xC3\xA9l\xC3\xA9ment a='\xE2\x82\xAC!'>x\xF0\x9D\x84\x9Ey</\xC3\xA9l\xC3\xA9ment>");
  const std::string dump = DumpTree(doc.GetDocumentElement());
  // The ASCII-only switch takes the parser's bytes as they are.
  ASCIIOnly(true);
  doc.LoadXml("<a b='\xC3\xA9'>\xE2\x82\xAC</a>");
  ASCIIOnly(false);
  const std::string asIs = DumpTree(doc.GetDocumentElement());
  setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(dump, "{}?l?ment @{}a=\"?!\" \"x?y\"\n");
  EXPECT_EQ(asIs, "{}a @{}b=\"\xC3\xA9\" \"\xE2\x82\xAC\"\n");
}

TEST(XmlDocument, EmptyInputsAndFileErrorsAreRefused) {
  const std::string missing = TempPath("missing.xml"), empty = TempPath("empty.xml");
  const std::string dir = TempPath("dir"), fifo = TempPath("fifo");
  WriteFile(empty, "");
  mkdir(dir.c_str(), 0700);
  mkfifo(fifo.c_str(), 0600);
  const int fifoFd = open(fifo.c_str(), O_RDWR | O_NONBLOCK);  // so opening it never blocks
  ASSERT_GE(fifoFd, 0);
  const unsigned char byte = '<';
  CXmlDocument doc;
  const struct {
    std::function<void()> load;
    std::string message;
  } cases[] = {
      {[&] { doc.LoadXml(""); }, "XML String is empty!"},
      {[&] { doc.LoadXml(static_cast<const char*>(nullptr)); }, "XML String is empty!"},
      {[&] { doc.LoadXml(L""); }, "XML String is empty!"},
      {[&] { doc.LoadXmlStream(&byte, 0); }, "XML Stream is empty!"},
      {[&] { doc.LoadXmlStream(nullptr, 5); }, "XML Stream is empty!"},
      {[&] { doc.Load(missing.c_str()); }, "Failed to open the file [" + missing + "]"},
      {[&] { doc.Load(empty.c_str()); },
       "Failed to read the contents of the file [" + empty + "] Error [0]"},
      {[&] { doc.Load(dir.c_str()); },
       "Failed to read the contents of the file [" + dir + "] Error [21]"},
      {[&] { doc.Load(fifo.c_str()); },
       "Failed to get the size of the file [" + fifo + "] Error [29]"},
  };
  for (const auto& c : cases) {
    doc.LoadXml("<old/>");
    EXPECT_EQ(vxtest::Failure(c.load), vxtest::Named<CVxException>(c.message));
    EXPECT_EQ(doc.GetDocumentElement(), nullptr);  // the old tree went first
  }
  close(fifoFd);
  std::remove(fifo.c_str());
  std::remove(empty.c_str());
  rmdir(dir.c_str());
}

TEST(XmlDocument, FastInfosetIsRecognisedByItsHeader) {
  const std::string header("\xE0\x00\x00\x01", 4);
  const std::string fi = header + std::string("\x00\x38\xF0\x3C\x00\x61\xFF", 7);  // <a/>
  const struct {
    std::string bytes;
    std::string expected;  // the tree, or the message
  } cases[] = {
      {"<?xml encoding='finf'?>" + fi, "{}a\n"},
      {"<?xml version='1.1' encoding='finf' standalone='no'?>" + fi, "{}a\n"},
      {vxxml_test::Zlib("<?xml version='1.0' encoding='finf'?>" + fi), "{}a\n"},
      // Only version 1 is Fast Infoset; anything else is left to the text reader.
      {std::string("\xE0\x00\x00\x02", 4) + fi.substr(4),
       "not well-formed (invalid token) at line 1"},
      // Without the header after it, the declaration is XML text.
      {"<?xml encoding='finf'?><a/>", "XML declaration not well-formed at line 1"},
      {"<?xml version='1.0' encoding='finf'?><a/>", "unknown encoding at line 1"},
      // The header alone, with nothing after it, is not taken for Fast Infoset.
      {header, "syntax error at line 1"},
  };
  CXmlDocument doc;
  for (const auto& c : cases) {
    const std::string failure = vxtest::Failure([&] { LoadBytes(doc, c.bytes); });
    EXPECT_EQ(failure.empty() ? DumpTree(doc.GetDocumentElement()) : failure,
              c.expected[0] == '{' ? c.expected : vxtest::Named<CVxException>(c.expected));
  }
}

// The context's bounds hold for every entry point and both readers. (How
// compressed input is refused is the inflater's own test.)
TEST(XmlDocument, ReadingIsBounded) {
  const std::string fi = std::string("\xE0\x00\x00\x01\x00\x3C\x00\x61\x00\xFF\xF0", 11);
  const std::string deep = "<a><b><c/></b></a>", wide = "<a><b/><c/></a>";
  const std::string path = TempPath("bounded.xml.gz");
  const struct {
    char limit;  // D depth, E elements, S decompressed size, R compression ratio
    unsigned value;
    char form;  // x string, w wide string, b bytes, f file
    std::string input, expected;  // the tree, or the message
  } cases[] = {
      {'D', 2, 'x', deep, "Element nesting exceeds the limit MaxDepth [2]"},
      {'D', 3, 'x', deep, "{}a\n  {}b\n    {}c\n"},
      {'D', 1, 'b', fi, "Element nesting exceeds the limit MaxDepth [1]"},
      {'E', 2, 'w', wide, "Element count exceeds the limit MaxElements [2]"},
      {'E', 3, 'w', wide, "{}a\n  {}b\n  {}c\n"},
      {'E', 1, 'b', vxxml_test::Zlib(fi), "Element count exceeds the limit MaxElements [1]"},
      {'S', 3, 'f', vxxml_test::Gzip("<a/>"),
       "Decompressed data exceeds the limit MaxDecompressedSize [3 bytes]"},
      {'R', 2, 'b', vxxml_test::Gzip("<a>" + std::string(5 << 20, ' ') + "</a>"),
       "Decompressed data exceeds the limit MaxCompressionRatio [2:1]"},
  };
  for (const auto& c : cases) {
    CXmlSerializationContext context;
    if (c.limit == 'D') context.SetMaxDepth(c.value);
    if (c.limit == 'E') context.SetMaxElements(c.value);
    if (c.limit == 'S') context.SetMaxDecompressedSize(c.value);
    if (c.limit == 'R') context.SetMaxCompressionRatio(c.value);
    CXmlDocument doc(context);
    if (c.form == 'f') WriteFile(path, c.input);
    const std::string failure = vxtest::Failure([&] {
      if (c.form == 'x') doc.LoadXml(c.input.c_str());
      if (c.form == 'w') doc.LoadXml(std::wstring(c.input.begin(), c.input.end()).c_str());
      if (c.form == 'b') LoadBytes(doc, c.input);
      if (c.form == 'f') doc.Load(path.c_str());
    });
    EXPECT_EQ(failure.empty() ? DumpTree(doc.GetDocumentElement()) : failure,
              failure.empty() ? c.expected : vxtest::Named<CVxException>(c.expected));
    std::istringstream in(c.input);  // streamed, the same bounds
    CXmlEventHandler none;
    EXPECT_EQ(vxtest::Failure([&] { ReadXmlEvents(in, context, none); }), failure) << c.limit;
  }
  std::remove(path.c_str());
}

TEST(XmlDocument, LoadingAgainReplacesTheTree) {
  CXmlDocument doc;
  doc.LoadXml("<a xmlns:p='urn:1'><b/></a>");
  EXPECT_EQ(doc.LookupNamespaceFromAlias("p"), "urn:1");
  vxtest::ExpectFailure<CVxException>([&] { doc.LoadXml("<d><e></d>"); },
                                      "mismatched tag at line 1");
  EXPECT_EQ(doc.LookupNamespaceFromAlias("p"), "");
  doc.LoadXml("<f/>");  // the partial tree of the failure is gone
  EXPECT_EQ(DumpTree(doc.GetDocumentElement()), "{}f\n");
  doc.Cleanup();
  EXPECT_TRUE(doc.GetDocumentElement() == nullptr && doc.GetBufferLength() == 0u);
}

// ---- filter ----------------------------------------------------------------

namespace {
int g_filtered = 0;
bool DropAll(CXmlElement*) {
  ++g_filtered;
  return true;
}
bool DropX(CXmlElement* e) { return e->GetLocalName() == "x"; }
bool Stop(CXmlElement*) { throw CVxInvalidParamException("stop here"); }
}  // namespace

TEST(XmlDocument, ElementFilterDropsClosedElements) {
  g_filtered = 0;
  CXmlDocument all(DropAll);
  all.LoadXml("<r>t<a><b/></a><c/>u</r>");
  EXPECT_EQ(DumpTree(all.GetDocumentElement()), "{}r \"tu\"\n");
  EXPECT_EQ(g_filtered, 3);  // a, b, c; never the document element

  CXmlDocument some(DropX);
  some.LoadXml("<r><x/><k>1</k><x><k/></x><k>2</k><x/></r>");
  EXPECT_EQ(DumpTree(some.GetDocumentElement()), "{}r\n  {}k \"1\"\n  {}k \"2\"\n");
  // The remaining list is intact: appending after a removal still works.
  some.GetDocumentElement()->CreateNewChildElement()->SetElementName("z");
  EXPECT_EQ(DumpTree(some.GetDocumentElement()), "{}r\n  {}k \"1\"\n  {}k \"2\"\n  {}z\n");
  // Its exceptions reach the caller.
  EXPECT_TRUE(vxtest::Throws<CVxInvalidParamException>(
      [] { CXmlDocument(Stop).LoadXml("<r><a/><b/></r>"); }, "stop here"));
}

// ---- model and builder -----------------------------------------------------

// Attributes go with their element: in the document's arena for the
// elements it parsed, on the heap for any other.
TEST(XmlDocument, BuilderAttributesOnElementsOfEveryOrigin) {
  CXmlDocument doc;
  doc.LoadXml("<r><p/></r>");
  CXmlElement own(&doc);
  doc.AddElementAttribute(&own, "a", "on a stack element, longer than a short string", "");
  CXmlElement* added = doc.GetDocumentElement()->CreateNewChildElement();
  doc.AddElementAttribute(added, "b", "2", "urn:b");
  doc.AddElementAttribute(doc.GetDocumentElement()->GetFirstElement(), "c", "3", "");
  EXPECT_EQ(DumpTree(doc.GetDocumentElement()), "{}r\n  {}p @{}c=\"3\"\n  {} @{urn:b}b=\"2\"\n");
  doc.LoadXml("<s/>");  // the first tree and its arena go; `own` keeps its attribute
  EXPECT_EQ(DumpTree(&own), "{} @{}a=\"on a stack element, longer than a short string\"\n");
}

TEST(XmlDocument, ElementsKeepTheirNamesBeyondTheDocument) {
  CXmlElement* kept;
  {
    CXmlDocument doc;
    doc.LoadXml("<r xmlns='urn:a-namespace-longer-than-a-short-string'><x/>"
                "<y k='a value longer than a short string'>text<z/></y></r>");
    CXmlElement* r = doc.GetDocumentElement();
    r->GetFirstElement()->SetNamespace("urn:other");  // changes only that element
    kept = r->RemoveLastChildElement();
    EXPECT_EQ(DumpTree(r), "{urn:a-namespace-longer-than-a-short-string}r\n  {urn:other}x\n");
    EXPECT_EQ(r->GetFirstElement()->RemoveLastChildElement(), nullptr);
  }
  kept->GetFirstElement()->SetNamespace("");
  EXPECT_EQ(DumpTree(kept), "{urn:a-namespace-longer-than-a-short-string}y @{}k=\"a value longer "
                            "than a short string\" \"text\"\n  {}z\n");
  delete kept;
}

TEST(XmlDocument, AppendTextExcludingCR) {
  const struct {
    const char* text;
    unsigned long length;
    const char* expected;
  } cases[] = {{"a\r\nb", 4, "a\nb"}, {"a\rbcd", 3, "ab"}, {"ab\0cd", 5, "ab"}, {"xyz", 0, ""}};
  CXmlDocument doc;
  for (const auto& c : cases) {
    CXmlElement e(&doc);
    doc.AppendTextExcludingCR(&e, c.text, c.length);
    EXPECT_EQ(e.GetText(), c.expected) << c.text;
  }
  CXmlElement e(&doc);
  doc.AppendTextExcludingCR(&e, "\rp\r\nq");
  e.AppendText("rs", 1);
  e.AppendText("u", -1);
  EXPECT_EQ(e.GetText(), "p\nqr");
}

TEST(XmlDocument, AttributesLookups) {
  CXmlDocument doc;
  doc.LoadXml("<a xmlns:p='urn:p' x='1' p:x='2' p:y='3'/>");
  EXPECT_EQ(doc.GetDocumentElement()->GetAttribute("x", "urn:p"), "2");
  EXPECT_EQ(doc.GetDocumentElement()->GetAttribute("y", ""), "");  // under another namespace
  const std::string xsi = "http://www.w3.org/2001/XMLSchema-instance";
  const std::string xmlns = "http://www.w3.org/2000/xmlns/";
  std::string kinds;  // N: a namespace attribute, 0: xsi:nil, -: neither
  for (const auto& [local, ns] : std::vector<std::pair<std::string, std::string>>{
           {"type", xsi}, {"schemaLocation", xsi}, {"xmlns", xmlns},
           {"noNamespaceSchemaLocation", xmlns}, {"nil", xsi}, {"nil", xmlns}, {"nil", ""},
           {"type", "urn:other"}, {"lang", xsi}}) {
    const CXmlAttribute attribute(local, "v", ns);
    kinds += std::string(attribute.IsNamespaceAttribute() ? "N" : "-") +
             (attribute.IsNilAttribute() ? "0 " : "- ");
  }
  EXPECT_EQ(kinds, "N- N- N- N- -0 -0 -- -- -- ");
}

TEST(XmlDocument, BuilderKeepsTheOpenElementStack) {
  CXmlDocument doc;
  doc.AddDocElement("urn:r", "r");
  doc.AddChildElement("", "a");
  doc.EndElement();
  doc.AddChildElement("urn:b", "b");
  doc.PopElement();
  doc.EndElement();
  EXPECT_EQ(doc.GetCurrentElement(), nullptr);
  EXPECT_EQ(DumpTree(doc.GetDocumentElement()), "{urn:r}r\n  {}a\n  {urn:b}b\n");
  EXPECT_TRUE(vxtest::Throws<CVxInvalidStateException>(
      [&] { doc.AddChildElement("", "late"); },
      "No open element to add the child element [late] to"));
}
