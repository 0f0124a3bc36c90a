// Writer scripts (sequences of writer calls) that the Fast Infoset tests run
// through both writers, and the two writers' output for a script.
#ifndef VXXML_TESTS_FASTINFOSET_WRITERSCRIPTS_H
#define VXXML_TESTS_FASTINFOSET_WRITERSCRIPTS_H

#include <functional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "vxxml/FastInfosetWriter.h"
#include "vxxml/XmlTextWriter.h"
#include "xml/WriterSteps.h"

namespace fi_test {

using namespace VxXmlLib10;

typedef std::function<void(CXmlWriter&)> Script;
typedef std::vector<std::pair<ItemType, std::string>> Values;

inline std::string FastInfoset(const CFastInfosetContext& context, const Script& script,
                               FInfoDecl decl = FInfoDecl_None) {
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.Open();
  writer.WriteStartDocument(decl);
  script(writer);
  writer.WriteEndDocument();
  writer.Close();
  const CBinaryData data = stream.GetBinaryStream();
  return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

// The same calls as unformatted UTF-8 XML text.
inline std::string XmlText(const Script& script) {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetFormat(false);
  writer.Open();
  writer.WriteStartDocument();
  script(writer);
  writer.Close();
  return stream.GetText();
}

const char kXsi[] = "http://www.w3.org/2001/XMLSchema-instance";

// Random writer calls that reach every namespace decision: pairings and
// default namespaces given before the root, on open start tags and after
// them; prefixes that the writer would also generate; attributes, xsi:type
// and xsi:nil in namespaces that are and are not in scope; typed values.
inline void RandomElement(CXmlWriter& w, std::mt19937& rng, int depth) {
  static const char* const kUris[] = {"", "urn:a", "urn:b", "urn:c", kXsi};
  static const char* const kPrefixes[] = {"p", "q", "AA", "AB", "AC", ""};
  static const char* const kNames[] = {"a", "b", "v", "x\xC3\xA9"};
  static const std::pair<ItemType, const char*> kValues[] = {
      {ItemType_string, "x"},         {ItemType_string, "a longer text value"},
      {ItemType_string, "\xC3\xA9t\xC3\xA9"}, {ItemType_i4, "42"},
      {ItemType_r8, "0.5"},           {ItemType_boolean, "true"},
      {ItemType_date, "2020-02-29"},  {ItemType_decimal, "-7.25"},
      {ItemType_hexBinary, "CAFE"},   {ItemType_base64Binary, "AQID"},
  };
  auto pick = [&rng](size_t n) { return static_cast<size_t>(rng() % n); };
  w.WriteStartElement(kNames[pick(4)], kUris[pick(4)]);
  std::set<std::string> used;
  bool typed = false, nil = false;
  for (size_t steps = pick(8); steps > 0; --steps) {
    const auto& v = kValues[pick(10)];
    const size_t what = pick(7);
    const char* name = kNames[pick(4)];
    const char* ns = kUris[pick(5)];
    if (what == 0) w.AddNamespace(kPrefixes[pick(6)], kUris[1 + pick(4)]);
    if (what == 1) w.SetDefaultNamespace(kUris[pick(4)]);
    if ((what == 2 || what == 3) && used.insert(std::string(ns) + "|" + name).second)
      w.WriteAttributeString(name, ns, v.second, v.first);
    if (what == 4 && !typed) w.WriteAttributeType(kUris[pick(4)], "T", ItemType_string);
    if (what == 5 && !nil) w.WriteAttributeNil();
    if (what == 6) w.WriteString("", ItemType_string);  // keeps the start tag open
    typed = typed || what == 4;
    nil = nil || what == 5;
  }
  for (size_t children = depth < 5 ? pick(5) : 0; children > 0; --children) {
    const auto& v = kValues[pick(10)];
    const size_t what = pick(4);
    if (what == 0) w.WriteString(v.second, v.first);
    if (what == 1) w.AddNamespace(kPrefixes[pick(6)], kUris[1 + pick(4)]);  // on the tag or children
    if (what >= 2) RandomElement(w, rng, depth + 1);
  }
  w.WriteEndElement();
}

inline Script RandomScript(unsigned seed) {
  return [seed](CXmlWriter& w) {
    std::mt19937 rng(seed);
    if (rng() % 2) w.SetDefaultNamespace(rng() % 2 ? "urn:a" : "urn:b");
    for (unsigned n = rng() % 3; n > 0; --n)
      w.AddNamespace(rng() % 2 ? "p" : "AA", rng() % 2 ? "urn:b" : kXsi);
    RandomElement(w, rng, 0);
  };
}

// Texts across every length boundary of the encodings, mixed content,
// escapes and deep nesting.
inline void Texts(CXmlWriter& w) {
  vxxml_test::Run(w, {{'!', "a comment"}, {'?', "<?target data?>"}, {'<', "texts"}});
  for (size_t n : {1u, 2u, 8u, 9u, 64u, 65u, 258u, 259u, 264u, 265u, 320u, 321u, 5000u, 70000u}) {
    std::string text;
    for (size_t i = 0; i < n; ++i) text += static_cast<char>('a' + i % 26);
    vxxml_test::Run(w, {{'<', "t"}, {'t', text}, {'>'}, {'<', "a"}, {'@', "v", "", text}, {'>'}});
  }
  const char escapes[] = "<&> \"quoted\" 'apos' tab\there\nline two\r\nthree\rCR";
  vxxml_test::Run(w, {{'<', "mixed"}, {'t', "one "}, {'t', ""}, {'t', "two"}, {'<', "b"},
                      {'t', "inner"}, {'>'}, {'t', " three"}, {'>'}, {'<', "escapes"},
                      {'t', escapes}, {'>'}, {'<', "escapes"}, {'@', "v", "", escapes}, {'>'},
                      {'<', "empty"}, {'@', "v", "", ""}, {'>'}, {'<', "deep"}});
  for (int i = 0; i < 100; ++i) w.WriteStartElement("level", i % 2 ? "urn:odd" : "");
  w.WriteString("bottom", ItemType_string);
  for (int i = 0; i < 102; ++i) w.WriteEndElement();
}

// Enough distinct names and values to reach the longest index forms of
// every table: 2081 element names, 8257 attribute values and local names,
// 1041 character chunks.
inline void Repeats(CXmlWriter& w) {
  w.WriteStartElement("repeats", "");
  for (int i = 0; i < 9000; ++i) {
    vxxml_test::Run(w, {{'<', "e" + std::to_string(i % 2200)},
                        {'@', "v", "", std::to_string(i)},
                        {'@', "a" + std::to_string(i), "", "same"},
                        {'t', "t" + std::to_string(i % 1100)},
                        {'>'}});
  }
  w.WriteEndElement();
}

inline void NonAscii(CXmlWriter& w) {
  vxxml_test::Run(
      w, {{'n', "\xC3\xA9", "urn:caf\xC3\xA9"}, {'<', "caf\xC3\xA9", "urn:caf\xC3\xA9"},
          {'@', "\xC3\xBC" "ber", "", "Gr\xC3\xBC\xC3\x9F" "e"},
          {'@', "k", "urn:\xE6\x97\xA5\xE6\x9C\xAC", "\xE2\x82\xAC"},
          {'<', "t"},
          {'t', "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 "
                "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80"},
          {'>'},
          {'<', "t"}, {'t', "\xC3\xA9"}, {'>'}, {'<', "t"}, {'t', "\xC3\xA9"}, {'>'}, {'>'}});
}

inline void LongNames(CXmlWriter& w) {
  const std::string local(70, 'n'), uri = "urn:" + std::string(400, 'u');
  vxxml_test::Run(w, {{'<', local, uri}, {'@', local, uri, "v"}, {'<', local, uri}, {'>'}, {'>'}});
}

// Each value as an attribute and as element text, twice (the second time
// by index where it was entered in a table).
inline Script Typed(const Values& values) {
  return [values](CXmlWriter& w) {
    w.WriteStartElement("typed", "");
    for (int round = 0; round < 2; ++round) {
      for (const auto& v : values) {
        w.WriteStartElement("v", "");
        w.WriteAttributeString("a", "", v.second, v.first);
        w.WriteString(v.second, v.first);
        w.WriteEndElement();
      }
    }
    w.WriteEndElement();
  };
}

}  // namespace fi_test

#endif  // VXXML_TESTS_FASTINFOSET_WRITERSCRIPTS_H
