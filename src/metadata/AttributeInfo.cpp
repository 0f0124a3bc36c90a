// The shared ground of the attribute-info family.
#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"
#include "xml/XmlChars.h"

using namespace VxXmlLib10;

namespace VxXmlLib10Data {

CAttributeInfo::CAttributeInfo(const char* attributeName, const char* namespaceUri,
                               int propertyId, bool optional, const char* defaultValue)
    : m_attributeName(attributeName ? attributeName : ""),
      m_namespaceURI(namespaceUri ? namespaceUri : ""),
      m_propertyId(propertyId),
      m_optional(optional),
      m_defaultValue(defaultValue ? defaultValue : ""),
      m_nameChecked(detail::IsAsciiNCName(m_attributeName)) {}

CAttributeInfo::~CAttributeInfo() = default;

void CAttributeInfo::AccessProperty(CXmlGeneratedClass* owner, bool read,
                                    VxVariant& value) const {
  owner->AccessProperty(m_propertyId, read, value);
}

void CAttributeInfo::ReadProperty(const CXmlGeneratedClass* owner, VxVariant& value) const {
  owner->ReadProperty(m_propertyId, value);
}

bool CAttributeInfo::IsThisAttribute(const CXmlSerializationContext& context,
                                     const CXmlAttribute* attribute) const {
  if (!attribute) return false;
  if (attribute->GetLocalName() != m_attributeName) return false;
  if (context.GetIgnoreNamespaces()) return true;
  return attribute->GetNamespaceURI() == m_namespaceURI;
}

bool CAttributeInfo::TestNamespace(const std::string& namespaceUri, const std::string& rule,
                                   const std::string& targetNamespace) const {
  return CXmlObjectHelper::TestNamespace(namespaceUri, rule, targetNamespace);
}

bool CAttributeInfo::IsNamespaceValid(const std::string& namespaceUri, const std::string& rule,
                                      const std::string& targetNamespace) const {
  return CXmlObjectHelper::IsNamespaceValid(namespaceUri, rule, targetNamespace);
}

std::string CAttributeInfo::GetTargetNamespace(const CXmlObjectBase* object) const {
  return object->GetTargetNamespace();
}

void CAttributeInfo::ToXml_Int(const CXmlObjectBase* object, CXmlWriter* writer,
                               bool isDocumentRoot, const char* namespaceUri,
                               const CXmlSerializationContext& context) const {
  CXmlObjectBase::ToXml_Int(object, writer, isDocumentRoot, namespaceUri, context, false);
}

}  // namespace VxXmlLib10Data
