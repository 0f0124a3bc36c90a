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

inline void Leaf(CXmlWriter& w, const std::string& name, const std::string& ns,
                 const std::string& text, ItemType type = ItemType_string) {
  w.WriteStartElement(name, ns);
  w.WriteString(text, type);
  w.WriteEndElement();
}

inline void Namespaces(CXmlWriter& w) {
  w.SetDefaultNamespace("urn:a");
  w.AddNamespace("p", "urn:b");
  w.AddNamespace("q", "urn:q");
  w.WriteStartElement("root", "urn:a");
  w.WriteAttributeString("plain", "", "1", ItemType_string);
  w.WriteAttributeString("pb", "urn:b", "2", ItemType_string);
  w.WriteAttributeString("inDefault", "urn:a", "3", ItemType_string);
  w.WriteAttributeString("lang", "http://www.w3.org/XML/1998/namespace", "fr", ItemType_string);
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

inline void GeneratedPrefixes(CXmlWriter& w) {
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

inline void XsiAttributes(CXmlWriter& w) {
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

// Texts across every length boundary of the encodings, mixed content,
// escapes and deep nesting.
inline void Texts(CXmlWriter& w) {
  w.WriteComment("a comment");
  w.WritePI("<?target data?>");
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
  Leaf(w, "escapes", "", "<&> \"quoted\" 'apos' tab\there\nline two\r\nthree\rCR");
  w.WriteStartElement("escapes", "");
  w.WriteAttributeString("v", "", "<&> \"q\" 'a' tab\there\nline two\r\nthree\rCR",
                         ItemType_string);
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

// Enough distinct names and values to reach the longest index forms of
// every table: 2081 element names, 8257 attribute values and local names,
// 1041 character chunks.
inline void Repeats(CXmlWriter& w) {
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

inline void NonAscii(CXmlWriter& w) {
  w.AddNamespace("\xC3\xA9", "urn:caf\xC3\xA9");
  w.WriteStartElement("caf\xC3\xA9", "urn:caf\xC3\xA9");
  w.WriteAttributeString("\xC3\xBC" "ber", "", "Gr\xC3\xBC\xC3\x9F" "e", ItemType_string);
  w.WriteAttributeString("k", "urn:\xE6\x97\xA5\xE6\x9C\xAC", "\xE2\x82\xAC", ItemType_string);
  Leaf(w, "t", "", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80");
  Leaf(w, "t", "", "\xC3\xA9");
  Leaf(w, "t", "", "\xC3\xA9");
  w.WriteEndElement();
}

inline void LongNames(CXmlWriter& w) {
  const std::string local(70, 'n');
  const std::string uri = "urn:" + std::string(400, 'u');
  w.WriteStartElement(local, uri);
  w.WriteAttributeString(local, uri, "v", ItemType_string);
  w.WriteStartElement(local, uri);
  w.WriteEndElement();
  w.WriteEndElement();
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
