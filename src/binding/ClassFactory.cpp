// Reading xsi:type for the generated class factories.
#include "vxxml/ClassFactory.h"

#include "base/XmlNamespaces.h"
#include "vxxml/XmlDocument.h"

namespace VxXmlLib10 {

namespace {
const std::string& TypeValue(const CXmlElement* element) {
  return element->GetAttribute("type", detail::kXsiNamespace);
}
}  // namespace

CClassfactoryBase::~CClassfactoryBase() = default;

std::string CClassfactoryBase::GetElementType(CXmlElement* element) {
  if (!element) return std::string();
  const std::string& value = TypeValue(element);
  const size_t colon = value.find(':');
  return colon == std::string::npos ? value : value.substr(colon + 1);
}

std::string CClassfactoryBase::GetElementTypeNamespaceUri(CXmlElement* element) {
  if (!element) return std::string();
  const std::string& value = TypeValue(element);
  const size_t colon = value.find(':');
  if (colon == std::string::npos || !element->GetDocument()) return element->GetNamespaceURI();
  const std::string prefix = value.substr(0, colon);
  const std::string& uri = element->GetDocument()->LookupNamespaceFromAlias(prefix.c_str());
  return uri.empty() ? element->GetNamespaceURI() : uri;
}

}  // namespace VxXmlLib10
