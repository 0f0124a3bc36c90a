// The reference Fast Infoset library for Java must read what our writer
// produces as the same infoset that the JDK's XML parser reads from the XML
// text writer's output for the same writer calls.
#include <gtest/gtest.h>

#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "TestUtil.h"
#include "fastinfoset/WriterScripts.h"

using namespace VxXmlLib10;

namespace {

using namespace fi_test;

struct Document {
  std::string name;
  const CFastInfosetContext* context;
  Script script;
  FInfoDecl decl;
};

typedef std::vector<std::string> Dump;

// Writes every document as Fast Infoset and as XML text and has the driver
// (with `flags`) dump both; for each document, the two dumps. Nothing when
// there is no JDK or no FastInfoset.jar.
std::vector<std::pair<Dump, Dump>> ReferenceDumps(const std::vector<Document>& documents,
                                                  const std::string& flags) {
  const std::string java = VXXML_JAVA, classpath = VXXML_FI_CLASSPATH;
  if (java.empty() || classpath.empty()) return {};
  const std::string dir = testing::TempDir() + "vxxml_fi_interop_" + std::to_string(::getpid());
  EXPECT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
  std::string files;
  for (const Document& d : documents) {
    vxtest::WriteFile(dir + "/" + d.name + ".fi", FastInfoset(*d.context, d.script, d.decl));
    vxtest::WriteFile(dir + "/" + d.name + ".xml", XmlText(d.script));
    files += " '" + dir + "/" + d.name + ".fi' '" + dir + "/" + d.name + ".xml'";
  }
  const std::string out = dir + "/dump.txt";
  const std::string command =
      "'" + java + "' -cp '" + classpath + "' FiToXml " + flags + files + " > '" + out + "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::map<std::string, Dump> dumps;  // "#FILE name" starts the dump of a file
  std::ifstream in(out);
  Dump* current = nullptr;
  for (std::string line; std::getline(in, line);)
    if (line.compare(0, 6, "#FILE ") == 0)
      current = &dumps[line.substr(6)];
    else if (current && line.compare(0, 2, "C ") != 0 && line.compare(0, 2, "P ") != 0)
      current->push_back(line);  // WriteComment and WritePI write no Fast Infoset
  std::system(("rm -rf '" + dir + "'").c_str());
  std::vector<std::pair<Dump, Dump>> pairs;
  for (const Document& d : documents) {
    const Dump& fi = dumps[dir + "/" + d.name + ".fi"];
    const Dump& xml = dumps[dir + "/" + d.name + ".xml"];
    EXPECT_TRUE(!fi.empty() && fi[0].compare(0, 6, "#ERROR") != 0) << d.name;
    EXPECT_TRUE(!xml.empty() && xml[0].compare(0, 6, "#ERROR") != 0) << d.name;
    pairs.push_back({fi, xml});
  }
  return pairs;
}

// Values carried by an encoding algorithm come back in the reference's own
// spelling: 1.0 for 1, E for e, upper- or lower-case hexadecimal.
bool SameMeaning(const std::string& a, const std::string& b) {
  char *endA, *endB;
  const double x = std::strtod(a.c_str(), &endA), y = std::strtod(b.c_str(), &endB);
  if (!a.empty() && !b.empty() && !*endA && !*endB)
    return x == y || static_cast<float>(x) == static_cast<float>(y);
  return strcasecmp(a.c_str(), b.c_str()) == 0;
}

bool SameLine(const std::string& fi, const std::string& xml) {
  if (fi == xml) return true;
  if (fi.compare(0, 2, "T ") == 0 && xml.compare(0, 2, "T ") == 0)
    return SameMeaning(fi.substr(2), xml.substr(2));
  if (fi.compare(0, 2, "A ") == 0 && xml.compare(0, 2, "A ") == 0) {
    const size_t p = fi.find('='), q = xml.find('=');
    return p != std::string::npos && fi.compare(0, p, xml, 0, q) == 0 &&
           SameMeaning(fi.substr(p + 1), xml.substr(q + 1));
  }
  return false;
}

// ---- the documents --------------------------------------------------------------

// Values in the spellings a schema allows, not only the canonical ones.
const Values kTypedValues = {
    {ItemType_hexBinary, "00ABff10"}, {ItemType_base64Binary, "TWFueSBoYW5kcw=="},
    {ItemType_i1, "-128"}, {ItemType_i2, "-32768"}, {ItemType_i4, "-2147483648"},
    {ItemType_i8, "-9223372036854775808"}, {ItemType_ui1, "255"}, {ItemType_ui2, "65535"},
    {ItemType_ui4, "4294967295"}, {ItemType_ui8, "9223372036854775807"}, {ItemType_r4, "1"},
    {ItemType_r4, "-1.5"}, {ItemType_r8, "1"}, {ItemType_r8, "-2.5e-3"},
    {ItemType_boolean, "true"}, {ItemType_boolean, "false"}, {ItemType_duration, "P1Y2M3DT4H5M6S"},
    {ItemType_yearMonth, "2005-01"}, {ItemType_monthDay, "--01-31"}, {ItemType_year, "2005"},
    {ItemType_month, "--12"}, {ItemType_day, "---31"}, {ItemType_date, "2005-01-01"},
    {ItemType_datetime, "2005-01-01T10:20:30Z"}, {ItemType_time, "10:20:30"},
    {ItemType_decimal, "-12.50"}, {ItemType_decimal, "1.5e3"},
    {ItemType_integer, "123456789012345678901234567890"}, {ItemType_string, "plain"},
    {ItemType_char, "c"},
};

}  // namespace

TEST(FastInfosetInterop, ReferenceReadsTheSameInfoset) {
  CFastInfosetContext plain, suggested;
  suggested.SetSuggestedValues();
  // Also the cdata algorithm for plain strings.
  CFastInfosetContext cdata;
  cdata.SetEncoding(ItemType_string,
                    CFastInfosetContext::EncodedCharacterString{
                        CFastInfosetContext::EncodedCharacterString::Kind_EncodingAlgorithm, 10});
  std::vector<Document> documents = {
      {"texts", &plain, Texts, FInfoDecl_None},
      {"repeats", &plain, Repeats, FInfoDecl_None},
      {"non_ascii", &plain, NonAscii, FInfoDecl_EncodingStandaloneYes},
      {"long_names", &plain, LongNames, FInfoDecl_None},
      {"typed_suggested", &suggested, Typed(kTypedValues), FInfoDecl_None},
      {"typed_plain", &plain, Typed(kTypedValues), FInfoDecl_None},
      {"cdata", &cdata, Texts, FInfoDecl_None},
  };
  for (unsigned seed = 1; seed <= 40; ++seed)
    documents.push_back({"random" + std::to_string(seed), seed % 2 ? &plain : &suggested,
                         RandomScript(seed), static_cast<FInfoDecl>(seed % 10)});
  const auto dumps = ReferenceDumps(documents, "");
  if (dumps.empty()) GTEST_SKIP() << "no JDK or no FastInfoset.jar";
  for (size_t d = 0; d < documents.size(); ++d) {
    const Dump& fi = dumps[d].first;
    const Dump& xml = dumps[d].second;
    ASSERT_EQ(fi.size(), xml.size()) << documents[d].name;
    for (size_t i = 0; i < fi.size(); ++i)
      EXPECT_TRUE(SameLine(fi[i], xml[i]))
          << documents[d].name << " line " << i << "\n  fi:  " << fi[i] << "\n  xml: " << xml[i];
  }
}

// Both writers take their namespace decisions from the writer core: read
// back, every element declares the same prefixes for the same namespaces,
// and every element, attribute and xsi:type value uses the same prefix.
TEST(FastInfosetInterop, BothWritersDeclareAndUseTheSamePrefixes) {
  const CFastInfosetContext context;
  std::vector<Document> documents;
  for (unsigned seed = 1; seed <= 80; ++seed)
    documents.push_back(
        {"ns" + std::to_string(seed), &context, RandomScript(seed), FInfoDecl_None});
  const auto dumps = ReferenceDumps(documents, "-prefixes");
  if (dumps.empty()) GTEST_SKIP() << "no JDK or no FastInfoset.jar";
  size_t declarations = 0, prefixed = 0;
  for (size_t d = 0; d < documents.size(); ++d) {
    // Element by element in document order: the same declarations, names
    // and prefixes, attribute values (xsi:type's included) and texts.
    EXPECT_EQ(dumps[d].first, dumps[d].second) << documents[d].name;
    for (const std::string& line : dumps[d].second) {
      if (line.compare(0, 2, "N ") == 0) ++declarations;
      if (line.find(" as ") != std::string::npos && line.find(':') != std::string::npos)
        ++prefixed;
    }
  }
  // The sequences did reach the namespace decisions.
  EXPECT_GT(declarations, 200u);
  EXPECT_GT(prefixed, 200u);
}
