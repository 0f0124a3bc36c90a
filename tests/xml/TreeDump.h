// Test helpers: a structural dump of a document tree, and zlib compression.
#ifndef VXXML_TESTS_XML_TREEDUMP_H
#define VXXML_TESTS_XML_TREEDUMP_H

#include <zlib.h>

#include <string>
#include <utility>
#include <vector>

#include "vxxml/XmlDocument.h"
#include "vxxml/XmlEventHandler.h"

namespace vxxml_test {

// One line per element, indented by depth:
//   {namespace}local @{namespace}name="value"... "text"
// with `declarations`, the namespace declarations first: xmlns:prefix=uri...
// Walks with an explicit stack, so any depth is safe.
inline std::string DumpTree(const VxXmlLib10::CXmlElement* root, bool declarations = false) {
  std::string out;
  std::vector<std::pair<const VxXmlLib10::CXmlElement*, int>> stack;
  if (root) stack.emplace_back(root, 0);
  while (!stack.empty()) {
    const auto [element, depth] = stack.back();
    stack.pop_back();
    out.append(2 * depth, ' ');
    if (declarations)
      for (const auto& d : element->GetNamespaceDeclarations())
        out += "xmlns:" + d.first + "=" + d.second + " ";
    out += "{" + element->GetNamespaceURI() + "}" + element->GetLocalName();
    for (const VxXmlLib10::CXmlAttribute* a : element->GetAttributes())
      out += " @{" + a->GetNamespaceURI() + "}" + a->GetLocalName() + "=\"" + a->GetValue() + "\"";
    if (!element->GetText().empty()) out += " \"" + element->GetText() + "\"";
    out += "\n";
    // Push children in reverse so they come out in document order.
    std::vector<const VxXmlLib10::CXmlElement*> children;
    for (auto* c = element->GetFirstElement(); c; c = c->GetNextSiblingElement())
      children.push_back(c);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
      stack.emplace_back(*it, depth + 1);
  }
  return out;
}

// The events of a document, one line each; text runs in a row are one line,
// so the way a reader splits text does not show, nor do prefixes, which the
// Fast Infoset reader does not report.
struct EventDump : VxXmlLib10::CXmlEventHandler {
  std::string out, text;
  void Line(const std::string& line) {
    out += (text.empty() ? "" : "\"" + text + "\"\n") + line + "\n";
    text.clear();
  }
  void StartElement(const VxXmlLib10::CXmlStartElement& e) override {
    std::string line = "<{" + std::string(e.namespaceURI) + "}" + Qualified(e.prefix, e.localName);
    for (std::size_t i = 0; i < e.declarationCount; ++i)
      line += " xmlns:" + std::string(e.declarations[i].prefix) + "=" +
              std::string(e.declarations[i].namespaceURI);
    for (std::size_t i = 0; i < e.attributeCount; ++i)
      line += " @{" + std::string(e.attributes[i].namespaceURI) + "}" +
              Qualified(e.attributes[i].prefix, e.attributes[i].localName) + "=" +
              std::string(e.attributes[i].value);
    Line(line);
  }
  static std::string Qualified(std::string_view prefix, std::string_view name) {
    return (prefix.empty() ? "" : std::string(prefix) + ":") + std::string(name);
  }
  void EndElement() override { Line(">"); }
  void Characters(std::string_view t) override { text += t; }
  void StartCDATA() override { Line("[CDATA"); }
  void EndCDATA() override { Line("CDATA]"); }
  void Comment(std::string_view t) override { Line("!--" + std::string(t)); }
  void ProcessingInstruction(std::string_view t, std::string_view d) override {
    Line("?" + std::string(t) + " " + std::string(d));
  }
  void DocumentType(std::string_view, std::string_view s, std::string_view p) override {
    Line("!DOCTYPE " + std::string(s) + " " + std::string(p));  // Fast Infoset has no name
  }
  void EndDocument() override { Line("."); }
};

// Compresses with zlib: windowBits 31 gives gzip, 15 the zlib format.
inline std::string Deflate(const std::string& in, int windowBits) {
  z_stream zs{};
  deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, in.size()) + 32, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  zs.avail_in = static_cast<uInt>(in.size());
  zs.next_out = reinterpret_cast<Bytef*>(&out[0]);
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}
inline std::string Gzip(const std::string& in) { return Deflate(in, 31); }
inline std::string Zlib(const std::string& in) { return Deflate(in, 15); }

}  // namespace vxxml_test

#endif  // VXXML_TESTS_XML_TREEDUMP_H
