#include "vxxml/ExpatReader.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <typeinfo>

#include "vxxml/Encoder.h"
#include "vxxml/Exception.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlEventReader.h"
#include "TestUtil.h"
#include "xml/TreeDump.h"

using namespace VxXmlLib10;
using vxtest::Bytes;
using vxxml_test::DumpTree;

namespace {

CXmlSerializationContext WithSchemaType(SchemaType type) {
  CXmlSerializationContext c;
  c.SetSchemaType(type);
  return c;
}

const char kNamespaces[] =
    "<r xmlns='urn:d' xmlns:p='urn:p'>"
    "<p:a p:x='1' y='2' xml:lang='en'/>"
    "<b xmlns=''><p:c xmlns:p='urn:p2'/></b>"
    "</r>";

}  // namespace

TEST(ExpatReader, NamespacesResolveToURIsUnlessThereAreNone) {
  const std::string resolved =
      "{urn:d}r\n"
      "  {urn:p}a @{urn:p}x=\"1\" @{}y=\"2\" @{http://www.w3.org/XML/1998/namespace}lang=\"en\"\n"
      "  {}b\n"
      "    {urn:p2}c\n";
  const struct {
    SchemaType schema;
    const char* xml;
    std::string tree;
    const char* p;  // what the prefix p is taken for afterwards
  } cases[] = {
      {SchemaType_Default, kNamespaces, resolved, "urn:p2"},  // the last declaration wins
      {SchemaType_Alternate, kNamespaces, resolved, "urn:p2"},
      {SchemaType_NoNamespaces, kNamespaces,
       "{}r @{}xmlns=\"urn:d\" @{}xmlns:p=\"urn:p\"\n"
       "  {}p:a @{}p:x=\"1\" @{}y=\"2\" @{}xml:lang=\"en\"\n"
       "  {}b @{}xmlns=\"\"\n"
       "    {}p:c @{}xmlns:p=\"urn:p2\"\n",
       ""},
      {SchemaType_NoNamespaces, "<u:a/>", "{}u:a\n", ""},  // an undeclared prefix is no error
  };
  for (const auto& c : cases) {
    const CXmlSerializationContext context = WithSchemaType(c.schema);
    CXmlDocument doc(context);
    doc.LoadXml(c.xml);
    EXPECT_EQ(DumpTree(doc.GetDocumentElement()), c.tree);
    EXPECT_EQ(doc.LookupNamespaceFromAlias("p"), c.p);
  }
  CXmlDocument doc;
  doc.LoadXml(kNamespaces);
  EXPECT_EQ(doc.LookupNamespaceFromAlias(""), "");  // xmlns='' came last
  doc.LoadXml("<a xmlns='urn:a'><b xmlns:q='urn:q'/></a>");
  EXPECT_EQ(doc.LookupNamespaceFromAlias(nullptr), "urn:a");
  EXPECT_EQ(doc.LookupNamespaceFromAlias("q"), "urn:q");
}

TEST(ExpatReader, TextAsRead) {
  CXmlSerializationContext keeping;
  keeping.SetStripCDATA(false);
  const struct {
    const char* xml;
    const char* stripped;  // CDATA markers stripped, as by default
    const char* kept;
  } cases[] = {
      {"<a><![CDATA[x<y]]></a>", "x<y", "<![CDATA[x<y]]>"},
      {"<a>1<![CDATA[2]]>3<![CDATA[]]>4</a>", "1234", "1<![CDATA[2]]>3<![CDATA[]]>4"},
      {"<a><![CDATA[p\r\nq&#13;]]></a>", "p\nq&#13;", "<![CDATA[p\nq&#13;]]>"},
      // Carriage returns from references are kept; the parser normalises line ends.
      {"<a>x&#13;&#10;y</a>", "x\r\ny", "x\r\ny"},
      {"<a>x\r\ny\rz</a>", "x\ny\nz", "x\ny\nz"},
      {"<a>1<b/>2&#13;</a>", "12\r", "12\r"},
  };
  for (const auto& c : cases) {
    CXmlDocument stripping, keep(keeping);
    stripping.LoadXml(c.xml);
    keep.LoadXml(c.xml);
    EXPECT_EQ(stripping.GetDocumentElement()->GetText(), c.stripped) << c.xml;
    EXPECT_EQ(keep.GetDocumentElement()->GetText(), c.kept) << c.xml;
  }
  CXmlDocument doc;  // so do attribute values
  doc.LoadXml("<a v='1&#13;2'/>");
  EXPECT_EQ(doc.GetDocumentElement()->GetAttribute("v", ""), "1\r2");
}

TEST(ExpatReader, MalformedTextFailsWithTheParsersMessage) {
  const struct {
    std::string xml;
    const char* message;
    SchemaType schema;
  } cases[] = {
      {"<a>\n<b>\n</c></a>", "mismatched tag at line 3", SchemaType_Default},
      {"<a/>\n<b/>", "junk after document element at line 2", SchemaType_Default},
      {"<a>\n\n", "no element found at line 3", SchemaType_Default},
      {"<a>&nope;</a>", "undefined entity at line 1", SchemaType_Default},
      {"<a b='1' b='2'/>", "duplicate attribute at line 1", SchemaType_Default},
      {"<u:a/>", "unbound prefix at line 1", SchemaType_Default},
      {"<a>&#0;</a>", "reference to invalid character number at line 1", SchemaType_Default},
      {"<a>\xFF</a>", "not well-formed (invalid token) at line 1", SchemaType_Default},
      // expat takes U+00AA in a name read from Latin-1; XML 1.0 does not.
      {"<?xml version='1.0' encoding='ISO-8859-1'?>\n<abcd\xAA/>",
       "not well-formed (invalid token) at line 2", SchemaType_Default},
      {"<a>\n</b>", "mismatched tag at line 2", SchemaType_NoNamespaces},
  };
  for (const auto& c : cases) {
    const CXmlSerializationContext context = WithSchemaType(c.schema);
    CXmlDocument doc(context);
    EXPECT_EQ(vxtest::Failure([&] { doc.LoadXml(c.xml.c_str()); }),
              vxtest::Named<CVxException>(c.message));
  }
}

TEST(ExpatReader, EveryTruncationFailsCleanly) {
  const std::string body =
      "<r xmlns='urn:r' xmlns:p='urn:p'>\n"
      "  <p:a k='v&amp;w' p:m='\xC3\xA9'>t&#13;x<![CDATA[c]]></p:a>\n"
      "  <b/>\n"
      "</r>";
  const std::string xml = "<?xml version='1.0' encoding='UTF-8'?>\n" + body;
  const std::string utf16 =
      "\xFF\xFE" + Bytes(CEncoder::LocalCodePageToUnicodeBinary(
                         ("<?xml version='1.0' encoding='UTF-16'?>\n" + body).c_str()));
  const std::string named = vxtest::Named<CVxException>("");
  const std::regex parserMessage(named + ".+ at line [0-9]+");
  // Compressed input cut short is refused before any parsing: there is no
  // text to parse, only a stream that ends too early.
  const std::regex truncated(named +
                             "Failed to decompress data\\. \\[the compressed data is truncated\\]");
  for (const std::string& whole : {xml, utf16, vxxml_test::Gzip(xml), vxxml_test::Zlib(utf16)}) {
    const bool compressed = whole[0] == '\x1F' || whole[0] == 'x';
    CXmlDocument doc;
    doc.LoadXmlStream(reinterpret_cast<const unsigned char*>(whole.data()), whole.size());
    ASSERT_EQ(DumpTree(doc.GetDocumentElement()),
              "{urn:r}r \"\n  \n  \n\"\n"
              "  {urn:p}a @{}k=\"v&w\" @{urn:p}m=\"\xC3\xA9\" \"t\rxc\"\n"
              "  {urn:r}b\n");
    // Streamed in pieces of three bytes, the same events, and at every cut
    // the same failure as read whole.
    vxxml_test::EventDump read, streamed;
    doc.LoadXmlStream(reinterpret_cast<const unsigned char*>(whole.data()), whole.size(), read);
    std::istringstream in(whole);
    ReadXmlEvents(in, CXmlSerializationContext(), streamed, 3);
    EXPECT_EQ(streamed.out, read.out);
    for (std::size_t n = 1; n < whole.size(); ++n) {
      const std::string failure = vxtest::Failure(
          [&] { doc.LoadXmlStream(reinterpret_cast<const unsigned char*>(whole.data()), n); });
      EXPECT_TRUE(std::regex_match(failure, compressed && n >= 2 ? truncated : parserMessage))
          << n << ": " << failure;
      std::istringstream cut(whole.substr(0, n));
      EXPECT_EQ(vxtest::Failure([&] { ReadXmlEvents(cut, CXmlSerializationContext(), read, 3); }),
                failure) << n;
    }
  }
}

TEST(ExpatReader, PiecesDoNotChangeTheFailure) {
  // expat names a name after the document element junk when a piece ends
  // inside it, an invalid token when it sees the '/' after it. In UTF-16 the
  // name holds U+BB3E, whose first byte is that of '>'.
  std::string wide = "\xFF\xFE";
  for (char c : std::string("<a/>p/<b>")) wide += std::string{c, '\0'};
  wide.insert(2 + 2 * 5, "\x3E\xBB");  // after the p
  for (const std::string& xml : {std::string("<a/>name/<b>"), wide}) {
    const std::string whole = vxtest::Failure([&] {
      CXmlDocument().LoadXmlStream(reinterpret_cast<const unsigned char*>(xml.data()), xml.size());
    });
    EXPECT_EQ(whole, vxtest::Named<CVxException>("not well-formed (invalid token) at line 1"));
    for (std::size_t piece = 1; piece <= xml.size(); ++piece) {
      std::istringstream in(xml);
      CXmlEventHandler ignore;
      EXPECT_EQ(
          vxtest::Failure([&] { ReadXmlEvents(in, CXmlSerializationContext(), ignore, piece); }),
          whole) << piece;
    }
  }
}

TEST(ExpatReader, DeepNestingNeedsNoRecursion) {
  const std::size_t depth = 100000;
  std::string xml;
  for (std::size_t i = 0; i < depth; ++i) xml += "<a>";
  xml += "x";
  for (std::size_t i = 0; i < depth; ++i) xml += "</a>";
  // Deeper than the default bound allows; without a bound, any depth loads, and a
  // partial tree of that depth goes with the next load.
  EXPECT_TRUE(vxtest::Throws<CVxException>([&] { CXmlDocument().LoadXml(xml.c_str()); },
                                           "Element nesting exceeds the limit MaxDepth [10000]"));
  CXmlSerializationContext unbounded;
  unbounded.SetMaxDepth(0);
  CXmlDocument doc(unbounded);
  vxtest::ExpectFailure<CVxException>([&] { doc.LoadXml(xml.substr(0, xml.size() / 2).c_str()); },
                                      "unclosed token at line 1");
  doc.LoadXml(xml.c_str());
  std::size_t levels = 0;
  const CXmlElement* e = doc.GetDocumentElement();
  for (; e->GetFirstElement(); e = e->GetFirstElement()) ++levels;
  EXPECT_EQ(levels, depth - 1);
  EXPECT_EQ(e->GetText(), "x");
}  // the document tears the chain down without recursion
