// The attribute-info family: simple, enumerated and wildcard attributes.
#include "vxxml/AttributeInfos.h"

#include "metadata/Messages.h"
#include "types/VariantAccess.h"
#include "vxxml/Collection.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Untyped.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"
#include "vxxml/XmlWriter.h"
#include "xml/CheckedNames.h"

using namespace VxXmlLib10;

namespace VxXmlLib10Data {

namespace {

const char* Text(const char* text) { return text ? text : ""; }

// An optional attribute equal to its non-empty default is left out when the
// context asks for it.
bool IsOmittedDefault(const CXmlSerializationContext& context, const CAttributeInfo& info,
                      const std::string& text) {
  return info.IsOptional() && !info.GetDefaultValue().empty() &&
         context.GetNoOptionalAttributeDefaultOutput() && text == info.GetDefaultValue();
}

void ValidateRequired(const CAttributeInfo& info, bool found) {
  if (!info.IsOptional() && !found) detail::ThrowRequiredAttributeMissing(info.GetAttributeName());
}

}  // namespace

// ---- CAttributeInfoPrimitive ------------------------------------------------

CAttributeInfoPrimitive::CAttributeInfoPrimitive(
    const char* attributeName, const char* namespaceUri, int propertyId, bool optional,
    ItemType itemType, const char* format, CWhitespaceUtils::WhitespaceRule whitespaceRule,
    const CPrimitiveRestrictions& restrictions, const char* defaultValue)
    : CAttributeInfo(attributeName, namespaceUri, propertyId, optional, defaultValue),
      m_restrictions(restrictions),
      m_itemType(itemType),
      m_format(Text(format)),
      m_whitespaceRule(whitespaceRule) {}

CAttributeInfoPrimitive::~CAttributeInfoPrimitive() = default;

void CAttributeInfoPrimitive::AttributeToXml(const CXmlSerializationContext& context,
                                             const CXmlGeneratedClass* owner,
                                             CXmlWriter* writer) const {
  VxVariant value;
  value.AllowLending();  // read here, while the owner stays as it is
  ReadProperty(owner, value);
  if (m_optional && !value.IsValid()) return;
  // A required value that is absent fails here, with the variant's own
  // conversion message.
  std::string scratch;
  const std::string& text = detail::VariantAccess::Text(value, m_format.c_str(), scratch);
  if (IsOmittedDefault(context, *this, text)) return;
  CheckRestriction(value);
  detail::CheckedNames::WriteAttributeString(*writer, m_attributeName, m_namespaceURI, text,
                                             value.GetItemType(), m_nameChecked);
}

bool CAttributeInfoPrimitive::AttributeFromXml(const CXmlSerializationContext&,
                                               CXmlGeneratedClass* owner,
                                               const CXmlAttribute* attribute) {
  // Exact name and namespace: unlike the other infos, this one does not
  // relax the namespace under IgnoreNamespaces.
  if (!attribute || attribute->GetLocalName() != m_attributeName ||
      attribute->GetNamespaceURI() != m_namespaceURI)
    return false;
  VxVariant value;
  value.FromString(attribute->GetValue(), m_itemType, m_whitespaceRule);
  AccessProperty(owner, false, value);
  return true;
}

void CAttributeInfoPrimitive::Validate(const CXmlSerializationContext&, bool found) const {
  ValidateRequired(*this, found);
}

void CAttributeInfoPrimitive::CheckRestriction(const VxVariant& value) const {
  CXmlObjectHelper::CheckRestriction(m_attributeName.c_str(), value, m_itemType, m_restrictions);
}

// ---- CAttributeInfoEnum ------------------------------------------------------

CAttributeInfoEnum::CAttributeInfoEnum(const char* attributeName, const char* namespaceUri,
                                       int propertyId, bool optional, EnumToTextFunc toText,
                                       TextToEnumFunc toEnum, const char* defaultValue)
    : CAttributeInfo(attributeName, namespaceUri, propertyId, optional, defaultValue),
      m_toText(toText),
      m_toEnum(toEnum) {}

CAttributeInfoEnum::~CAttributeInfoEnum() = default;

void CAttributeInfoEnum::AttributeToXml(const CXmlSerializationContext& context,
                                        const CXmlGeneratedClass* owner,
                                        CXmlWriter* writer) const {
  VxVariant value;
  ReadProperty(owner, value);
  if (m_optional && !value.IsValid()) return;
  // An absent required value has no number to give the enumeration: it
  // fails with the variant's conversion message, as a simple attribute does.
  const std::string text =
      value.IsValid() ? m_toText(static_cast<int>(value.GetI4())) : value.ToString(nullptr);
  if (IsOmittedDefault(context, *this, text)) return;
  detail::CheckedNames::WriteAttributeString(*writer, m_attributeName, m_namespaceURI, text,
                                             ItemType_string, m_nameChecked);
}

bool CAttributeInfoEnum::AttributeFromXml(const CXmlSerializationContext& context,
                                          CXmlGeneratedClass* owner,
                                          const CXmlAttribute* attribute) {
  if (!IsThisAttribute(context, attribute)) return false;
  VxVariant value;
  value.SetI4(m_toEnum(attribute->GetValue().c_str()));
  AccessProperty(owner, false, value);
  return true;
}

void CAttributeInfoEnum::Validate(const CXmlSerializationContext&, bool found) const {
  ValidateRequired(*this, found);
}

// ---- CAttributeInfoAny -------------------------------------------------------

CAttributeInfoAny::CAttributeInfoAny(const char* attributeName, const char* namespaceUri,
                                     int propertyId, bool optional, const char* restriction,
                                     const char* targetNamespace, const char* defaultValue)
    : CAttributeInfo(attributeName, namespaceUri, propertyId, optional, defaultValue),
      m_restriction(Text(restriction)),
      m_targetNamespace(Text(targetNamespace)) {}

CAttributeInfoAny::~CAttributeInfoAny() = default;

void CAttributeInfoAny::AttributeToXml(const CXmlSerializationContext& context,
                                       const CXmlGeneratedClass* owner,
                                       CXmlWriter* writer) const {
  VxVariant value;
  ReadProperty(owner, value);
  const std::string targetNamespace = GetTargetNamespace(owner);
  if (value.GetItemType() != ItemType_xmlCollection) return;
  CSmartPtr<CXmlCollectionBase> collection = value.GetXmlCollection();
  if (collection.IsNull()) return;
  ToXml_Int(collection.Get(), writer, false, targetNamespace.c_str(), context);
}

bool CAttributeInfoAny::AttributeFromXml(const CXmlSerializationContext&,
                                         CXmlGeneratedClass* owner,
                                         const CXmlAttribute* attribute) {
  if (!attribute ||
      !IsNamespaceValid(attribute->GetNamespaceURI(), m_restriction, m_targetNamespace))
    return false;
  VxVariant value;
  ReadProperty(owner, value);
  CSmartPtr<CXmlCollectionBase> collection;
  if (value.GetItemType() == ItemType_xmlCollection) collection = value.GetXmlCollection();
  CAttributeCol* attributes = dynamic_cast<CAttributeCol*>(collection.Get());
  if (!attributes) detail::ThrowNotAnAttributeCol();
  attributes->Add(attribute->GetLocalName().c_str(), attribute->GetValue().c_str(),
                  attribute->GetNamespaceURI().c_str());
  return true;
}

void CAttributeInfoAny::Validate(const CXmlSerializationContext&, bool) const {}

}  // namespace VxXmlLib10Data
