// The shared ground of the element-info family: fields, name matching, the
// four writing shapes, the simple-value reading with its xsi:nil rules, the
// facet check and the default namespace of untyped content.
#include <strings.h>

#include <cstring>

#include "base/XmlNamespaces.h"
#include "metadata/Members.h"
#include "metadata/Messages.h"
#include "types/VariantAccess.h"
#include "vxxml/Collection.h"
#include "vxxml/Exception.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlObjectHelper.h"
#include "vxxml/XmlWriter.h"
#include "xml/CheckedNames.h"
#include "xml/XmlChars.h"

using namespace VxXmlLib10;

namespace VxXmlLib10Data {

namespace {

bool EqualsNoCase(const std::string& text, const char* word) {
  return strcasecmp(text.c_str(), word) == 0 && text.size() == std::strlen(word);
}

}  // namespace

CElementInfo::CElementInfo(const char* elementName, const char* namespaceUri, int propertyId)
    : CElementInfo(elementName, namespaceUri, propertyId, false) {}

CElementInfo::CElementInfo(const char* elementName, const char* namespaceUri, int propertyId,
                           bool nillable)
    : m_elementName(elementName ? elementName : ""),
      m_namespaceURI(namespaceUri ? namespaceUri : ""),
      m_propertyId(propertyId),
      m_itemType(ItemType_none),
      m_whitespaceRule(CWhitespaceUtils::WhitespaceRule_None),
      m_nillable(nillable),
      m_hasSimpleTypeInfo(false),
      m_nameChecked(detail::IsAsciiNCName(m_elementName)) {}

CElementInfo::CElementInfo(const char* elementName, const char* namespaceUri, int propertyId,
                           bool nillable, ItemType itemType, const char* format,
                           CWhitespaceUtils::WhitespaceRule whitespaceRule,
                           const CPrimitiveRestrictions& restrictions)
    : m_elementName(elementName ? elementName : ""),
      m_namespaceURI(namespaceUri ? namespaceUri : ""),
      m_propertyId(propertyId),
      m_restrictions(restrictions),
      m_itemType(itemType),
      m_format(format ? format : ""),
      m_whitespaceRule(whitespaceRule),
      m_nillable(nillable),
      m_hasSimpleTypeInfo(true),
      m_nameChecked(detail::IsAsciiNCName(m_elementName)) {}

CElementInfo::~CElementInfo() = default;

void CElementInfo::PseudoChildAttributeToXml(const CXmlSerializationContext&,
                                             const CXmlGeneratedClass*, CXmlWriter*) const {}

bool CElementInfo::IsOptionalChoiceMember(const CXmlGeneratedClass*) const { return false; }

void CElementInfo::AccessProperty(CXmlGeneratedClass* owner, bool read,
                                  VxVariant& value) const {
  owner->AccessProperty(m_propertyId, read, value);
}

void CElementInfo::ReadProperty(const CXmlGeneratedClass* owner, VxVariant& value) const {
  owner->ReadProperty(m_propertyId, value);
}

CXmlElement* CElementInfo::FromXml_Int(CXmlObjectBase* child, CXmlElement* parent,
                                       CXmlElement* current,
                                       const CXmlSerializationContext& context,
                                       bool emptyChoiceAllowed) const {
  return CXmlObjectBase::FromXml_Int(child, parent, current, context, emptyChoiceAllowed);
}

void CElementInfo::AttributesToXml_Int(const CXmlObjectBase* child, CXmlWriter* writer,
                                       const CXmlSerializationContext& context) const {
  CXmlObjectBase::AttributesToXml_Int(child, writer, context);
}

void CElementInfo::ChildObjectAttributesToXml(const CXmlSerializationContext& context,
                                              const CXmlGeneratedClass* owner,
                                              CXmlWriter* writer,
                                              XmlElementType childType) const {
  if (childType != XmlElementType_PseudoElement) return;
  CSmartPtr<CXmlObjectBase> child = detail::FetchObject(*this, owner);
  if (!child.IsNull()) AttributesToXml_Int(child.Get(), writer, context);
}

void CElementInfo::ChildCollectionAttributesToXml(const CXmlSerializationContext& context,
                                                  const CXmlGeneratedClass* owner,
                                                  CXmlWriter* writer,
                                                  XmlElementType childType) const {
  if (childType != XmlElementType_PseudoElement) return;
  CSmartPtr<CXmlCollectionBase> collection = detail::FetchCollection(*this, owner);
  if (!collection.IsNull()) AttributesToXml_Int(collection.Get(), writer, context);
}

bool CElementInfo::IsThisElement(const CXmlSerializationContext& context,
                                 const CXmlElement* element) const {
  if (!element) return false;
  if (element->GetLocalName() != m_elementName) return false;
  if (context.GetIgnoreNamespaces()) return true;
  return element->GetNamespaceURI() == m_namespaceURI;
}

bool CElementInfo::ElementToXmlPrim(const CXmlSerializationContext&,
                                    const CXmlGeneratedClass* owner, CXmlWriter* writer) const {
  VxVariant value;
  value.AllowLending();  // read here, while the owner stays as it is
  ReadProperty(owner, value);
  if (!value.IsValid()) return false;
  if (value.IsNil()) {
    detail::CheckedNames::WriteStartElement(*writer, m_elementName, m_namespaceURI, m_nameChecked);
    writer->WriteAttributeNil();
    writer->WriteEndElement();
    return true;
  }
  CheckRestriction(value);
  // Converted before the start tag, so that a value that has no text leaves
  // no half-written element behind.
  std::string scratch;
  const std::string& text = detail::VariantAccess::Text(value, m_format.c_str(), scratch);
  detail::CheckedNames::WriteStartElement(*writer, m_elementName, m_namespaceURI, m_nameChecked);
  writer->WriteString(text, value.GetItemType());
  writer->WriteEndElement();
  return true;
}

bool CElementInfo::ElementToXmlEnum(const CXmlSerializationContext&,
                                    const CXmlGeneratedClass* owner, CXmlWriter* writer,
                                    EnumToTextFunc toText) const {
  VxVariant value;
  ReadProperty(owner, value);
  if (!value.IsValid()) return false;
  detail::CheckedNames::WriteStartElement(*writer, m_elementName, m_namespaceURI, m_nameChecked);
  if (value.IsNil())
    writer->WriteAttributeNil();
  else
    writer->WriteString(toText(static_cast<int>(value.GetI4())), ItemType_string);
  writer->WriteEndElement();
  return true;
}

bool CElementInfo::ElementToXmlCls(const CXmlSerializationContext& context,
                                   const CXmlGeneratedClass* owner, CXmlWriter* writer,
                                   bool emptyChoiceAllowed) const {
  CSmartPtr<CXmlObjectBase> child = detail::FetchObject(*this, owner);
  if (child.IsNull()) return false;
  CXmlObjectBase::ToXml_Int(child, writer, false, m_namespaceURI.c_str(), context,
                            emptyChoiceAllowed);
  return true;
}

bool CElementInfo::ElementToXmlCol(const CXmlSerializationContext& context,
                                   const CXmlGeneratedClass* owner, CXmlWriter* writer) const {
  CSmartPtr<CXmlCollectionBase> collection = detail::FetchCollection(*this, owner);
  if (collection.IsNull() || collection->GetCount() < 1) return false;
  CXmlObjectBase::ToXml_Int(collection.Get(), writer, false, m_namespaceURI.c_str(), context,
                            false);
  return true;
}

bool CElementInfo::IsCollectionOptional(const CXmlGeneratedClass* owner) const {
  CSmartPtr<CXmlCollectionBase> collection = detail::FetchCollection(*this, owner);
  return !collection.IsNull() && collection->GetMinOccurs() == 0;
}

bool CElementInfo::IsElementNil(const CXmlElement* element) const {
  // Looked up in place: the common element has no attributes at all, and
  // none of this may allocate on the reading path.
  const std::string* found = nullptr;
  for (const CXmlAttribute* attribute : element->GetAttributes()) {
    if (attribute->GetLocalName() == "nil" &&
        attribute->GetNamespaceURI() == detail::kXsiNamespace) {
      found = &attribute->GetValue();
      break;
    }
  }
  if (!found) return false;
  const std::string& nil = *found;
  if (nil.empty() || EqualsNoCase(nil, "false") || EqualsNoCase(nil, "0")) return false;
  if (!m_nillable) detail::ThrowNilOnNonNillable(m_elementName);
  if (EqualsNoCase(nil, "true") || EqualsNoCase(nil, "1")) return true;
  detail::ThrowUnexpectedNilValue(nil);
}

void CElementInfo::ElementFromXmlPrim(const CXmlSerializationContext&,
                                      CXmlGeneratedClass* owner,
                                      const CXmlElement* element) const {
  VxVariant value;
  if (IsElementNil(element))
    value.SetNil();
  else
    value.FromString(element->GetText(), m_itemType, m_whitespaceRule);
  AccessProperty(owner, false, value);
}

void CElementInfo::ElementFromXmlEnum(const CXmlSerializationContext&,
                                      CXmlGeneratedClass* owner, const CXmlElement* element,
                                      TextToEnumFunc toEnum) const {
  VxVariant value;
  if (IsElementNil(element))
    value.SetNil();
  else
    value.SetI4(toEnum(element->GetText().c_str()));
  AccessProperty(owner, false, value);
}

void CElementInfo::CheckRestriction(const VxVariant& value) const {
  if (!m_hasSimpleTypeInfo) detail::ThrowCannotCheckRestriction(value.GetType());
  CXmlObjectHelper::CheckRestriction(m_elementName.c_str(), value, m_itemType, m_restrictions);
}

std::string CElementInfo::GetAnyDefaultNamespace(const std::string& restriction,
                                                 const std::string& ownerNamespace,
                                                 const std::string& targetNamespace) {
  if (restriction == "##any") return ownerNamespace;
  if (restriction == "##other") return ownerNamespace.empty() ? "DefaultNamespace" : "";
  if (restriction == "##local") return "";
  if (restriction == "##targetNamespace") return targetNamespace;
  // A list decides by its first token, when that is one of the keywords.
  const std::string::size_type space = restriction.find(' ');
  if (space != std::string::npos && restriction.size() >= 3 &&
      restriction.compare(0, 2, "##") == 0) {
    const std::string first = restriction.substr(0, space);
    if (first == "##any" || first == "##other" || first == "##local" ||
        first == "##targetNamespace")
      return GetAnyDefaultNamespace(first, ownerNamespace, targetNamespace);
  }
  return "";
}

}  // namespace VxXmlLib10Data
