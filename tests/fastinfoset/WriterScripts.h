// Writer scripts (sequences of writer calls) that the Fast Infoset tests run
// through both writers, and the two writers' output for a script.
#ifndef VXXML_TESTS_FASTINFOSET_WRITERSCRIPTS_H
#define VXXML_TESTS_FASTINFOSET_WRITERSCRIPTS_H

#include <cstdio>
#include <functional>
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

inline void Namespaces(CXmlWriter& w) {
  vxxml_test::Run(
      w, {{'d', "urn:a"}, {'n', "p", "urn:b"}, {'n', "q", "urn:q"}, {'<', "root", "urn:a"},
          {'@', "plain", "", "1"}, {'@', "pb", "urn:b", "2"}, {'@', "inDefault", "urn:a", "3"},
          {'@', "lang", "http://www.w3.org/XML/1998/namespace", "fr"},
          {'<', "c", "urn:a"}, {'t', "in the default namespace"}, {'>'},
          {'<', "d", "urn:b"}, {'t', "prefixed"}, {'>'},
          {'<', "e", "urn:q"}, {'<', "f"}, {'t', "no namespace below a default one"}, {'>'},
          {'<', "g"}, {'<', "h", "urn:a"}, {'t', "back in urn:a"}, {'>'}, {'>'}, {'>'}, {'>'}});
}

inline void GeneratedPrefixes(CXmlWriter& w) {
  w.WriteStartElement("root", "");
  for (int i = 0; i < 3; ++i)  // x declares its prefix again on every sibling, y reuses it
    vxxml_test::Run(w, {{'<', "x", "urn:x"}, {'@', "a", "urn:attr1", "v"}, {'@', "b", "urn:attr2", "w"},
                        {'@', "c", "urn:x", "u"}, {'<', "y", "urn:x"}, {'<', "z", "urn:y"},
                        {'@', "a", "urn:attr1", "v"}, {'>'}, {'>'}, {'>'}});
  // The default and the pairing are recorded, not declared: both writers alike.
  vxxml_test::Run(w, {{'<', "n", "urn:n"}, {'d', "urn:n"}, {'n', "late", "urn:late"}, {'>'}, {'>'}});
}

inline void XsiAttributes(CXmlWriter& w) {
  vxxml_test::Run(
      w, {{'d', "urn:d"}, {'<', "root", "urn:d"}, {'<', "a", "urn:d"}, {'x', "", "T1"}, {'>'},
          {'<', "b", "urn:d"}, {'x', "urn:d", "T2"}, {'0'}, {'>'},
          {'<', "c", "urn:other"}, {'x', "urn:types", "T3"}, {'0'}, {'@', "x", "", "y"}, {'>'},
          {'<', "d"}, {'x', "urn:other", "T4"}, {'>'}, {'>'}});
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
                      {'t', "inner"}, {'>'}, {'t', " three"}, {'>'},
                      {'<', "escapes"}, {'t', escapes}, {'>'}, {'<', "escapes"}, {'@', "v", "", escapes},
                      {'>'}, {'<', "empty"}, {'@', "v", "", ""}, {'>'}, {'<', "deep"}});
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
    vxxml_test::Run(w, {{'<', "e" + std::to_string(i % 2200)}, {'@', "v", "", std::to_string(i)},
                        {'@', "a" + std::to_string(i), "", "same"}, {'t', "t" + std::to_string(i % 1100)},
                        {'>'}});
  }
  w.WriteEndElement();
}

inline void NonAscii(CXmlWriter& w) {
  vxxml_test::Run(
      w, {{'n', "\xC3\xA9", "urn:caf\xC3\xA9"}, {'<', "caf\xC3\xA9", "urn:caf\xC3\xA9"},
          {'@', "\xC3\xBC" "ber", "", "Gr\xC3\xBC\xC3\x9F" "e"},
          {'@', "k", "urn:\xE6\x97\xA5\xE6\x9C\xAC", "\xE2\x82\xAC"},
          {'<', "t"}, {'t', "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80"}, {'>'},
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
