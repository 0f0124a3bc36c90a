// For the fuzz targets: the infoset of a loaded document as one string (it
// reads every name, namespace, attribute and text of the tree, so a bad node
// shows under AddressSanitizer, and two trees with equal dumps carry the same
// infoset), and bytes made printable for a report.
#ifndef VXXML_FUZZ_FUZZTREE_H
#define VXXML_FUZZ_FUZZTREE_H

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "vxxml/XmlDocument.h"

namespace fuzz {

// Each string with its length in front, so no content can look like another.
inline void Put(std::string& out, const std::string& text) {
  out += std::to_string(text.size());
  out += ':';
  out += text;
}

// Per element in document order: its names, its attributes sorted, its text
// (all character data, concatenated), then its children and an end mark.
// Iterative: documents may nest deeper than the stack allows. With `types`,
// an xsi:type value is its expanded name ({namespace}local, the prefix
// looked up in that document), since two prefixes of one namespace name the
// same type.
inline std::string Dump(const VxXmlLib10::CXmlElement* root,
                        const VxXmlLib10::CXmlDocument* types = nullptr) {
  std::string out;
  std::vector<std::pair<const VxXmlLib10::CXmlElement*, bool>> stack;  // element, started
  if (root) stack.push_back({root, false});
  while (!stack.empty()) {
    const VxXmlLib10::CXmlElement* e = stack.back().first;
    if (stack.back().second) {
      out += ")\n";
      stack.pop_back();
      continue;
    }
    stack.back().second = true;
    out += "(";
    Put(out, e->GetNamespaceURI());
    Put(out, e->GetLocalName());
    std::vector<std::string> attributes;
    for (const VxXmlLib10::CXmlAttribute* a : e->GetAttributes()) {
      std::string one;
      Put(one, a->GetNamespaceURI());
      Put(one, a->GetLocalName());
      const std::string& value = a->GetValue();
      const std::size_t colon = value.find(':');
      if (types && colon != std::string::npos && a->GetLocalName() == "type" &&
          a->GetNamespaceURI() == "http://www.w3.org/2001/XMLSchema-instance") {
        Put(one, "{" + types->LookupNamespaceFromAlias(value.substr(0, colon).c_str()) + "}" +
                     value.substr(colon + 1));
      } else {
        Put(one, value);
      }
      attributes.push_back(std::move(one));
    }
    std::sort(attributes.begin(), attributes.end());
    for (const std::string& a : attributes) out += " @" + a;
    out += " text ";
    Put(out, e->GetText());
    out += '\n';
    std::vector<const VxXmlLib10::CXmlElement*> children;
    for (const auto* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
      children.push_back(c);
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back({*it, false});
  }
  return out;
}

// Printable ASCII and LF as they are, other bytes as \xNN.
inline std::string Printable(const std::string& bytes) {
  std::string out;
  for (const unsigned char c : bytes) {
    if ((c >= 0x20 && c < 0x7F) || c == '\n') {
      out += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace fuzz

#endif  // VXXML_FUZZ_FUZZTREE_H
