// Writer calls as data, one Step a call, so that tables of cases can hold them.
#ifndef VXXML_TESTS_XML_WRITERSTEPS_H
#define VXXML_TESTS_XML_WRITERSTEPS_H

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "vxxml/XmlTextWriter.h"

namespace vxxml_test {

struct Step {
  Step(char op, std::string a = "", std::string b = "", std::string c = "",
       VxXmlLib10::ItemType type = VxXmlLib10::ItemType_string)
      : op(op), a(std::move(a)), b(std::move(b)), c(std::move(c)), type(type) {}
  char op;
  std::string a, b, c;
  VxXmlLib10::ItemType type;
};

typedef std::vector<Step> Steps;

// '<' WriteStartElement(a, b)   '>' WriteEndElement()   '@' WriteAttributeString(a, b, c, type)
// 't' WriteString(a, type)      'n' AddNamespace(a, b)  'd' SetDefaultNamespace(a)
// 'x' WriteAttributeType(a, b)  '0' WriteAttributeNil() '!' WriteComment(a)  '?' WritePI(a)
// 's' WriteInlineSchema(a); the text writer's own: 'D' WriteStartDocument(),
// 'h' WriteHeaderDirective(a), 'r' WriteRawElement(a), 'c' CloseParentElm(), 'C' Close().
inline void Run(VxXmlLib10::CXmlWriter& w, const Steps& steps) {
  using VxXmlLib10::CXmlTextWriter;
  for (const Step& s : steps) {
    switch (s.op) {
      case '<': w.WriteStartElement(s.a, s.b); break;
      case '>': w.WriteEndElement(); break;
      case '@': w.WriteAttributeString(s.a, s.b, s.c, s.type); break;
      case 't': w.WriteString(s.a, s.type); break;
      case 'n': w.AddNamespace(s.a, s.b); break;
      case 'd': w.SetDefaultNamespace(s.a); break;
      case 'x': w.WriteAttributeType(s.a, s.b, VxXmlLib10::ItemType_string); break;
      case '0': w.WriteAttributeNil(); break;
      case '!': w.WriteComment(s.a); break;
      case '?': w.WritePI(s.a); break;
      case 's': w.WriteInlineSchema(s.a); break;
      case 'D': dynamic_cast<CXmlTextWriter&>(w).WriteStartDocument(); break;
      case 'h': dynamic_cast<CXmlTextWriter&>(w).WriteHeaderDirective(s.a); break;
      case 'r': dynamic_cast<CXmlTextWriter&>(w).WriteRawElement(s.a); break;
      case 'c': dynamic_cast<CXmlTextWriter&>(w).CloseParentElm(); break;
      case 'C': w.Close(); break;
      default: throw std::logic_error(std::string("no step ") + s.op);
    }
  }
}

}  // namespace vxxml_test

#endif  // VXXML_TESTS_XML_WRITERSTEPS_H
