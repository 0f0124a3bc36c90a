// The members of an all group. Each reads its element only when it is the
// current one and answers whether it consumed it; the class reader offers
// the current element to every member not yet found, pass after pass, and
// judges absence afterwards through Validate.
#include "vxxml/ElementInfoAll.h"

#include "metadata/GroupMemberOps.h"
#include "metadata/MetadataErrors.h"
#include "vxxml/SerializationContext.h"

using namespace VxXmlLib10;

namespace VxXmlLib10Data {

namespace {

// Reads the current element as a simple value when it is the member's own.
bool ReadPrim(const CElementInfo& info, const CXmlSerializationContext& context,
              CXmlGeneratedClass* owner, CXmlElement** current) {
  if (!info.IsThisElement(context, *current)) return false;
  info.ElementFromXmlPrim(context, owner, *current);
  detail::Advance(current);
  return true;
}

bool ReadEnum(const CElementInfo& info, const CXmlSerializationContext& context,
              CXmlGeneratedClass* owner, CXmlElement** current, TextToEnumFunc toEnum) {
  if (!info.IsThisElement(context, *current)) return false;
  info.ElementFromXmlEnum(context, owner, *current, toEnum);
  detail::Advance(current);
  return true;
}

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

CElementInfoAllPrimMnd::CElementInfoAllPrimMnd(const char* elementName, const char* namespaceUri,
                                               int propertyId, bool nillable, ItemType itemType,
                                               const char* format,
                                               CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                               const CPrimitiveRestrictions& restrictions)
    : CElementInfoAll(elementName, namespaceUri, propertyId, nillable, itemType, format,
                      whitespaceRule, restrictions) {}

bool CElementInfoAllPrimMnd::ElementToXml(const CXmlSerializationContext& context,
                                          const CXmlGeneratedClass* owner,
                                          CXmlWriter* writer) const {
  return ElementToXmlPrim(context, owner, writer);
}

bool CElementInfoAllPrimMnd::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  return ReadPrim(*this, context, owner, current);
}

bool CElementInfoAllPrimMnd::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                      bool found, bool ownerIsElement) const {
  return ValidateMandatory(*this, found, ownerIsElement);
}

CElementInfoAllPrimOpt::CElementInfoAllPrimOpt(const char* elementName, const char* namespaceUri,
                                               int propertyId, bool nillable, ItemType itemType,
                                               const char* format,
                                               CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                               const CPrimitiveRestrictions& restrictions)
    : CElementInfoAll(elementName, namespaceUri, propertyId, nillable, itemType, format,
                      whitespaceRule, restrictions) {}

bool CElementInfoAllPrimOpt::ElementToXml(const CXmlSerializationContext& context,
                                          const CXmlGeneratedClass* owner,
                                          CXmlWriter* writer) const {
  return ElementToXmlPrim(context, owner, writer);
}

bool CElementInfoAllPrimOpt::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  return ReadPrim(*this, context, owner, current);
}

bool CElementInfoAllPrimOpt::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                      bool, bool) const {
  return true;
}

CElementInfoAllEnumMnd::CElementInfoAllEnumMnd(const char* elementName, const char* namespaceUri,
                                               int propertyId, bool nillable,
                                               EnumToTextFunc toText, TextToEnumFunc toEnum)
    : CElementInfoAll(elementName, namespaceUri, propertyId, nillable),
      m_toText(toText),
      m_toEnum(toEnum) {}

bool CElementInfoAllEnumMnd::ElementToXml(const CXmlSerializationContext& context,
                                          const CXmlGeneratedClass* owner,
                                          CXmlWriter* writer) const {
  return ElementToXmlEnum(context, owner, writer, m_toText);
}

bool CElementInfoAllEnumMnd::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  return ReadEnum(*this, context, owner, current, m_toEnum);
}

bool CElementInfoAllEnumMnd::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                      bool found, bool ownerIsElement) const {
  return ValidateMandatory(*this, found, ownerIsElement);
}

CElementInfoAllEnumOpt::CElementInfoAllEnumOpt(const char* elementName, const char* namespaceUri,
                                               int propertyId, bool nillable,
                                               EnumToTextFunc toText, TextToEnumFunc toEnum)
    : CElementInfoAll(elementName, namespaceUri, propertyId, nillable),
      m_toText(toText),
      m_toEnum(toEnum) {}

bool CElementInfoAllEnumOpt::ElementToXml(const CXmlSerializationContext& context,
                                          const CXmlGeneratedClass* owner,
                                          CXmlWriter* writer) const {
  return ElementToXmlEnum(context, owner, writer, m_toText);
}

bool CElementInfoAllEnumOpt::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  return ReadEnum(*this, context, owner, current, m_toEnum);
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
    : CElementInfoAll(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory),
      m_factoryTypeId(factoryTypeId),
      m_required(required) {}

bool CElementInfoAllClsMnd::ElementToXml(const CXmlSerializationContext& context,
                                         const CXmlGeneratedClass* owner,
                                         CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

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
    if (!m_factory) return false;
    child = m_factory(m_factoryTypeId, m_elementName.c_str());
    if (child.IsNull()) return false;
    detail::StoreObject(*this, owner, child.Get());
  }
  if (pseudo) {
    CXmlElement* const before = *current;
    *current = FromXml_Int(child.Get(), parent, before, context, false);
    return *current != before;
  }
  FromXml_Int(child.Get(), *current, (*current)->GetFirstElement(), context, false);
  detail::Advance(current);
  return true;
}

bool CElementInfoAllClsMnd::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                     bool found, bool ownerIsElement) const {
  if (found || !ownerIsElement) return found;
  if (m_childType == XmlElementType_Element && !m_required) return true;
  detail::ThrowMandatoryElementNotFound(m_elementName);
}

void CElementInfoAllClsMnd::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                      const CXmlGeneratedClass* owner,
                                                      CXmlWriter* writer) const {
  detail::WritePseudoChildAttributes(*this, m_childType, context, owner, writer);
}

CElementInfoAllClsOpt::CElementInfoAllClsOpt(const char* elementName, const char* namespaceUri,
                                             int propertyId, XmlElementType childType,
                                             ClassFactoryByIdFunc factory, int factoryTypeId)
    : CElementInfoAll(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory),
      m_factoryTypeId(factoryTypeId) {}

bool CElementInfoAllClsOpt::ElementToXml(const CXmlSerializationContext& context,
                                         const CXmlGeneratedClass* owner,
                                         CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

bool CElementInfoAllClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                           CXmlGeneratedClass* owner, CXmlElement* parent,
                                           CXmlElement** current, const std::string&,
                                           XmlElementType) {
  const bool pseudo = m_childType == XmlElementType_PseudoElement;
  if (pseudo ? *current == nullptr : !IsThisElement(context, *current)) return false;
  CSmartPtr<CXmlObjectBase> child =
      m_factory ? m_factory(m_factoryTypeId, m_elementName.c_str()) : nullptr;
  if (child.IsNull()) return false;
  if (pseudo) {
    CXmlElement* const before = *current;
    *current = FromXml_Int(child.Get(), parent, before, context, false);
    if (*current == before) return false;
    detail::StoreObject(*this, owner, child.Get());
    return true;
  }
  FromXml_Int(child.Get(), *current, (*current)->GetFirstElement(), context, false);
  detail::Advance(current);
  detail::StoreObject(*this, owner, child.Get());
  return true;
}

bool CElementInfoAllClsOpt::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                     bool, bool) const {
  return true;
}

void CElementInfoAllClsOpt::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                      const CXmlGeneratedClass* owner,
                                                      CXmlWriter* writer) const {
  detail::WritePseudoChildAttributes(*this, m_childType, context, owner, writer);
}

CElementInfoAllAbsClsMnd::CElementInfoAllAbsClsMnd(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType,
                                                   ClassFactoryByElementFunc factory,
                                                   int reserved)
    : CElementInfoAll(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory),
      m_reserved(reserved) {}

bool CElementInfoAllAbsClsMnd::ElementToXml(const CXmlSerializationContext& context,
                                            const CXmlGeneratedClass* owner,
                                            CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

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

void CElementInfoAllAbsClsMnd::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                         const CXmlGeneratedClass* owner,
                                                         CXmlWriter* writer) const {
  detail::WritePseudoChildAttributes(*this, m_childType, context, owner, writer);
}

CElementInfoAllAbsClsOpt::CElementInfoAllAbsClsOpt(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType,
                                                   ClassFactoryByElementFunc factory)
    : CElementInfoAll(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory) {}

bool CElementInfoAllAbsClsOpt::ElementToXml(const CXmlSerializationContext& context,
                                            const CXmlGeneratedClass* owner,
                                            CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
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

void CElementInfoAllAbsClsOpt::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                         const CXmlGeneratedClass* owner,
                                                         CXmlWriter* writer) const {
  detail::WritePseudoChildAttributes(*this, m_childType, context, owner, writer);
}

// ---- untyped content ----------------------------------------------------------

CElementInfoAllUntpdMnd::CElementInfoAllUntpdMnd(const char* elementName,
                                                 const char* namespaceUri, int propertyId,
                                                 const char* restriction,
                                                 const char* targetNamespace)
    : CElementInfoAll(elementName, namespaceUri, propertyId),
      m_restriction(restriction ? restriction : ""),
      m_targetNamespace(targetNamespace ? targetNamespace : "") {}

bool CElementInfoAllUntpdMnd::ElementToXml(const CXmlSerializationContext& context,
                                           const CXmlGeneratedClass* owner,
                                           CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

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
  element = new CElement(
      m_elementName.c_str(),
      GetAnyDefaultNamespace(m_restriction, ownerNamespace, m_targetNamespace).c_str(),
      m_restriction.c_str(), m_targetNamespace.c_str());
  return ReadUntypedInto(*this, element, true, context, owner, parent, current);
}

bool CElementInfoAllUntpdMnd::Validate(const CXmlSerializationContext&,
                                       const CXmlGeneratedClass*, bool found,
                                       bool ownerIsElement) const {
  return ValidateMandatory(*this, found, ownerIsElement);
}

CElementInfoAllUntpdOpt::CElementInfoAllUntpdOpt(const char* elementName,
                                                 const char* namespaceUri, int propertyId,
                                                 const char* restriction,
                                                 const char* targetNamespace)
    : CElementInfoAll(elementName, namespaceUri, propertyId),
      m_restriction(restriction ? restriction : ""),
      m_targetNamespace(targetNamespace ? targetNamespace : "") {}

bool CElementInfoAllUntpdOpt::ElementToXml(const CXmlSerializationContext& context,
                                           const CXmlGeneratedClass* owner,
                                           CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

bool CElementInfoAllUntpdOpt::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current,
                                             const std::string& ownerNamespace,
                                             XmlElementType) {
  if (!*current) return false;
  CSmartPtr<CElement> element = new CElement(
      m_elementName.c_str(),
      GetAnyDefaultNamespace(m_restriction, ownerNamespace, m_targetNamespace).c_str(),
      m_restriction.c_str(), m_targetNamespace.c_str());
  return ReadUntypedInto(*this, element, true, context, owner, parent, current);
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
  if (!context.GetIgnoreInvalidCollectionCounts()) {
    CSmartPtr<CXmlCollectionBase> collection = detail::FetchCollection(*this, owner);
    if (!collection.IsNull()) collection->ValidateCount(context);
  }
  return ElementToXmlCol(context, owner, writer);
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

CElementInfoAllPrimCol::CElementInfoAllPrimCol(const char* elementName, const char* namespaceUri,
                                               int propertyId)
    : CElementInfoAllCol(elementName, namespaceUri, propertyId) {}

CElementInfoAllUntpdCol::CElementInfoAllUntpdCol(const char* elementName,
                                                 const char* namespaceUri, int propertyId)
    : CElementInfoAllCol(elementName, namespaceUri, propertyId) {}

bool CElementInfoAllUntpdCol::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current, const std::string&,
                                             XmlElementType) {
  CSmartPtr<CXmlCollectionBase> collection = detail::FetchCollection(*this, owner);
  if (!collection.IsNull())
    *current = detail::ReadUntypedRun(*this, collection.Get(), context, parent, *current);
  return false;
}

CElementInfoAllClsCol::CElementInfoAllClsCol(const char* elementName, const char* namespaceUri,
                                             int propertyId, XmlElementType childType)
    : CElementInfoAllCol(elementName, namespaceUri, propertyId), m_childType(childType) {}

void CElementInfoAllClsCol::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                      const CXmlGeneratedClass* owner,
                                                      CXmlWriter* writer) const {
  detail::WritePseudoCollectionAttributes(*this, m_childType, context, owner, writer);
}

CElementInfoAllAbsClsCol::CElementInfoAllAbsClsCol(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType)
    : CElementInfoAllCol(elementName, namespaceUri, propertyId), m_childType(childType) {}

void CElementInfoAllAbsClsCol::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                         const CXmlGeneratedClass* owner,
                                                         CXmlWriter* writer) const {
  detail::WritePseudoCollectionAttributes(*this, m_childType, context, owner, writer);
}

}  // namespace VxXmlLib10Data
