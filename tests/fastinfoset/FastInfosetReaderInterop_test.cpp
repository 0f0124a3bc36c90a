// Both ways with the reference Fast Infoset library for Java, on XML inputs
// with comments, processing instructions, a document type, namespaces, text
// mixed with inline elements, layout, many repeated names and values and long
// texts. Its writer's output (interop_reader/XmlToFi.java, three ways:
// defaults, UTF-16BE strings, long values entered in the tables) reads as the
// same events as the XML text; our conversion's output reads in its reader
// (interop/FiToXml.java) as the same infoset as the XML text in the JDK's.
// Ours reads each of the reference's whole, and streamed through a tiny
// window and the usual one.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "TestUtil.h"
#include "vxxml/Exception.h"
#include "vxxml/FastInfosetReader.h"
#include "vxxml/FastInfosetWriter.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlEventReader.h"
#include "vxxml/XmlWriterHandler.h"
#include "xml/TreeDump.h"

using namespace VxXmlLib10;

namespace {

std::vector<std::pair<std::string, std::string>> Inputs() {
  std::vector<std::pair<std::string, std::string>> inputs;
  inputs.push_back({"misc",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<!DOCTYPE root [\n"
                    "  <!ENTITY e \"entity text\">\n"
                    "  <!ATTLIST item kind CDATA \"none\">\n"
                    "]>\n"
                    "<!-- a comment before the root -->\n"
                    "<?app before the root?>\n"
                    "<root>\n"
                    "  <!-- inside -->\n"
                    "  <?app inside?>\n"
                    "  <item id=\"1\">&e; and more</item>\n"
                    "  <item>default attribute</item>\n"
                    "  <empty/>\n"
                    "  <mixed>one <b>two</b> three</mixed>\n"
                    "  <c><![CDATA[x < y & z]]></c>\n"
                    "  <refs v='tab&#9;lf&#10;cr&#13;crlf&#13;&#10;'>cr&#13;crlf&#13;&#10;</refs>\n"
                    "</root>\n"
                    "<!-- after the root -->\n"});
  inputs.push_back({"mixed",
                    "<?xml version=\"1.0\"?>\n<?xml-stylesheet href=\"a.css\"?>\n"
                    "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n <body>\n"
                    "  <p>Some <em>inline</em> and <b>bold <i>nested</i></b> text,"
                    " <!-- a remark --> a <?php echo 1; ?> break<br/> and\t\n"
                    "   <a href=\"#x\">a link</a>.</p>\n  <pre>  two\n   lines </pre>\n"
                    "  <p> </p>\n </body>\n</html>\n<?after the root?>\n"});
  inputs.push_back({"namespaces",
                    "<r xmlns=\"urn:default\" xmlns:p=\"urn:p\" xml:lang=\"en\">\n"
                    "  <p:a p:attr=\"1\" plain=\"2\">"
                    "<b xmlns=\"urn:inner\" xmlns:q=\"urn:q\">"
                    "<q:c q:x=\"y\" xml:space=\"preserve\"/></b>"
                    "</p:a>\n"
                    "  <d xmlns=\"\"><e/></d>\n"
                    "  <p:a xmlns:p=\"urn:p2\"><p:f/></p:a>\n"
                    "</r>\n"});
  std::string repeats = "<list xmlns:n=\"urn:n\">";
  for (int i = 0; i < 3000; ++i) {
    repeats += "<e" + std::to_string(i % 2500) + " a=\"v" + std::to_string(i % 100) + "\" n:b=\"" +
               std::to_string(i) + "\">t" + std::to_string(i % 50) + "</e" +
               std::to_string(i % 2500) + ">";
  }
  repeats += "</list>";
  inputs.push_back({"repeats", repeats});
  std::string text;
  for (int i = 0; i < 100000; ++i) text += static_cast<char>('a' + i % 26);
  inputs.push_back({"long",
                    "<doc><t>" + text + "</t><a v=\"" + text.substr(0, 5000) + "\"/>"
                    "<u>caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80</u>"
                    "<w>  spaces\tand\nlines  </w>"
                    "<u>caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80</u>"
                    "</doc>"});
  return inputs;
}

// The events the file reads as, or the failure; with a `window`, streamed
// by the Fast Infoset reader.
std::string Dump(const std::string& path, const CXmlSerializationContext& context,
                 size_t window = 0) {
  vxxml_test::EventDump dump;
  const std::string failure = vxtest::Failure([&] {
    if (!window) {
      ReadXmlEvents(path.c_str(), context, dump);
      return;
    }
    std::ifstream in(path, std::ios::binary);
    CXmlDocument doc(context);
    CFastInfosetReader(context.GetFIContext(), doc)
        .Parse(dump, [&](unsigned char* p, size_t n) {
          in.read(reinterpret_cast<char*>(p), static_cast<std::streamsize>(n));
          return static_cast<size_t>(in.gcount());
        }, window);
  });
  return failure.empty() ? dump.out : failure;
}

// Converts XML text to Fast Infoset through the events, as the tool does.
void Convert(const std::string& xml, const std::string& fi) {
  CFastInfosetContext context;
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.Open();
  writer.WriteStartDocument(FInfoDecl_None);
  CXmlWriterHandler handler(writer);
  ReadXmlEvents(xml.c_str(), CXmlSerializationContext(), handler);
  writer.WriteEndDocument();
  writer.Close();
  vxtest::WriteFile(fi, vxtest::Bytes(stream.GetBinaryStream()));
}

}  // namespace

TEST(FastInfosetReaderInterop, BothWaysTheSameInfosetCommentsAndLayoutIncluded) {
  const std::string java = VXXML_FI_READER_JAVA;
  const std::string classpath = VXXML_FI_READER_CLASSPATH;
  if (java.empty() || classpath.empty()) GTEST_SKIP() << "no JDK or FastInfoset.jar";

  const std::string dir = ::testing::TempDir() + "vxxml_fi_reader_" + std::to_string(getpid());
  ASSERT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
  const auto inputs = Inputs();
  std::string command = "'" + java + "' -cp '" + classpath + "' XmlToFi '" + dir + "'";
  for (const auto& input : inputs) {
    std::ofstream(dir + "/" + input.first + ".xml", std::ios::binary) << input.second;
    command += " '" + dir + "/" + input.first + ".xml'";
  }
  ASSERT_EQ(std::system((command + " >'" + dir + "/java.log' 2>&1").c_str()), 0)
      << std::ifstream(dir + "/java.log").rdbuf();

  // The reference writes CDATA sections as plain character chunks or with the
  // cdata algorithm; the text is compared with CDATA sections as plain text.
  CXmlSerializationContext plain;
  plain.SetStripCDATA(true);
  std::string files;
  for (const auto& input : inputs) {
    const std::string xml = dir + "/" + input.first + ".xml";
    const std::string expected = Dump(xml, plain);
    ASSERT_EQ(expected.find("CVxException"), std::string::npos) << expected;  // in the class name
    for (const char* variant : {"utf8", "utf16", "indexed"}) {
      const std::string path = dir + "/" + input.first + "." + variant + ".fi";
      for (size_t window : {0, 5, 65536}) EXPECT_EQ(Dump(path, plain, window), expected) << path;
    }
    Convert(xml, dir + "/" + input.first + ".ours.fi");
    files += " '" + xml + "' '" + dir + "/" + input.first + ".ours.fi'";
  }
  // The other way: the reference's dumps of our Fast Infoset and of the text.
  const std::string dumper = std::string("'") + VXXML_JAVA + "' -cp '" + VXXML_FI_CLASSPATH + "'";
  if (std::string(VXXML_FI_CLASSPATH).empty()) GTEST_SKIP() << "no FiToXml driver";
  ASSERT_EQ(std::system((dumper + " FiToXml" + files + " >'" + dir + "/dump.txt'").c_str()), 0);
  std::ifstream in(dir + "/dump.txt");
  std::vector<std::string> dumps;
  for (std::string line; std::getline(in, line);)
    if (line.compare(0, 6, "#FILE ") == 0) dumps.emplace_back(); else dumps.back() += line + "\n";
  ASSERT_EQ(dumps.size(), 2 * inputs.size());
  for (size_t i = 0; i < inputs.size(); ++i) {
    EXPECT_EQ(dumps[2 * i + 1], dumps[2 * i]) << inputs[i].first;
    EXPECT_EQ(dumps[2 * i].find("#ERROR"), std::string::npos) << dumps[2 * i];
  }
  std::system(("rm -rf '" + dir + "'").c_str());
}
