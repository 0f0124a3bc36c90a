// Type substitution: the base of generated class factories, which read an
// element's xsi:type to create the derived class a document asks for.
//
//   <a xmlns="urn:a" xmlns:p="urn:p" xsi:type="p:Derived" .../>
//   CClassfactoryBase::GetElementType(a);              // "Derived"
//   CClassfactoryBase::GetElementTypeNamespaceUri(a);  // "urn:p"
#ifndef VXXML_CLASSFACTORY_H
#define VXXML_CLASSFACTORY_H

#include <string>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

class CXmlElement;

class VXXML_API CClassfactoryBase {
 public:
  virtual ~CClassfactoryBase();

  /// The local part of the element's xsi:type value (the text after the
  /// first colon, or the whole value); "" when the attribute is absent or
  /// the element is null. Never throws.
  static std::string GetElementType(CXmlElement* element);
  /// The namespace of that type: the URI the document declares for the
  /// value's prefix; the element's own namespace when the value has no
  /// prefix or the prefix is not declared. Never throws.
  static std::string GetElementTypeNamespaceUri(CXmlElement* element);
};

}  // namespace VxXmlLib10

#endif  // VXXML_CLASSFACTORY_H
