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

#include "vxxml/FastInfosetWriter.h"
#include "vxxml/XmlTextWriter.h"

using namespace VxXmlLib10;

namespace {

typedef std::function<void(CXmlWriter&)> Script;

struct Document {
  std::string name;
  bool suggested;  // the context's suggested encodings
  Script script;
  FInfoDecl decl;
};

void WriteFile(const std::string& path, const CBinaryData& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  if (data.GetLength()) std::fwrite(data.GetData(), 1, data.GetLength(), f);
  std::fclose(f);
}

CBinaryData FastInfoset(const Document& d, const CFastInfosetContext& context) {
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.Open();
  writer.WriteStartDocument(d.decl);
  d.script(writer);
  writer.WriteEndDocument();
  writer.Close();
  return stream.GetBinaryStream();
}

CBinaryData XmlText(const Document& d) {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetFormat(false);
  writer.Open();
  writer.WriteStartDocument();
  d.script(writer);
  writer.Close();
  return stream.GetEncodedStream();
}

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

void Leaf(CXmlWriter& w, const std::string& name, const std::string& ns, const std::string& text,
          ItemType type = ItemType_string) {
  w.WriteStartElement(name, ns);
  w.WriteString(text, type);
  w.WriteEndElement();
}

void Namespaces(CXmlWriter& w) {
  w.SetDefaultNamespace("urn:a");
  w.AddNamespace("p", "urn:b");
  w.AddNamespace("q", "urn:q");
  w.WriteStartElement("root", "urn:a");
  w.WriteAttributeString("plain", "", "1", ItemType_string);
  w.WriteAttributeString("pb", "urn:b", "2", ItemType_string);
  w.WriteAttributeString("inDefault", "urn:a", "3", ItemType_string);
  Leaf(w, "c", "urn:a", "in the default namespace");
  Leaf(w, "d", "urn:b", "prefixed");
  w.WriteStartElement("e", "urn:q");
  Leaf(w, "f", "", "no namespace below a default one");
  w.WriteStartElement("g", "");
  Leaf(w, "h", "urn:a", "back in urn:a");
  w.WriteEndElement();
  w.WriteEndElement();
  w.WriteEndElement();
}

void GeneratedPrefixes(CXmlWriter& w) {
  w.WriteStartElement("root", "");
  for (int i = 0; i < 3; ++i) {
    w.WriteStartElement("x", "urn:x");  // declared again on every sibling
    w.WriteAttributeString("a", "urn:attr1", "v", ItemType_string);
    w.WriteAttributeString("b", "urn:attr2", "w", ItemType_string);
    w.WriteAttributeString("c", "urn:x", "u", ItemType_string);
    w.WriteStartElement("y", "urn:x");  // reuses the parent's prefix
    w.WriteStartElement("z", "urn:y");  // a second generated prefix
    w.WriteAttributeString("a", "urn:attr1", "v", ItemType_string);
    w.WriteEndElement();
    w.WriteEndElement();
    w.WriteEndElement();
  }
  w.WriteStartElement("n", "urn:n");
  w.SetDefaultNamespace("urn:n");  // recorded, not declared: both writers alike
  w.AddNamespace("late", "urn:late");
  w.WriteEndElement();
  w.WriteEndElement();
}

void XsiAttributes(CXmlWriter& w) {
  w.SetDefaultNamespace("urn:d");
  w.WriteStartElement("root", "urn:d");
  w.WriteStartElement("a", "urn:d");
  w.WriteAttributeType("", "T1", ItemType_string);
  w.WriteEndElement();
  w.WriteStartElement("b", "urn:d");
  w.WriteAttributeType("urn:d", "T2", ItemType_string);
  w.WriteAttributeNil();
  w.WriteEndElement();
  w.WriteStartElement("c", "urn:other");
  w.WriteAttributeType("urn:types", "T3", ItemType_string);
  w.WriteAttributeNil();
  w.WriteAttributeString("x", "", "y", ItemType_string);
  w.WriteEndElement();
  w.WriteStartElement("d", "");
  w.WriteAttributeType("urn:other", "T4", ItemType_string);
  w.WriteEndElement();
  w.WriteEndElement();
}

void Texts(CXmlWriter& w) {
  w.WriteStartElement("texts", "");
  for (size_t n : {1u, 2u, 8u, 9u, 64u, 65u, 258u, 259u, 264u, 265u, 320u, 321u, 5000u, 70000u}) {
    std::string text;
    for (size_t i = 0; i < n; ++i) text += static_cast<char>('a' + i % 26);
    Leaf(w, "t", "", text);
    w.WriteStartElement("a", "");
    w.WriteAttributeString("v", "", text, ItemType_string);
    w.WriteEndElement();
  }
  w.WriteStartElement("mixed", "");
  w.WriteString("one ", ItemType_string);
  w.WriteString("", ItemType_string);
  w.WriteString("two", ItemType_string);
  Leaf(w, "b", "", "inner");
  w.WriteString(" three", ItemType_string);
  w.WriteEndElement();
  Leaf(w, "escapes", "", "<&> \"quoted\" 'apos' tab\there\nline two");
  w.WriteStartElement("escapes", "");
  w.WriteAttributeString("v", "", "<&> \"q\" 'a' no tab\nline two", ItemType_string);
  w.WriteEndElement();
  w.WriteStartElement("empty", "");
  w.WriteAttributeString("v", "", "", ItemType_string);
  w.WriteEndElement();
  w.WriteStartElement("deep", "");
  for (int i = 0; i < 100; ++i) w.WriteStartElement("level", i % 2 ? "urn:odd" : "");
  w.WriteString("bottom", ItemType_string);
  for (int i = 0; i < 100; ++i) w.WriteEndElement();
  w.WriteEndElement();
  w.WriteEndElement();
}

void Repeats(CXmlWriter& w) {
  // Enough distinct names and values to reach the longest index forms of
  // every table: 2081 element names, 8257 attribute values and local names,
  // 1041 character chunks.
  w.WriteStartElement("repeats", "");
  char buf[32];
  for (int i = 0; i < 9000; ++i) {
    std::snprintf(buf, sizeof buf, "e%d", i % 2200);
    w.WriteStartElement(buf, "");
    std::snprintf(buf, sizeof buf, "%d", i);
    w.WriteAttributeString("v", "", buf, ItemType_string);
    std::snprintf(buf, sizeof buf, "a%d", i);
    w.WriteAttributeString(buf, "", "same", ItemType_string);
    std::snprintf(buf, sizeof buf, "t%d", i % 1100);
    w.WriteString(buf, ItemType_string);
    w.WriteEndElement();
  }
  w.WriteEndElement();
}

void NonAscii(CXmlWriter& w) {
  w.AddNamespace("\xC3\xA9", "urn:caf\xC3\xA9");
  w.WriteStartElement("caf\xC3\xA9", "urn:caf\xC3\xA9");
  w.WriteAttributeString("\xC3\xBC" "ber", "", "Gr\xC3\xBC\xC3\x9F" "e", ItemType_string);
  w.WriteAttributeString("k", "urn:\xE6\x97\xA5\xE6\x9C\xAC", "\xE2\x82\xAC", ItemType_string);
  Leaf(w, "t", "", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80");
  Leaf(w, "t", "", "\xC3\xA9");
  Leaf(w, "t", "", "\xC3\xA9");
  w.WriteEndElement();
}

void LongNames(CXmlWriter& w) {
  const std::string local(70, 'n');
  std::string uri = "urn:";
  uri += std::string(400, 'u');
  w.WriteStartElement(local, uri);
  w.WriteAttributeString(local, uri, "v", ItemType_string);
  w.WriteStartElement(local, uri);
  w.WriteEndElement();
  w.WriteEndElement();
}

void Typed(CXmlWriter& w) {
  struct Value {
    ItemType type;
    const char* text;
  } values[] = {
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
  w.WriteStartElement("typed", "");
  for (int round = 0; round < 2; ++round) {  // the second round is by index
    for (const Value& v : values) {
      w.WriteStartElement("v", "");
      w.WriteAttributeString("a", "", v.text, v.type);
      w.WriteString(v.text, v.type);
      w.WriteEndElement();
    }
  }
  w.WriteEndElement();
}

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
      {"typed_suggested", true, Typed, FInfoDecl_None},
      {"typed_plain", false, Typed, FInfoDecl_None},
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
    WriteFile(dir + "/" + d.name + ".fi", FastInfoset(d, context));
    WriteFile(dir + "/" + d.name + ".xml", XmlText(d));
    files += " '" + dir + "/" + d.name + ".fi' '" + dir + "/" + d.name + ".xml'";
  }
  const std::string out = dir + "/dump.txt";
  const std::string command =
      "'" + java + "' -cp '" + classpath + "' FiToXml" + files + " > '" + out + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

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
