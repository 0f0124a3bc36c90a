// The members of an all group. Each reads its element only when it is the
// current one and answers whether it consumed it; the class reader offers
// the current element to every member not yet found, pass after pass, and
// judges absence afterwards through Validate.
#include "vxxml/ElementInfoAll.h"

#include "metadata/GroupMemberOps.h"
#include "metadata/Messages.h"
#include "vxxml/SerializationContext.h"

using namespace VxXmlLib10;

namespace VxXmlLib10Data {

namespace {

// The mandatory rule: a member missing under an element owner is an error;
// under a pseudo-element owner the group decides.
bool ValidateMandatory(const CElementInfo& info, bool found, bool ownerIsElement) {
  if (found || !ownerIsElement) return found;
  detail::ThrowMandatoryElementNotFound(info.GetElementName());
}

// Lets a new (or existing) untyped element read the current element and
// stores it when it took it.
bool ReadUntypedInto(const CElementInfo& info, CSmartPtr<CElement> element, bool store,
                     const CXmlSerializationContext& context, CXmlGeneratedClass* owner,
                     CXmlElement* parent, CXmlElement** current) {
  CXmlElement* next = detail::ReadUntyped(info, element.Get(), context, parent, *current);
  if (next == *current) return false;
  if (store) detail::StoreObject(info, owner, element.Get());
  *current = next;
  return true;
}

}  // namespace

CElementInfoAll::~CElementInfoAll() = default;

// ---- simple values ------------------------------------------------------------

bool CElementInfoAllPrimMnd::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  return detail::ReadValueAtCursor(*this, context, owner, current);
}

bool CElementInfoAllPrimMnd::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                      bool found, bool ownerIsElement) const {
  return ValidateMandatory(*this, found, ownerIsElement);
}

bool CElementInfoAllPrimOpt::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  return detail::ReadValueAtCursor(*this, context, owner, current);
}

bool CElementInfoAllPrimOpt::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                      bool, bool) const {
  return true;
}

bool CElementInfoAllEnumMnd::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  return detail::ReadValueAtCursor(*this, context, owner, current);
}

bool CElementInfoAllEnumMnd::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                      bool found, bool ownerIsElement) const {
  return ValidateMandatory(*this, found, ownerIsElement);
}

bool CElementInfoAllEnumOpt::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  return detail::ReadValueAtCursor(*this, context, owner, current);
}

bool CElementInfoAllEnumOpt::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                      bool, bool) const {
  return true;
}

// ---- child objects ------------------------------------------------------------

CElementInfoAllClsMnd::CElementInfoAllClsMnd(const char* elementName, const char* namespaceUri,
                                             int propertyId, XmlElementType childType,
                                             ClassFactoryByIdFunc factory, int factoryTypeId,
                                             bool required)
    : CElementInfoClsContent(elementName, namespaceUri, propertyId, childType, factory,
                             factoryTypeId),
      m_required(required) {}

bool CElementInfoAllClsMnd::ElementFromXml(const CXmlSerializationContext& context,
                                           CXmlGeneratedClass* owner, CXmlElement* parent,
                                           CXmlElement** current, const std::string&,
                                           XmlElementType) {
  const bool pseudo = m_childType == XmlElementType_PseudoElement;
  if (!pseudo && !IsThisElement(context, *current)) return false;
  // The child normally exists already; a class that left it out gets one
  // from the factory, so that the element is not lost.
  CSmartPtr<CXmlObjectBase> child = detail::FetchObject(*this, owner);
  if (child.IsNull()) {
    child = NewChild();
    if (child.IsNull()) return false;
    detail::StoreObject(*this, owner, child.Get());
  }
  if (pseudo) {
    CXmlElement* const before = *current;
    *current = FromXml_Int(child.Get(), parent, before, context, false);
    return *current != before;
  }
  *current = detail::ReadElementChild(*this, child.Get(), context, *current, false);
  return true;
}

bool CElementInfoAllClsMnd::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                     bool found, bool ownerIsElement) const {
  if (found || !ownerIsElement) return found;
  if (m_childType == XmlElementType_Element && !m_required) return true;
  detail::ThrowMandatoryElementNotFound(m_elementName);
}

bool CElementInfoAllClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                           CXmlGeneratedClass* owner, CXmlElement* parent,
                                           CXmlElement** current, const std::string&,
                                           XmlElementType) {
  const bool pseudo = m_childType == XmlElementType_PseudoElement;
  if (pseudo ? *current == nullptr : !IsThisElement(context, *current)) return false;
  CSmartPtr<CXmlObjectBase> child = NewChild();
  if (child.IsNull()) return false;
  if (pseudo) {
    CXmlElement* const before = *current;
    *current = FromXml_Int(child.Get(), parent, before, context, false);
    if (*current == before) return false;
    detail::StoreObject(*this, owner, child.Get());
    return true;
  }
  *current = detail::ReadElementChild(*this, child.Get(), context, *current, false);
  detail::StoreObject(*this, owner, child.Get());
  return true;
}

bool CElementInfoAllClsOpt::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                     bool, bool) const {
  return true;
}

CElementInfoAllAbsClsMnd::CElementInfoAllAbsClsMnd(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType,
                                                   ClassFactoryByElementFunc factory,
                                                   int reserved)
    : CElementInfoAbsClsContent(elementName, namespaceUri, propertyId, childType, factory),
      m_reserved(reserved) {}

// Substitutable members are not read in an all group: the element of one
// fails; any other element is simply not this member's.
bool CElementInfoAllAbsClsMnd::ElementFromXml(const CXmlSerializationContext& context,
                                              CXmlGeneratedClass*, CXmlElement*,
                                              CXmlElement** current, const std::string&,
                                              XmlElementType) {
  if (!IsThisElement(context, *current)) return false;
  detail::ThrowAllAbsClsMndNotImplemented();
}

bool CElementInfoAllAbsClsMnd::Validate(const CXmlSerializationContext&,
                                        const CXmlGeneratedClass*, bool found,
                                        bool ownerIsElement) const {
  return ValidateMandatory(*this, found, ownerIsElement);
}

bool CElementInfoAllAbsClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                              CXmlGeneratedClass*, CXmlElement*,
                                              CXmlElement** current, const std::string&,
                                              XmlElementType) {
  if (!IsThisElement(context, *current)) return false;
  detail::ThrowAllAbsClsOptNotImplemented();
}

bool CElementInfoAllAbsClsOpt::Validate(const CXmlSerializationContext&,
                                        const CXmlGeneratedClass*, bool, bool) const {
  return true;
}

// ---- untyped content ----------------------------------------------------------

bool CElementInfoAllUntpdMnd::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current,
                                             const std::string& ownerNamespace,
                                             XmlElementType) {
  if (!*current) return false;
  CSmartPtr<CXmlObjectBase> held = detail::FetchObject(*this, owner);
  CSmartPtr<CElement> element(dynamic_cast<CElement*>(held.Get()));
  if (!element.IsNull())
    return ReadUntypedInto(*this, element, false, context, owner, parent, current);
  // A class that left the element out gets a new one, stored when it reads.
  element = detail::NewUntypedElement(*this, ownerNamespace);
  return ReadUntypedInto(*this, element, true, context, owner, parent, current);
}

bool CElementInfoAllUntpdMnd::Validate(const CXmlSerializationContext&,
                                       const CXmlGeneratedClass*, bool found,
                                       bool ownerIsElement) const {
  return ValidateMandatory(*this, found, ownerIsElement);
}

bool CElementInfoAllUntpdOpt::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current,
                                             const std::string& ownerNamespace,
                                             XmlElementType) {
  if (!*current) return false;
  return ReadUntypedInto(*this, detail::NewUntypedElement(*this, ownerNamespace), true, context,
                         owner, parent, current);
}

bool CElementInfoAllUntpdOpt::Validate(const CXmlSerializationContext&,
                                       const CXmlGeneratedClass*, bool, bool) const {
  return true;
}

// ---- collections --------------------------------------------------------------

CElementInfoAllEnumCol::CElementInfoAllEnumCol(const char* elementName, const char* namespaceUri,
                                               int propertyId)
    : CElementInfoAll(elementName, namespaceUri, propertyId) {}

CElementInfoAllEnumCol::~CElementInfoAllEnumCol() = default;

CElementInfoAllNonCol::CElementInfoAllNonCol(const char* elementName, const char* namespaceUri,
                                             int propertyId)
    : CElementInfoAll(elementName, namespaceUri, propertyId) {}

CElementInfoAllNonCol::~CElementInfoAllNonCol() = default;

CElementInfoAllCol::CElementInfoAllCol(const char* elementName, const char* namespaceUri,
                                       int propertyId)
    : CElementInfoAll(elementName, namespaceUri, propertyId) {}

bool CElementInfoAllCol::ElementToXml(const CXmlSerializationContext& context,
                                      const CXmlGeneratedClass* owner,
                                      CXmlWriter* writer) const {
  return detail::WriteCountedCollection(*this, context, owner, writer);
}

bool CElementInfoAllCol::ElementFromXml(const CXmlSerializationContext& context,
                                        CXmlGeneratedClass* owner, CXmlElement* parent,
                                        CXmlElement** current, const std::string&,
                                        XmlElementType) {
  CSmartPtr<CXmlCollectionBase> collection = detail::FetchCollection(*this, owner);
  if (!collection.IsNull())
    *current = FromXml_Int(collection.Get(), parent, *current, context, false);
  return false;
}

bool CElementInfoAllCol::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                  bool, bool) const {
  return true;
}

bool CElementInfoAllUntpdCol::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current, const std::string&,
                                             XmlElementType) {
  CSmartPtr<CXmlCollectionBase> collection = detail::FetchCollection(*this, owner);
  if (!collection.IsNull())
    *current = detail::ReadUntypedRun(*this, collection.Get(), context, parent, *current);
  return false;
}

}  // namespace VxXmlLib10Data
