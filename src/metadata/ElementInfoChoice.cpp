// The alternatives of a choice. ElementToXml answers whether this
// alternative is the one set (the class writer stops at the first that
// writes); ElementFromXml answers whether it matched and consumed the current
// element (the class reader takes the first that does).
#include "vxxml/ElementInfoChoice.h"

#include "metadata/GroupMemberOps.h"
#include "metadata/Messages.h"
#include "vxxml/SerializationContext.h"

using namespace VxXmlLib10;

namespace VxXmlLib10Data {

CElementInfoChoice::~CElementInfoChoice() = default;

bool CElementInfoChoice::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                  bool, bool) const {
  detail::ThrowNotImplementedValidate();
}

// ---- simple values ------------------------------------------------------------

bool CElementInfoChoicePrimOpt::ElementFromXml(const CXmlSerializationContext& context,
                                               CXmlGeneratedClass* owner, CXmlElement*,
                                               CXmlElement** current, const std::string&,
                                               XmlElementType) {
  return detail::ReadValueAtCursor(*this, context, owner, current);
}

bool CElementInfoChoicePrimOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

bool CElementInfoChoiceEnumOpt::ElementFromXml(const CXmlSerializationContext& context,
                                               CXmlGeneratedClass* owner, CXmlElement*,
                                               CXmlElement** current, const std::string&,
                                               XmlElementType) {
  return detail::ReadValueAtCursor(*this, context, owner, current);
}

bool CElementInfoChoiceEnumOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

// ---- child objects ------------------------------------------------------------

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
  CSmartPtr<CXmlObjectBase> child = NewChild();
  if (child.IsNull()) return false;
  // Stored before reading: storing selects this alternative in the owner.
  detail::StoreObject(*this, owner, child.Get());
  if (!pseudo) {
    *current = detail::ReadElementChild(*this, child.Get(), context, *current, true);
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

bool CElementInfoChoiceClsOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

bool CElementInfoChoiceAbsClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                                 CXmlGeneratedClass* owner, CXmlElement*,
                                                 CXmlElement** current, const std::string&,
                                                 XmlElementType) {
  if (!IsThisElement(context, *current)) return false;
  CSmartPtr<CXmlObjectBase> child = NewChild(*current);
  detail::StoreObject(*this, owner, child.Get());
  if (child.IsNull()) return false;
  *current = detail::ReadElementChild(*this, child.Get(), context, *current, false);
  return true;
}

bool CElementInfoChoiceAbsClsOpt::IsOptionalChoiceMember(const CXmlGeneratedClass*) const {
  return true;
}

// ---- untyped content ----------------------------------------------------------

bool CElementInfoChoiceUntpdOpt::ElementFromXml(const CXmlSerializationContext& context,
                                                CXmlGeneratedClass* owner, CXmlElement* parent,
                                                CXmlElement** current,
                                                const std::string& ownerNamespace,
                                                XmlElementType) {
  if (!*current) return false;
  CSmartPtr<CElement> element = detail::NewUntypedElement(*this, ownerNamespace);
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

bool CElementInfoChoicePrimCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

bool CElementInfoChoiceEnumCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

bool CElementInfoChoiceUntpdCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

CXmlElement* CElementInfoChoiceUntpdCol::ReadCollection(const CXmlSerializationContext& context,
                                                        CXmlCollectionBase* collection,
                                                        CXmlElement* parent,
                                                        CXmlElement* current) const {
  return detail::ReadUntypedRun(*this, collection, context, parent, current);
}

bool CElementInfoChoiceClsCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

bool CElementInfoChoiceAbsClsCol::IsOptionalChoiceMember(const CXmlGeneratedClass* owner) const {
  return IsCollectionOptional(owner);
}

}  // namespace VxXmlLib10Data
