// The element infos of a sequence: writing through the shared shapes of
// CElementInfo, and reading with the cursor rules of a sequence member.
//
// Every reader works on a local copy of the cursor and stores it back only
// once the member has succeeded, so a failure leaves the cursor where it was.
#include "vxxml/ElementInfoSeq.h"

#include "metadata/GroupMemberOps.h"
#include "metadata/Messages.h"
#include "vxxml/Collection.h"
#include "vxxml/Exception.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Untyped.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"

using namespace VxXmlLib10;

namespace VxXmlLib10Data {

namespace {

CXmlElement* Next(const CXmlElement* element) { return element->GetNextSiblingElement(); }

// The outcome of looking for a mandatory member's element at the cursor.
enum class Search { Found, Missing, NotMatched };

// The search of a mandatory member. Under an element owner a missing element
// is allowed by IgnoreMissingMandatoryElements (Missing), skipped past when
// the context ignores unknown elements, and otherwise an error; under a
// pseudo-element owner it is NotMatched, after skipping foreign elements only
// when `skipUnderPseudo` is set and the context ignores unknown elements.
Search SeekMandatory(const CElementInfo& info, const CXmlSerializationContext& context,
                     CXmlElement*& cursor, XmlElementType ownerType, bool skipUnderPseudo) {
  const bool ignoreUnknown = context.GetIgnoreUnknownElements();
  if (ownerType == XmlElementType_PseudoElement) {
    while (!info.IsThisElement(context, cursor)) {
      if (!skipUnderPseudo || !ignoreUnknown || !cursor) return Search::NotMatched;
      cursor = Next(cursor);
    }
    return Search::Found;
  }
  while (!info.IsThisElement(context, cursor)) {
    if (context.GetIgnoreMissingMandatoryElements()) return Search::Missing;
    if (!ignoreUnknown || !cursor) detail::ThrowRequiredElementMissing(info.GetElementName());
    cursor = Next(cursor);
  }
  return Search::Found;
}

// A mandatory simple value: the search, then the read. Foreign elements
// skipped under a pseudo-element owner stay consumed.
template <class Info>
bool ReadMandatoryValue(const Info& info, const CXmlSerializationContext& context,
                        CXmlGeneratedClass* owner, CXmlElement** current,
                        XmlElementType ownerType, bool skipUnderPseudo) {
  CXmlElement* cursor = *current;
  switch (SeekMandatory(info, context, cursor, ownerType, skipUnderPseudo)) {
    case Search::NotMatched:
      *current = cursor;
      return false;
    case Search::Missing:
      return true;
    case Search::Found:
      break;
  }
  detail::ReadValue(info, context, owner, cursor);
  *current = Next(cursor);
  return true;
}

// The attributes of a pseudo-element child, from whatever the property
// holds: a child object or a collection.
void PseudoChildAttributes(const CElementInfo& info, XmlElementType childType,
                           const CXmlSerializationContext& context,
                           const CXmlGeneratedClass* owner, CXmlWriter* writer) {
  if (childType != XmlElementType_PseudoElement) return;
  VxVariant value;
  info.ReadProperty(owner, value);
  CXmlObjectBase* object = nullptr;
  CSmartPtr<CXmlObjectBase> keep;
  if (value.GetItemType() == ItemType_xmlObject) {
    keep = value.GetXmlObject();
    object = keep.Get();
  } else if (value.GetItemType() == ItemType_xmlCollection) {
    CSmartPtr<CXmlCollectionBase> collection = value.GetXmlCollection();
    keep = collection.Get();
    object = keep.Get();
  }
  if (object) info.AttributesToXml_Int(object, writer, context);
}

}  // namespace

// ---- CElementInfoSeq --------------------------------------------------------

CElementInfoSeq::~CElementInfoSeq() = default;

bool CElementInfoSeq::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*, bool,
                               bool) const {
  detail::ThrowNotImplementedValidate();
}

// ---- simple values ----------------------------------------------------------

bool CElementInfoSeqPrimMnd::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType ownerType) {
  return ReadMandatoryValue(*this, context, owner, current, ownerType, true);
}

bool CElementInfoSeqPrimOpt::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  detail::ReadValueAtCursor(*this, context, owner, current);
  return true;
}

bool CElementInfoSeqEnumMnd::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType ownerType) {
  return ReadMandatoryValue(*this, context, owner, current, ownerType, false);
}

bool CElementInfoSeqEnumOpt::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  detail::ReadValueAtCursor(*this, context, owner, current);
  return true;
}

// ---- child objects ----------------------------------------------------------

CElementInfoSeqClsMnd::CElementInfoSeqClsMnd(const char* elementName, const char* namespaceUri,
                                             int propertyId, XmlElementType childType,
                                             ClassFactoryByIdFunc factory, int typeId,
                                             bool groupMustConsume)
    : CElementInfoClsContent(elementName, namespaceUri, propertyId, childType, factory, typeId),
      m_groupMustConsume(groupMustConsume) {}

bool CElementInfoSeqClsMnd::ElementFromXml(const CXmlSerializationContext& context,
                                           CXmlGeneratedClass* owner, CXmlElement* parent,
                                           CXmlElement** current, const std::string&,
                                           XmlElementType ownerType) {
  const bool ownerIsPseudo = ownerType == XmlElementType_PseudoElement;
  CXmlElement* cursor = *current;

  if (m_childType == XmlElementType_Element) {
    // An element child under a pseudo-element owner is not searched for.
    if (ownerIsPseudo && !IsThisElement(context, cursor)) return false;
    if (!ownerIsPseudo) {
      switch (SeekMandatory(*this, context, cursor, ownerType, false)) {
        case Search::Missing:
          return true;
        case Search::NotMatched:  // not reached under an element owner
        case Search::Found:
          break;
      }
    }
  } else if (m_groupMustConsume && !cursor) {
    if (ownerIsPseudo) return false;
    detail::ThrowRequiredElementMissing(m_elementName);
  }

  // The owner holds the child; one missing is supplied by the factory.
  CSmartPtr<CXmlObjectBase> child = detail::FetchObject(*this, owner);
  if (child.IsNull()) {
    child = NewChild();
    if (!child.IsNull()) detail::StoreObject(*this, owner, child);
  }
  if (child.IsNull()) detail::ThrowRequiredElementMissing(m_elementName);

  if (m_childType == XmlElementType_Element) {
    *current = detail::ReadElementChild(*this, child, context, cursor, false);
    return true;
  }

  // A tagless group reads straight from the owner's children.
  CXmlElement* const returned = FromXml_Int(child, parent, cursor, context, false);
  const bool consumed = returned != cursor;
  if (!m_groupMustConsume) {
    if (!consumed && cursor && context.GetIgnoreUnknownElements() && !ownerIsPseudo)
      return false;
    *current = returned;
    return true;
  }
  if (consumed) {
    *current = returned;
    return true;
  }
  if (ownerIsPseudo) return false;
  detail::ThrowRequiredElementMissing(m_elementName);
}

void CElementInfoSeqClsMnd::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                      const CXmlGeneratedClass* owner,
                                                      CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

bool CElementInfoSeqClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                           CXmlGeneratedClass* owner, CXmlElement* parent,
                                           CXmlElement** current, const std::string&,
                                           XmlElementType) {
  CXmlElement* const cursor = *current;
  if (m_childType == XmlElementType_Element) {
    if (!IsThisElement(context, cursor)) return true;
    CSmartPtr<CXmlObjectBase> child = NewChild();
    if (child.IsNull()) return true;
    *current = detail::ReadElementChild(*this, child, context, cursor, false);
    detail::StoreObject(*this, owner, child);
    return true;
  }

  if (!cursor) return true;
  CSmartPtr<CXmlObjectBase> child = NewChild();
  if (child.IsNull()) return true;
  CXmlElement* const returned = FromXml_Int(child, parent, cursor, context, false);
  if (returned == cursor) return true;  // nothing of the group is here: dropped
  detail::StoreObject(*this, owner, child);
  *current = returned;
  return true;
}

void CElementInfoSeqClsOpt::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                      const CXmlGeneratedClass* owner,
                                                      CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

bool CElementInfoSeqAbsClsMnd::ElementFromXml(const CXmlSerializationContext& context,
                                              CXmlGeneratedClass* owner, CXmlElement*,
                                              CXmlElement** current, const std::string&,
                                              XmlElementType ownerType) {
  CXmlElement* const cursor = *current;
  CSmartPtr<CXmlObjectBase> child;
  if (IsThisElement(context, cursor)) child = NewChild(cursor);
  if (child.IsNull()) {
    if (ownerType == XmlElementType_PseudoElement) return false;
    detail::ThrowNoSubstitutionElement(m_elementName);
  }
  CXmlElement* const next = detail::ReadElementChild(*this, child, context, cursor, false);
  detail::StoreObject(*this, owner, child);
  *current = next;
  return true;
}

void CElementInfoSeqAbsClsMnd::PseudoChildAttributeToXml(
    const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,
    CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

bool CElementInfoSeqAbsClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                              CXmlGeneratedClass* owner, CXmlElement*,
                                              CXmlElement** current, const std::string&,
                                              XmlElementType) {
  CXmlElement* const cursor = *current;
  if (!IsThisElement(context, cursor)) return true;
  CSmartPtr<CXmlObjectBase> child = NewChild(cursor);
  if (child.IsNull()) return true;  // no class fits: the element stays
  CXmlElement* const next = detail::ReadElementChild(*this, child, context, cursor, false);
  detail::StoreObject(*this, owner, child);
  *current = next;
  return true;
}

void CElementInfoSeqAbsClsOpt::PseudoChildAttributeToXml(
    const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,
    CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

// ---- untyped content --------------------------------------------------------

bool CElementInfoSeqUntpdMnd::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current,
                                             const std::string& ownerNamespace,
                                             XmlElementType ownerType) {
  CXmlElement* const cursor = *current;
  if (!cursor) detail::ThrowRequiredElementMissing(m_elementName);

  // The owner holds the element; one missing is made as an optional member
  // would make it.
  CSmartPtr<CXmlObjectBase> held = detail::FetchObject(*this, owner);
  CSmartPtr<CElement> element = dynamic_cast<CElement*>(held.Get());
  if (element.IsNull()) {
    element = detail::NewUntypedElement(*this, ownerNamespace);
    detail::StoreObject(*this, owner, element);
  }

  CXmlElement* const returned = detail::ReadUntyped(*this, element, context, parent, cursor);
  if (returned == cursor) {
    if (ownerType == XmlElementType_PseudoElement) return false;
    detail::ThrowNoElementFromNamespace(m_namespaceURI);
  }
  *current = returned;
  return true;
}

bool CElementInfoSeqUntpdOpt::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current,
                                             const std::string& ownerNamespace,
                                             XmlElementType) {
  CXmlElement* const cursor = *current;
  if (!cursor) return true;
  CSmartPtr<CElement> element = detail::NewUntypedElement(*this, ownerNamespace);
  CXmlElement* const returned = detail::ReadUntyped(*this, element, context, parent, cursor);
  if (returned == cursor) return true;
  detail::StoreObject(*this, owner, element);
  *current = returned;
  return true;
}

// ---- collections ------------------------------------------------------------

CElementInfoSeqNonCol::CElementInfoSeqNonCol(const char* elementName, const char* namespaceUri,
                                             int propertyId)
    : CElementInfoSeq(elementName, namespaceUri, propertyId) {}

CElementInfoSeqNonCol::~CElementInfoSeqNonCol() = default;

CElementInfoSeqCol::CElementInfoSeqCol(const char* elementName, const char* namespaceUri,
                                       int propertyId)
    : CElementInfoSeq(elementName, namespaceUri, propertyId) {}

CElementInfoSeqCol::~CElementInfoSeqCol() = default;

CSmartPtr<CXmlCollectionBase> CElementInfoSeqCol::GetCollection(
    const CXmlGeneratedClass* owner) const {
  return detail::FetchCollection(*this, owner);
}

bool CElementInfoSeqCol::CheckCountAfterRead(const CXmlSerializationContext& context,
                                             const CXmlCollectionBase* collection,
                                             XmlElementType ownerType) const {
  if (ownerType == XmlElementType_PseudoElement) return collection->IsValidCount(context);
  collection->ValidateCount(context);
  return true;
}

bool CElementInfoSeqCol::ElementToXml(const CXmlSerializationContext& context,
                                      const CXmlGeneratedClass* owner,
                                      CXmlWriter* writer) const {
  return detail::WriteCountedCollection(*this, context, owner, writer);
}

bool CElementInfoSeqCol::ElementFromXml(const CXmlSerializationContext& context,
                                        CXmlGeneratedClass* owner, CXmlElement* parent,
                                        CXmlElement** current, const std::string&,
                                        XmlElementType ownerType) {
  CSmartPtr<CXmlCollectionBase> collection = GetCollection(owner);
  if (collection.IsNull()) return true;  // nothing to read into
  *current = FromXml_Int(collection, parent, *current, context, false);
  return CheckCountAfterRead(context, collection, ownerType);
}

bool CElementInfoSeqUntpdCol::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current, const std::string&,
                                             XmlElementType ownerType) {
  CSmartPtr<CXmlCollectionBase> collection = GetCollection(owner);
  if (collection.IsNull()) return true;
  // Only elements of the member's name, in the namespace of the first,
  // unless it is named "AnyElement".
  *current = detail::ReadUntypedRun(*this, collection, context, parent, *current);
  return CheckCountAfterRead(context, collection, ownerType);
}

void CElementInfoSeqClsCol::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                      const CXmlGeneratedClass* owner,
                                                      CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

void CElementInfoSeqAbsClsCol::PseudoChildAttributeToXml(
    const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,
    CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

}  // namespace VxXmlLib10Data
