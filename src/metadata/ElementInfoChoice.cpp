// The alternatives of a choice. ElementToXml answers whether this
// alternative is the one set (the class writer stops at the first that
// writes); ElementFromXml answers whether it matched and consumed the current
// element (the class reader takes the first that does).
#include "vxxml/ElementInfoChoice.h"

#include "metadata/GroupMemberOps.h"
#include "metadata/MetadataErrors.h"
#include "vxxml/SerializationContext.h"

using namespace VxXmlLib10;

namespace VxXmlLib10Data {

CElementInfoChoice::~CElementInfoChoice() = default;

bool CElementInfoChoice::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                  bool, bool) const {
  detail::ThrowNotImplementedValidate();
}

// ---- simple values ------------------------------------------------------------

CElementInfoChoicePrimOpt::CElementInfoChoicePrimOpt(
    const char* elementName, const char* namespaceUri, int propertyId, bool nillable,
    ItemType itemType, const char* format, CWhitespaceUtils::WhitespaceRule whitespaceRule,
    const CPrimitiveRestrictions& restrictions)
    : CElementInfoChoice(elementName, namespaceUri, propertyId, nillable, itemType, format,
                         whitespaceRule, restrictions) {}

bool CElementInfoChoicePrimOpt::ElementToXml(const CXmlSerializationContext& context,
                                             const CXmlGeneratedClass* owner,
                                             CXmlWriter* writer) const {
  return ElementToXmlPrim(context, owner, writer);
}

bool CElementInfoChoicePrimOpt::ElementFromXml(const CXmlSerializationContext& context,
                                               CXmlGeneratedClass* owner, CXmlElement*,
                                               CXmlElement** current, const std::string&,
                                               XmlElementType) {
  if (!IsThisElement(context, *current)) return false;
  ElementFromXmlPrim(context, owner, *current);
  detail::Advance(current);
  return true;
}

bool CElementInfoChoicePrimOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

CElementInfoChoiceEnumOpt::CElementInfoChoiceEnumOpt(const char* elementName,
                                                     const char* namespaceUri, int propertyId,
                                                     bool nillable, EnumToTextFunc toText,
                                                     TextToEnumFunc toEnum)
    : CElementInfoChoice(elementName, namespaceUri, propertyId, nillable),
      m_toText(toText),
      m_toEnum(toEnum) {}

bool CElementInfoChoiceEnumOpt::ElementToXml(const CXmlSerializationContext& context,
                                             const CXmlGeneratedClass* owner,
                                             CXmlWriter* writer) const {
  return ElementToXmlEnum(context, owner, writer, m_toText);
}

bool CElementInfoChoiceEnumOpt::ElementFromXml(const CXmlSerializationContext& context,
                                               CXmlGeneratedClass* owner, CXmlElement*,
                                               CXmlElement** current, const std::string&,
                                               XmlElementType) {
  if (!IsThisElement(context, *current)) return false;
  ElementFromXmlEnum(context, owner, *current, m_toEnum);
  detail::Advance(current);
  return true;
}

bool CElementInfoChoiceEnumOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

// ---- child objects ------------------------------------------------------------

CElementInfoChoiceClsOpt::CElementInfoChoiceClsOpt(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType,
                                                   ClassFactoryByIdFunc factory,
                                                   int factoryTypeId)
    : CElementInfoChoice(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory),
      m_factoryTypeId(factoryTypeId) {}

bool CElementInfoChoiceClsOpt::ElementToXml(const CXmlSerializationContext& context,
                                            const CXmlGeneratedClass* owner,
                                            CXmlWriter* writer) const {
  // A choice class reached through this alternative may itself be empty.
  return ElementToXmlCls(context, owner, writer, true);
}

bool CElementInfoChoiceClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                              CXmlGeneratedClass* owner, CXmlElement* parent,
                                              CXmlElement** current, const std::string&,
                                              XmlElementType) {
  const bool pseudo = m_childType == XmlElementType_PseudoElement;
  if (pseudo ? *current == nullptr : !IsThisElement(context, *current)) return false;
  CSmartPtr<CXmlObjectBase> child =
      m_factory ? m_factory(m_factoryTypeId, m_elementName.c_str()) : nullptr;
  if (child.IsNull()) return false;
  // Stored before reading: storing selects this alternative in the owner.
  detail::StoreObject(*this, owner, child.Get());
  if (!pseudo) {
    FromXml_Int(child.Get(), *current, (*current)->GetFirstElement(), context, true);
    detail::Advance(current);
    return true;
  }
  CXmlElement* const next = FromXml_Int(child.Get(), parent, *current, context, false);
  if (next != *current) {
    *current = next;
    return true;
  }
  detail::StoreObject(*this, owner, nullptr);
  return false;
}

void CElementInfoChoiceClsOpt::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                         const CXmlGeneratedClass* owner,
                                                         CXmlWriter* writer) const {
  detail::WritePseudoChildAttributes(*this, m_childType, context, owner, writer);
}

bool CElementInfoChoiceClsOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

CElementInfoChoiceAbsClsOpt::CElementInfoChoiceAbsClsOpt(const char* elementName,
                                                         const char* namespaceUri,
                                                         int propertyId, XmlElementType childType,
                                                         ClassFactoryByElementFunc factory)
    : CElementInfoChoice(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory) {}

bool CElementInfoChoiceAbsClsOpt::ElementToXml(const CXmlSerializationContext& context,
                                               const CXmlGeneratedClass* owner,
                                               CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

bool CElementInfoChoiceAbsClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                                 CXmlGeneratedClass* owner, CXmlElement*,
                                                 CXmlElement** current, const std::string&,
                                                 XmlElementType) {
  if (!IsThisElement(context, *current)) return false;
  CSmartPtr<CXmlObjectBase> child = m_factory ? m_factory(*current) : nullptr;
  detail::StoreObject(*this, owner, child.Get());
  if (child.IsNull()) return false;
  FromXml_Int(child.Get(), *current, (*current)->GetFirstElement(), context, false);
  detail::Advance(current);
  return true;
}

void CElementInfoChoiceAbsClsOpt::PseudoChildAttributeToXml(
    const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,
    CXmlWriter* writer) const {
  detail::WritePseudoChildAttributes(*this, m_childType, context, owner, writer);
}

bool CElementInfoChoiceAbsClsOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

// ---- untyped content ----------------------------------------------------------

CElementInfoChoiceUntpdOpt::CElementInfoChoiceUntpdOpt(const char* elementName,
                                                       const char* namespaceUri, int propertyId,
                                                       const char* restriction,
                                                       const char* targetNamespace)
    : CElementInfoChoice(elementName, namespaceUri, propertyId),
      m_restriction(restriction ? restriction : ""),
      m_targetNamespace(targetNamespace ? targetNamespace : "") {}

bool CElementInfoChoiceUntpdOpt::ElementToXml(const CXmlSerializationContext& context,
                                              const CXmlGeneratedClass* owner,
                                              CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

bool CElementInfoChoiceUntpdOpt::ElementFromXml(const CXmlSerializationContext& context,
                                                CXmlGeneratedClass* owner, CXmlElement* parent,
                                                CXmlElement** current,
                                                const std::string& ownerNamespace,
                                                XmlElementType) {
  if (!*current) return false;
  CSmartPtr<CElement> element = new CElement(
      m_elementName.c_str(),
      GetAnyDefaultNamespace(m_restriction, ownerNamespace, m_targetNamespace).c_str(),
      m_restriction.c_str(), m_targetNamespace.c_str());
  CXmlElement* const next = detail::ReadUntyped(*this, element.Get(), context, parent, *current);
  if (next == *current) {
    detail::StoreObject(*this, owner, nullptr);
    return false;
  }
  detail::StoreObject(*this, owner, element.Get());
  *current = next;
  return true;
}

bool CElementInfoChoiceUntpdOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

// ---- collections --------------------------------------------------------------

CElementInfoChoiceCol::CElementInfoChoiceCol(const char* elementName, const char* namespaceUri,
                                             int propertyId)
    : CElementInfoChoice(elementName, namespaceUri, propertyId) {}

bool CElementInfoChoiceCol::ElementToXml(const CXmlSerializationContext& context,
                                         const CXmlGeneratedClass* owner,
                                         CXmlWriter* writer) const {
  // No count check: an alternative with items is the one set, whatever its
  // bounds.
  return ElementToXmlCol(context, owner, writer);
}

bool CElementInfoChoiceCol::ElementFromXml(const CXmlSerializationContext& context,
                                           CXmlGeneratedClass* owner, CXmlElement* parent,
                                           CXmlElement** current, const std::string&,
                                           XmlElementType ownerType) {
  CSmartPtr<CXmlCollectionBase> collection = detail::FetchCollection(*this, owner);
  if (collection.IsNull()) return false;
  CXmlElement* const next = ReadCollection(context, collection.Get(), parent, *current);
  if (next == *current) return false;
  if (ownerType == XmlElementType_PseudoElement) {
    if (!collection->IsValidCount(context)) return false;
    *current = next;
    return true;
  }
  *current = next;
  collection->ValidateCount(context);
  return true;
}

CXmlElement* CElementInfoChoiceCol::ReadCollection(const CXmlSerializationContext& context,
                                                   CXmlCollectionBase* collection,
                                                   CXmlElement* parent,
                                                   CXmlElement* current) const {
  return FromXml_Int(collection, parent, current, context, false);
}

CElementInfoChoicePrimCol::CElementInfoChoicePrimCol(const char* elementName,
                                                     const char* namespaceUri, int propertyId)
    : CElementInfoChoiceCol(elementName, namespaceUri, propertyId) {}

bool CElementInfoChoicePrimCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

CElementInfoChoiceEnumCol::CElementInfoChoiceEnumCol(const char* elementName,
                                                     const char* namespaceUri, int propertyId)
    : CElementInfoChoiceCol(elementName, namespaceUri, propertyId) {}

bool CElementInfoChoiceEnumCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

CElementInfoChoiceUntpdCol::CElementInfoChoiceUntpdCol(const char* elementName,
                                                       const char* namespaceUri, int propertyId)
    : CElementInfoChoiceCol(elementName, namespaceUri, propertyId) {}

bool CElementInfoChoiceUntpdCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

CXmlElement* CElementInfoChoiceUntpdCol::ReadCollection(const CXmlSerializationContext& context,
                                                        CXmlCollectionBase* collection,
                                                        CXmlElement* parent,
                                                        CXmlElement* current) const {
  return detail::ReadUntypedRun(*this, collection, context, parent, current);
}

CElementInfoChoiceClsCol::CElementInfoChoiceClsCol(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType)
    : CElementInfoChoiceCol(elementName, namespaceUri, propertyId), m_childType(childType) {}

void CElementInfoChoiceClsCol::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                         const CXmlGeneratedClass* owner,
                                                         CXmlWriter* writer) const {
  detail::WritePseudoCollectionAttributes(*this, m_childType, context, owner, writer);
}

bool CElementInfoChoiceClsCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

CElementInfoChoiceAbsClsCol::CElementInfoChoiceAbsClsCol(const char* elementName,
                                                         const char* namespaceUri,
                                                         int propertyId,
                                                         XmlElementType childType)
    : CElementInfoChoiceCol(elementName, namespaceUri, propertyId), m_childType(childType) {}

void CElementInfoChoiceAbsClsCol::PseudoChildAttributeToXml(
    const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,
    CXmlWriter* writer) const {
  detail::WritePseudoCollectionAttributes(*this, m_childType, context, owner, writer);
}

bool CElementInfoChoiceAbsClsCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

}  // namespace VxXmlLib10Data
