// The element infos of a sequence: writing through the shared shapes of
// CElementInfo, and reading with the cursor rules of a sequence member.
//
// Every reader works on a local copy of the cursor and stores it back only
// once the member has succeeded, so a failure leaves the cursor where it was.
#include "vxxml/ElementInfoSeq.h"

#include "metadata/GroupMemberOps.h"
#include "metadata/MetadataErrors.h"
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

CElementInfoSeqPrimMnd::CElementInfoSeqPrimMnd(
    const char* elementName, const char* namespaceUri, int propertyId, bool nillable,
    ItemType itemType, const char* format, CWhitespaceUtils::WhitespaceRule whitespaceRule,
    const CPrimitiveRestrictions& restrictions)
    : CElementInfoSeq(elementName, namespaceUri, propertyId, nillable, itemType, format,
                      whitespaceRule, restrictions) {}

CElementInfoSeqPrimMnd::~CElementInfoSeqPrimMnd() = default;

bool CElementInfoSeqPrimMnd::ElementToXml(const CXmlSerializationContext& context,
                                          const CXmlGeneratedClass* owner,
                                          CXmlWriter* writer) const {
  return ElementToXmlPrim(context, owner, writer);
}

bool CElementInfoSeqPrimMnd::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType ownerType) {
  CXmlElement* cursor = *current;
  switch (SeekMandatory(*this, context, cursor, ownerType, true)) {
    case Search::NotMatched:
      *current = cursor;  // the skipped elements stay consumed
      return false;
    case Search::Missing:
      return true;
    case Search::Found:
      break;
  }
  ElementFromXmlPrim(context, owner, cursor);
  *current = Next(cursor);
  return true;
}

CElementInfoSeqPrimOpt::CElementInfoSeqPrimOpt(
    const char* elementName, const char* namespaceUri, int propertyId, bool nillable,
    ItemType itemType, const char* format, CWhitespaceUtils::WhitespaceRule whitespaceRule,
    const CPrimitiveRestrictions& restrictions)
    : CElementInfoSeq(elementName, namespaceUri, propertyId, nillable, itemType, format,
                      whitespaceRule, restrictions) {}

CElementInfoSeqPrimOpt::~CElementInfoSeqPrimOpt() = default;

bool CElementInfoSeqPrimOpt::ElementToXml(const CXmlSerializationContext& context,
                                          const CXmlGeneratedClass* owner,
                                          CXmlWriter* writer) const {
  return ElementToXmlPrim(context, owner, writer);
}

bool CElementInfoSeqPrimOpt::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  CXmlElement* cursor = *current;
  if (!IsThisElement(context, cursor)) return true;
  ElementFromXmlPrim(context, owner, cursor);
  *current = Next(cursor);
  return true;
}

CElementInfoSeqEnumMnd::CElementInfoSeqEnumMnd(const char* elementName, const char* namespaceUri,
                                               int propertyId, bool nillable,
                                               EnumToTextFunc toText, TextToEnumFunc toEnum)
    : CElementInfoSeq(elementName, namespaceUri, propertyId, nillable),
      m_toText(toText),
      m_toEnum(toEnum) {}

CElementInfoSeqEnumMnd::~CElementInfoSeqEnumMnd() = default;

bool CElementInfoSeqEnumMnd::ElementToXml(const CXmlSerializationContext& context,
                                          const CXmlGeneratedClass* owner,
                                          CXmlWriter* writer) const {
  return ElementToXmlEnum(context, owner, writer, m_toText);
}

bool CElementInfoSeqEnumMnd::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType ownerType) {
  CXmlElement* cursor = *current;
  switch (SeekMandatory(*this, context, cursor, ownerType, false)) {
    case Search::NotMatched:
      return false;
    case Search::Missing:
      return true;
    case Search::Found:
      break;
  }
  ElementFromXmlEnum(context, owner, cursor, m_toEnum);
  *current = Next(cursor);
  return true;
}

CElementInfoSeqEnumOpt::CElementInfoSeqEnumOpt(const char* elementName, const char* namespaceUri,
                                               int propertyId, bool nillable,
                                               EnumToTextFunc toText, TextToEnumFunc toEnum)
    : CElementInfoSeq(elementName, namespaceUri, propertyId, nillable),
      m_toText(toText),
      m_toEnum(toEnum) {}

CElementInfoSeqEnumOpt::~CElementInfoSeqEnumOpt() = default;

bool CElementInfoSeqEnumOpt::ElementToXml(const CXmlSerializationContext& context,
                                          const CXmlGeneratedClass* owner,
                                          CXmlWriter* writer) const {
  return ElementToXmlEnum(context, owner, writer, m_toText);
}

bool CElementInfoSeqEnumOpt::ElementFromXml(const CXmlSerializationContext& context,
                                            CXmlGeneratedClass* owner, CXmlElement*,
                                            CXmlElement** current, const std::string&,
                                            XmlElementType) {
  CXmlElement* cursor = *current;
  if (!IsThisElement(context, cursor)) return true;
  ElementFromXmlEnum(context, owner, cursor, m_toEnum);
  *current = Next(cursor);
  return true;
}

// ---- child objects ----------------------------------------------------------

CElementInfoSeqClsMnd::CElementInfoSeqClsMnd(const char* elementName, const char* namespaceUri,
                                             int propertyId, XmlElementType childType,
                                             ClassFactoryByIdFunc factory, int typeId,
                                             bool groupMustConsume)
    : CElementInfoSeq(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory),
      m_typeId(typeId),
      m_groupMustConsume(groupMustConsume) {}

CElementInfoSeqClsMnd::~CElementInfoSeqClsMnd() = default;

bool CElementInfoSeqClsMnd::ElementToXml(const CXmlSerializationContext& context,
                                         const CXmlGeneratedClass* owner,
                                         CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

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
  if (child.IsNull() && m_factory) {
    child = m_factory(m_typeId, m_elementName.c_str());
    if (!child.IsNull()) detail::StoreObject(*this, owner, child);
  }
  if (child.IsNull()) detail::ThrowRequiredElementMissing(m_elementName);

  if (m_childType == XmlElementType_Element) {
    FromXml_Int(child, cursor, cursor->GetFirstElement(), context, false);
    *current = Next(cursor);
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

CElementInfoSeqClsOpt::CElementInfoSeqClsOpt(const char* elementName, const char* namespaceUri,
                                             int propertyId, XmlElementType childType,
                                             ClassFactoryByIdFunc factory, int typeId)
    : CElementInfoSeq(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory),
      m_typeId(typeId) {}

CElementInfoSeqClsOpt::~CElementInfoSeqClsOpt() = default;

bool CElementInfoSeqClsOpt::ElementToXml(const CXmlSerializationContext& context,
                                         const CXmlGeneratedClass* owner,
                                         CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

bool CElementInfoSeqClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                           CXmlGeneratedClass* owner, CXmlElement* parent,
                                           CXmlElement** current, const std::string&,
                                           XmlElementType) {
  CXmlElement* const cursor = *current;
  if (m_childType == XmlElementType_Element) {
    if (!IsThisElement(context, cursor) || !m_factory) return true;
    CSmartPtr<CXmlObjectBase> child = m_factory(m_typeId, m_elementName.c_str());
    if (child.IsNull()) return true;
    FromXml_Int(child, cursor, cursor->GetFirstElement(), context, false);
    *current = Next(cursor);
    detail::StoreObject(*this, owner, child);
    return true;
  }

  if (!cursor || !m_factory) return true;
  CSmartPtr<CXmlObjectBase> child = m_factory(m_typeId, m_elementName.c_str());
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

CElementInfoSeqAbsClsMnd::CElementInfoSeqAbsClsMnd(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType,
                                                   ClassFactoryByElementFunc factory)
    : CElementInfoSeq(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory) {}

CElementInfoSeqAbsClsMnd::~CElementInfoSeqAbsClsMnd() = default;

bool CElementInfoSeqAbsClsMnd::ElementToXml(const CXmlSerializationContext& context,
                                            const CXmlGeneratedClass* owner,
                                            CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

bool CElementInfoSeqAbsClsMnd::ElementFromXml(const CXmlSerializationContext& context,
                                              CXmlGeneratedClass* owner, CXmlElement*,
                                              CXmlElement** current, const std::string&,
                                              XmlElementType ownerType) {
  CXmlElement* const cursor = *current;
  CSmartPtr<CXmlObjectBase> child;
  if (IsThisElement(context, cursor) && m_factory) child = m_factory(cursor);
  if (child.IsNull()) {
    if (ownerType == XmlElementType_PseudoElement) return false;
    detail::ThrowNoSubstitutionElement(m_elementName);
  }
  FromXml_Int(child, cursor, cursor->GetFirstElement(), context, false);
  detail::StoreObject(*this, owner, child);
  *current = Next(cursor);
  return true;
}

void CElementInfoSeqAbsClsMnd::PseudoChildAttributeToXml(
    const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,
    CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

CElementInfoSeqAbsClsOpt::CElementInfoSeqAbsClsOpt(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType,
                                                   ClassFactoryByElementFunc factory)
    : CElementInfoSeq(elementName, namespaceUri, propertyId),
      m_childType(childType),
      m_factory(factory) {}

CElementInfoSeqAbsClsOpt::~CElementInfoSeqAbsClsOpt() = default;

bool CElementInfoSeqAbsClsOpt::ElementToXml(const CXmlSerializationContext& context,
                                            const CXmlGeneratedClass* owner,
                                            CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

bool CElementInfoSeqAbsClsOpt::ElementFromXml(const CXmlSerializationContext& context,
                                              CXmlGeneratedClass* owner, CXmlElement*,
                                              CXmlElement** current, const std::string&,
                                              XmlElementType) {
  CXmlElement* const cursor = *current;
  if (!IsThisElement(context, cursor) || !m_factory) return true;
  CSmartPtr<CXmlObjectBase> child = m_factory(cursor);
  if (child.IsNull()) return true;  // no class fits: the element stays
  FromXml_Int(child, cursor, cursor->GetFirstElement(), context, false);
  detail::StoreObject(*this, owner, child);
  *current = Next(cursor);
  return true;
}

void CElementInfoSeqAbsClsOpt::PseudoChildAttributeToXml(
    const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,
    CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

// ---- untyped content --------------------------------------------------------

CElementInfoSeqUntpdMnd::CElementInfoSeqUntpdMnd(const char* elementName,
                                                 const char* namespaceUri, int propertyId,
                                                 const char* namespaceRestriction,
                                                 const char* targetNamespace)
    : CElementInfoSeq(elementName, namespaceUri, propertyId),
      m_restriction(namespaceRestriction ? namespaceRestriction : ""),
      m_targetNamespace(targetNamespace ? targetNamespace : "") {}

CElementInfoSeqUntpdMnd::~CElementInfoSeqUntpdMnd() = default;

bool CElementInfoSeqUntpdMnd::ElementToXml(const CXmlSerializationContext& context,
                                           const CXmlGeneratedClass* owner,
                                           CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

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
    element = new CElement(m_elementName.c_str(),
                           GetAnyDefaultNamespace(m_restriction, ownerNamespace,
                                                  m_targetNamespace)
                               .c_str(),
                           m_restriction.c_str(), m_targetNamespace.c_str());
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

CElementInfoSeqUntpdOpt::CElementInfoSeqUntpdOpt(const char* elementName,
                                                 const char* namespaceUri, int propertyId,
                                                 const char* namespaceRestriction,
                                                 const char* targetNamespace)
    : CElementInfoSeq(elementName, namespaceUri, propertyId),
      m_restriction(namespaceRestriction ? namespaceRestriction : ""),
      m_targetNamespace(targetNamespace ? targetNamespace : "") {}

CElementInfoSeqUntpdOpt::~CElementInfoSeqUntpdOpt() = default;

bool CElementInfoSeqUntpdOpt::ElementToXml(const CXmlSerializationContext& context,
                                           const CXmlGeneratedClass* owner,
                                           CXmlWriter* writer) const {
  return ElementToXmlCls(context, owner, writer, false);
}

bool CElementInfoSeqUntpdOpt::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current,
                                             const std::string& ownerNamespace,
                                             XmlElementType) {
  CXmlElement* const cursor = *current;
  if (!cursor) return true;
  CSmartPtr<CElement> element = new CElement(
      m_elementName.c_str(),
      GetAnyDefaultNamespace(m_restriction, ownerNamespace, m_targetNamespace).c_str(),
      m_restriction.c_str(), m_targetNamespace.c_str());
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
  VxVariant value;
  ReadProperty(owner, value);
  if (value.GetItemType() != ItemType_xmlCollection) return CSmartPtr<CXmlCollectionBase>();
  return value.GetXmlCollection();
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
  if (!context.GetIgnoreInvalidCollectionCounts()) {
    CSmartPtr<CXmlCollectionBase> collection = GetCollection(owner);
    if (!collection.IsNull()) collection->ValidateCount(context);
  }
  return ElementToXmlCol(context, owner, writer);
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

CElementInfoSeqPrimCol::CElementInfoSeqPrimCol(const char* elementName, const char* namespaceUri,
                                               int propertyId)
    : CElementInfoSeqCol(elementName, namespaceUri, propertyId) {}

CElementInfoSeqPrimCol::~CElementInfoSeqPrimCol() = default;

CElementInfoSeqEnumCol::CElementInfoSeqEnumCol(const char* elementName, const char* namespaceUri,
                                               int propertyId)
    : CElementInfoSeqCol(elementName, namespaceUri, propertyId) {}

CElementInfoSeqEnumCol::~CElementInfoSeqEnumCol() = default;

CElementInfoSeqUntpdCol::CElementInfoSeqUntpdCol(const char* elementName,
                                                 const char* namespaceUri, int propertyId)
    : CElementInfoSeqCol(elementName, namespaceUri, propertyId) {}

CElementInfoSeqUntpdCol::~CElementInfoSeqUntpdCol() = default;

bool CElementInfoSeqUntpdCol::ElementFromXml(const CXmlSerializationContext& context,
                                             CXmlGeneratedClass* owner, CXmlElement* parent,
                                             CXmlElement** current, const std::string&,
                                             XmlElementType ownerType) {
  CSmartPtr<CXmlCollectionBase> collection = GetCollection(owner);
  if (collection.IsNull()) return true;
  CElementCol* elements = dynamic_cast<CElementCol*>(collection.Get());
  CXmlElement* const cursor = *current;
  if (detail::IsAnyElementName(m_elementName) || !elements) {
    *current = FromXml_Int(collection, parent, cursor, context, false);
  } else {
    // Only elements of the member's name, in the namespace of the first.
    *current = elements->FromXmlLockElementName_Int(
        m_elementName, cursor ? cursor->GetNamespaceURI() : std::string(), parent, cursor,
        context);
  }
  return CheckCountAfterRead(context, collection, ownerType);
}

CElementInfoSeqClsCol::CElementInfoSeqClsCol(const char* elementName, const char* namespaceUri,
                                             int propertyId, XmlElementType childType)
    : CElementInfoSeqCol(elementName, namespaceUri, propertyId), m_childType(childType) {}

CElementInfoSeqClsCol::~CElementInfoSeqClsCol() = default;

void CElementInfoSeqClsCol::PseudoChildAttributeToXml(const CXmlSerializationContext& context,
                                                      const CXmlGeneratedClass* owner,
                                                      CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

CElementInfoSeqAbsClsCol::CElementInfoSeqAbsClsCol(const char* elementName,
                                                   const char* namespaceUri, int propertyId,
                                                   XmlElementType childType)
    : CElementInfoSeqCol(elementName, namespaceUri, propertyId), m_childType(childType) {}

CElementInfoSeqAbsClsCol::~CElementInfoSeqAbsClsCol() = default;

void CElementInfoSeqAbsClsCol::PseudoChildAttributeToXml(
    const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,
    CXmlWriter* writer) const {
  PseudoChildAttributes(*this, m_childType, context, owner, writer);
}

}  // namespace VxXmlLib10Data
