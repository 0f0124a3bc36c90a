// The reference Fast Infoset library for Java must read what our writer
// produces as the same infoset that the JDK's XML parser reads from the XML
// text writer's output for the same writer calls.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "fastinfoset/WriterScripts.h"

using namespace VxXmlLib10;

namespace {

using namespace fi_test;

struct Document {
  std::string name;
  bool suggested;  // the context's suggested encodings
  Script script;
  FInfoDecl decl;
};

// Output of the driver: file name -> dump lines.
std::map<std::string, std::vector<std::string>> ReadDumps(const std::string& path) {
  std::map<std::string, std::vector<std::string>> dumps;
  std::ifstream in(path);
  std::string line;
  std::vector<std::string>* current = nullptr;
  while (std::getline(in, line)) {
    if (line.compare(0, 6, "#FILE ") == 0)
      current = &dumps[line.substr(6)];
    else if (current)
      current->push_back(line);
  }
  return dumps;
}

bool ParseNumber(const std::string& s, double& value) {
  if (s.empty()) return false;
  char* end = nullptr;
  value = std::strtod(s.c_str(), &end);
  return end == s.c_str() + s.size();
}

// Values carried by an encoding algorithm come back in the reference's own
// spelling: 1.0 for 1, E for e, upper- or lower-case hexadecimal.
bool SameMeaning(const std::string& a, const std::string& b) {
  if (a == b) return true;
  double x, y;
  if (ParseNumber(a, x) && ParseNumber(b, y))
    return x == y || static_cast<float>(x) == static_cast<float>(y);
  if (a.size() == b.size()) {
    bool same = true;
    for (size_t i = 0; i < a.size() && same; ++i)
      same = std::toupper(static_cast<unsigned char>(a[i])) ==
             std::toupper(static_cast<unsigned char>(b[i]));
    if (same) return true;
  }
  return false;
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
    {ItemType_hexBinary, "00ABff10"},
    {ItemType_base64Binary, "TWFueSBoYW5kcw=="},
    {ItemType_i1, "-128"},
    {ItemType_i2, "-32768"},
    {ItemType_i4, "-2147483648"},
    {ItemType_i8, "-9223372036854775808"},
    {ItemType_ui1, "255"},
    {ItemType_ui2, "65535"},
    {ItemType_ui4, "4294967295"},
    {ItemType_ui8, "9223372036854775807"},
    {ItemType_r4, "1"},
    {ItemType_r4, "-1.5"},
    {ItemType_r8, "1"},
    {ItemType_r8, "-2.5e-3"},
    {ItemType_boolean, "true"},
    {ItemType_boolean, "false"},
    {ItemType_duration, "P1Y2M3DT4H5M6S"},
    {ItemType_yearMonth, "2005-01"},
    {ItemType_monthDay, "--01-31"},
    {ItemType_year, "2005"},
    {ItemType_month, "--12"},
    {ItemType_day, "---31"},
    {ItemType_date, "2005-01-01"},
    {ItemType_datetime, "2005-01-01T10:20:30Z"},
    {ItemType_time, "10:20:30"},
    {ItemType_decimal, "-12.50"},
    {ItemType_decimal, "1.5e3"},
    {ItemType_integer, "123456789012345678901234567890"},
    {ItemType_string, "plain"},
    {ItemType_char, "c"},
};

// Random documents over small pools of names, namespaces and values, so
// that namespaces meet in every combination.
void RandomElement(CXmlWriter& w, std::mt19937& rng, int depth) {
  static const char* const kNames[] = {"a", "b", "item", "x\xC3\xA9"};
  static const char* const kNamespaces[] = {"", "urn:a", "urn:b", "urn:c"};
  static const char* const kAttributes[] = {"id", "v", "w"};
  static const struct {
    ItemType type;
    const char* text;
  } kValues[] = {
      {ItemType_string, "x"},          {ItemType_string, "a longer text value"},
      {ItemType_string, "\xC3\xA9t\xC3\xA9"}, {ItemType_i4, "42"},
      {ItemType_r8, "0.5"},            {ItemType_boolean, "true"},
      {ItemType_date, "2020-02-29"},   {ItemType_decimal, "-7.25"},
      {ItemType_hexBinary, "CAFE"},    {ItemType_base64Binary, "AQID"},
  };
  auto pick = [&rng](size_t n) { return static_cast<size_t>(rng() % n); };
  w.WriteStartElement(kNames[pick(4)], kNamespaces[pick(4)]);
  std::set<std::string> used;
  const size_t attributes = pick(4);
  for (size_t i = 0; i < attributes; ++i) {
    const char* name = kAttributes[pick(3)];
    const char* ns = kNamespaces[pick(4)];
    if (!used.insert(std::string(ns) + "|" + name).second) continue;
    const auto& v = kValues[pick(10)];
    w.WriteAttributeString(name, ns, v.text, v.type);
  }
  if (pick(5) == 0) w.WriteAttributeType(kNamespaces[pick(4)], "T", ItemType_string);
  if (pick(6) == 0) w.WriteAttributeNil();
  const size_t children = depth < 6 ? pick(5) : 0;
  for (size_t i = 0; i < children; ++i) {
    if (pick(3) == 0) {
      const auto& v = kValues[pick(10)];
      w.WriteString(v.text, v.type);
    } else {
      RandomElement(w, rng, depth + 1);
    }
  }
  w.WriteEndElement();
}

Script RandomScript(unsigned seed) {
  return [seed](CXmlWriter& w) {
    std::mt19937 rng(seed);
    if (rng() % 2) w.SetDefaultNamespace(rng() % 2 ? "urn:a" : "urn:d");
    if (rng() % 2) w.AddNamespace("p", "urn:b");
    RandomElement(w, rng, 0);
  };
}

std::vector<Document> Documents() {
  return {
      {"namespaces", false, Namespaces, FInfoDecl_None},
      {"generated_prefixes", false, GeneratedPrefixes, FInfoDecl_None},
      {"xsi", true, XsiAttributes, FInfoDecl_Version10},
      {"texts", false, Texts, FInfoDecl_None},
      {"repeats", false, Repeats, FInfoDecl_None},
      {"non_ascii", false, NonAscii, FInfoDecl_EncodingStandaloneYes},
      {"long_names", false, LongNames, FInfoDecl_None},
      {"typed_suggested", true, Typed(kTypedValues), FInfoDecl_None},
      {"typed_plain", false, Typed(kTypedValues), FInfoDecl_None},
  };
}

std::vector<Document> RandomDocuments() {
  std::vector<Document> documents;
  for (unsigned seed = 1; seed <= 40; ++seed)
    documents.push_back(
        {"random" + std::to_string(seed), seed % 2 == 0, RandomScript(seed), FInfoDecl_None});
  return documents;
}

}  // namespace

TEST(FastInfosetInterop, ReferenceReadsTheSameInfoset) {
  const std::string java = VXXML_JAVA;
  const std::string classpath = VXXML_FI_CLASSPATH;
  if (java.empty() || classpath.empty()) GTEST_SKIP() << "no JDK or no FastInfoset.jar";

  const std::string dir = testing::TempDir() + "vxxml_fi_interop_" + std::to_string(::getpid());
  ASSERT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
  CFastInfosetContext plain, suggested;
  suggested.SetSuggestedValues();
  // Also the cdata algorithm for plain strings.
  CFastInfosetContext cdata;
  cdata.SetEncoding(ItemType_string,
                    CFastInfosetContext::EncodedCharacterString{
                        CFastInfosetContext::EncodedCharacterString::Kind_EncodingAlgorithm, 10});

  std::vector<Document> documents = Documents();
  documents.push_back({"cdata", false, Texts, FInfoDecl_None});
  for (const Document& d : RandomDocuments()) documents.push_back(d);
  std::string files;
  for (const Document& d : documents) {
    const CFastInfosetContext& context =
        d.name == "cdata" ? cdata : d.suggested ? suggested : plain;
    vxtest::WriteFile(dir + "/" + d.name + ".fi", FastInfoset(context, d.script, d.decl));
    vxtest::WriteFile(dir + "/" + d.name + ".xml", XmlText(d.script));
    files += " '" + dir + "/" + d.name + ".fi' '" + dir + "/" + d.name + ".xml'";
  }
  const std::string out = dir + "/dump.txt";
  const std::string command =
      "'" + java + "' -cp '" + classpath + "' FiToXml" + files + " > '" + out + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

#ifdef VXXML_TOOL_PATH
  // And the tool carries each of them through text and Fast Infoset intact.
  const std::string changed = dir + "/changed.txt";
  ASSERT_EQ(std::system(("for f in" + files + "; do LC_ALL=C.UTF-8 '" VXXML_TOOL_PATH
                         "' roundtrip \"$f\" >/dev/null 2>&1 || echo \"$f\"; done > '" +
                         changed + "'")
                            .c_str()),
            0);
  EXPECT_EQ(vxtest::ReadFile(changed), "");
#endif

  auto dumps = ReadDumps(out);
  for (const Document& d : documents) {
    const auto& fi = dumps[dir + "/" + d.name + ".fi"];
    const auto& xml = dumps[dir + "/" + d.name + ".xml"];
    ASSERT_FALSE(xml.empty()) << d.name;
    EXPECT_NE(xml[0].compare(0, 6, "#ERROR"), 0) << d.name << ": " << xml[0];
    ASSERT_FALSE(fi.empty()) << d.name;
    EXPECT_NE(fi[0].compare(0, 6, "#ERROR"), 0) << d.name << ": " << fi[0];
    ASSERT_EQ(fi.size(), xml.size()) << d.name;
    int mismatches = 0;
    for (size_t i = 0; i < fi.size() && mismatches < 5; ++i) {
      if (!SameLine(fi[i], xml[i])) {
        ++mismatches;
        ADD_FAILURE() << d.name << " line " << i << "\n  fast infoset: " << fi[i]
                      << "\n  xml text:     " << xml[i];
      }
    }
  }
  std::system(("rm -rf '" + dir + "'").c_str());
}

// ---- the same namespace decisions ------------------------------------------------

namespace {

const char kXsi[] = "http://www.w3.org/2001/XMLSchema-instance";

// Random writer calls that reach every namespace decision: pairings and
// default namespaces given before the root, on open start tags and after
// them; prefixes that the writer would also generate; attributes, xsi:type
// and xsi:nil in namespaces that are and are not in scope.
void NamespaceElement(CXmlWriter& w, std::mt19937& rng, int depth) {
  static const char* const kUris[] = {"", "urn:a", "urn:b", "urn:c", kXsi};
  static const char* const kPrefixes[] = {"p", "q", "AA", "AB", "AC", ""};
  static const char* const kNames[] = {"a", "b", "v"};
  auto pick = [&rng](size_t n) { return static_cast<size_t>(rng() % n); };
  auto addNamespace = [&] {
    const char* prefix = kPrefixes[pick(6)];
    w.AddNamespace(prefix, kUris[1 + pick(4)]);
  };
  w.WriteStartElement(kNames[pick(3)], kUris[pick(4)]);
  std::set<std::string> used;
  bool typed = false, nil = false;
  for (size_t steps = pick(8); steps > 0; --steps) {
    switch (pick(7)) {
      case 0:
        addNamespace();
        break;
      case 1:
        w.SetDefaultNamespace(kUris[pick(4)]);
        break;
      case 2:
      case 3: {
        const char* name = kNames[pick(3)];
        const char* ns = kUris[pick(5)];
        if (used.insert(std::string(ns) + "|" + name).second)
          w.WriteAttributeString(name, ns, "x", ItemType_string);
        break;
      }
      case 4:
        if (!typed) w.WriteAttributeType(kUris[pick(4)], "T", ItemType_string);
        typed = true;
        break;
      case 5:
        if (!nil) w.WriteAttributeNil();
        nil = true;
        break;
      default:
        w.WriteString("", ItemType_string);  // keeps the start tag open
        break;
    }
  }
  for (size_t children = depth < 4 ? pick(5) : 0; children > 0; --children) {
    switch (pick(4)) {
      case 0:
        w.WriteString("t", ItemType_string);
        break;
      case 1:
        addNamespace();  // on the open start tag or, once it closed, for the children
        break;
      default:
        NamespaceElement(w, rng, depth + 1);
        break;
    }
  }
  w.WriteEndElement();
}

Script NamespaceScript(unsigned seed) {
  return [seed](CXmlWriter& w) {
    std::mt19937 rng(seed);
    if (rng() % 2) w.SetDefaultNamespace(rng() % 2 ? "urn:a" : "urn:b");
    for (unsigned n = rng() % 3; n > 0; --n)
      w.AddNamespace(rng() % 2 ? "p" : "AA", rng() % 2 ? "urn:b" : kXsi);
    NamespaceElement(w, rng, 0);
  };
}

}  // namespace

// Both writers take their namespace decisions from the writer core: read
// back, every element declares the same prefixes for the same namespaces,
// and every element, attribute and xsi:type value uses the same prefix.
TEST(FastInfosetInterop, BothWritersDeclareAndUseTheSamePrefixes) {
  const std::string java = VXXML_JAVA;
  const std::string classpath = VXXML_FI_CLASSPATH;
  if (java.empty() || classpath.empty()) GTEST_SKIP() << "no JDK or no FastInfoset.jar";

  const std::string dir = testing::TempDir() + "vxxml_fi_prefixes_" + std::to_string(::getpid());
  ASSERT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
  const CFastInfosetContext context;
  std::vector<Document> documents;
  for (unsigned seed = 1; seed <= 80; ++seed)
    documents.push_back(
        {"ns" + std::to_string(seed), false, NamespaceScript(seed), FInfoDecl_None});
  std::string files;
  for (const Document& d : documents) {
    vxtest::WriteFile(dir + "/" + d.name + ".fi", FastInfoset(context, d.script, d.decl));
    vxtest::WriteFile(dir + "/" + d.name + ".xml", XmlText(d.script));
    files += " '" + dir + "/" + d.name + ".fi' '" + dir + "/" + d.name + ".xml'";
  }
  const std::string out = dir + "/dump.txt";
  const std::string command = "'" + java + "' -cp '" + classpath + "' FiToXml -prefixes" +
                              files + " > '" + out + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  auto dumps = ReadDumps(out);
  size_t declarations = 0, prefixed = 0;
  for (const Document& d : documents) {
    const auto& fi = dumps[dir + "/" + d.name + ".fi"];
    const auto& xml = dumps[dir + "/" + d.name + ".xml"];
    ASSERT_FALSE(xml.empty()) << d.name;
    EXPECT_NE(xml[0].compare(0, 6, "#ERROR"), 0) << d.name << ": " << xml[0];
    ASSERT_FALSE(fi.empty()) << d.name;
    EXPECT_NE(fi[0].compare(0, 6, "#ERROR"), 0) << d.name << ": " << fi[0];
    // Element by element in document order: the same declarations, names
    // and prefixes, attribute values (xsi:type's included) and texts.
    EXPECT_EQ(fi, xml) << d.name;
    for (const std::string& line : xml) {
      if (line.compare(0, 2, "N ") == 0) ++declarations;
      if (line.find(" as ") != std::string::npos && line.find(':') != std::string::npos)
        ++prefixed;
    }
  }
  // The sequences did reach the namespace decisions.
  EXPECT_GT(declarations, 200u);
  EXPECT_GT(prefixed, 200u);
  std::system(("rm -rf '" + dir + "'").c_str());
}
