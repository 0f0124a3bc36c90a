// What an all group does: the class reader's passes over the children, and
// the rule of each member by content and cardinality.
//
// Each pass offers the current element to every member not yet found; a
// member reads its element only when it is the current one and answers
// whether it consumed it. Absence is judged afterwards, by every member's
// Validate with its found flag. Writing is the same as in a sequence.
#include "vxxml/ElementInfoAll.h"

#include <vector>

#include "metadata/Groups.h"
#include "metadata/Members.h"
#include "metadata/Messages.h"

using namespace VxXmlLib10;
using namespace VxXmlLib10::detail;

namespace VxXmlLib10 {
namespace detail {

// ---- the group ----------------------------------------------------------------------------------

CXmlElement* ReadAllGroup(CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                          CXmlElement* parent, CXmlElement* first, XmlElementType ownerType) {
  CElementInfo** infos = owner.GetClassElementInfo();
  const int count = owner.GetClassElementInfoCount();
  const std::string ownerNamespace = owner.GetNamespace();
  std::vector<bool> found(static_cast<size_t>(count), false);

  CXmlElement* cursor = first;
  while (cursor) {
    CXmlElement* const passStart = cursor;
    for (int i = 0; i < count; ++i) {
      if (found[static_cast<size_t>(i)]) continue;
      found[static_cast<size_t>(i)] =
          infos[i]->ElementFromXml(context, &owner, parent, &cursor, ownerNamespace, ownerType);
    }
    if (cursor == passStart) break;
  }

  const bool ownerIsElement = ownerType == XmlElementType_Element;
  for (int i = 0; i < count; ++i)
    if (!infos[i]->Validate(context, &owner, found[static_cast<size_t>(i)], ownerIsElement))
      return first;

  if (!ownerIsElement) return cursor;
  if (!cursor) return nullptr;
  if (context.GetIgnoreUnknownElements()) return cursor;
  ThrowElementsLeftOver(parent->GetLocalName(), cursor->GetLocalName());
}

}  // namespace detail
}  // namespace VxXmlLib10

namespace {

// ---- the rules of a member ----------------------------------------------------------------------

// A member of content `Content` and cardinality `Card`: Read (ElementFromXml),
// Validate, Write (ElementToXml), ChildAttributes (PseudoChildAttributeToXml).
template <class Content, class Card>
struct AllRule;

// A mandatory member missing under an element owner is an error; under a
// pseudo-element owner the enclosing group decides. An optional one is
// always valid.
template <class Card>
struct AllPresence;

template <>
struct AllPresence<Mnd> {
  static bool Validate(const CElementInfo& info, bool found, bool ownerIsElement) {
    if (found || !ownerIsElement) return found;
    ThrowMandatoryElementNotFound(info.GetElementName());
  }
};

template <>
struct AllPresence<Opt> {
  static bool Validate(const CElementInfo&, bool, bool) { return true; }
};

template <class Content, class Card>
struct AllSingle : AllPresence<Card> {
  template <class Info>
  static bool Write(const Info& info, const WriteCall& call) {
    return WriteSingle<Content>(info, call);
  }
  template <class Info>
  static void ChildAttributes(const Info& info, const WriteCall& call) {
    WriteChildAttributes<Content, Card>(info, call);
  }
};

// Simple values: read when the current element is the member's.
template <class Content, class Card>
struct AllValue : AllSingle<Content, Card> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    return ReadValueAtCursor<Content>(info, call);
  }
};

template <>
struct AllRule<Prim, Mnd> : AllValue<Prim, Mnd> {};
template <>
struct AllRule<Prim, Opt> : AllValue<Prim, Opt> {};
template <>
struct AllRule<Enum, Mnd> : AllValue<Enum, Mnd> {};
template <>
struct AllRule<Enum, Opt> : AllValue<Enum, Opt> {};

// A mandatory child object, normally held by the owner already and read in
// place; a class that left it out gets one from the factory, so that the
// element is not lost. An element child reads the current element when it is
// the member's; a pseudo-element child reads from the current element on and
// answers whether it consumed anything. The exception: a missing element
// child without the required flag is valid.
template <>
struct AllRule<Cls, Mnd> : AllSingle<Cls, Mnd> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    const bool pseudo = info.GetChildType() == XmlElementType_PseudoElement;
    if (!pseudo && !info.IsThisElement(call.context, *call.current)) return false;
    CSmartPtr<CXmlObjectBase> child = FetchObject(info, call.owner);
    if (child.IsNull()) {
      child = ElementInfoAccess::NewChild(info);
      if (child.IsNull()) return false;
      StoreObject(info, call.owner, child.Get());
    }
    if (pseudo) {
      CXmlElement* const before = *call.current;
      *call.current = info.FromXml_Int(child.Get(), call.parent, before, call.context, false);
      return *call.current != before;
    }
    *call.current = ReadElementChild(info, child.Get(), call.context, *call.current, false);
    return true;
  }
  template <class Info>
  static bool Validate(const Info& info, bool found, bool ownerIsElement) {
    if (found || !ownerIsElement) return found;
    if (info.GetChildType() == XmlElementType_Element && !ElementInfoAccess::Required(info))
      return true;
    ThrowMandatoryElementNotFound(info.GetElementName());
  }
};

// An optional child object: made with the factory on reading and stored when
// it consumed something.
template <>
struct AllRule<Cls, Opt> : AllSingle<Cls, Opt> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    const bool pseudo = info.GetChildType() == XmlElementType_PseudoElement;
    if (pseudo ? *call.current == nullptr : !info.IsThisElement(call.context, *call.current))
      return false;
    CSmartPtr<CXmlObjectBase> child = ElementInfoAccess::NewChild(info);
    if (child.IsNull()) return false;
    if (pseudo) {
      CXmlElement* const before = *call.current;
      *call.current = info.FromXml_Int(child.Get(), call.parent, before, call.context, false);
      if (*call.current == before) return false;
      StoreObject(info, call.owner, child.Get());
      return true;
    }
    *call.current = ReadElementChild(info, child.Get(), call.context, *call.current, false);
    StoreObject(info, call.owner, child.Get());
    return true;
  }
};

// The exception: substitutable members are not read in an all group. The
// element of one fails; any other element is simply not this member's.
template <class Card>
struct AllAbstractChild : AllSingle<AbsCls, Card> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    if (!info.IsThisElement(call.context, *call.current)) return false;
    if (std::is_same<Card, Mnd>::value) ThrowAllAbsClsMndNotImplemented();
    ThrowAllAbsClsOptNotImplemented();
  }
};

template <>
struct AllRule<AbsCls, Mnd> : AllAbstractChild<Mnd> {};
template <>
struct AllRule<AbsCls, Opt> : AllAbstractChild<Opt> {};

// Untyped content: `element` reads the current element and is stored (when
// `store`) once it took it.
inline bool ReadUntypedInto(const CElementInfo& info, CSmartPtr<CElement> element, bool store,
                            const ReadCall& call) {
  CXmlElement* next = ReadUntyped(info, element.Get(), call.context, call.parent, *call.current);
  if (next == *call.current) return false;
  if (store) StoreObject(info, call.owner, element.Get());
  *call.current = next;
  return true;
}

// Mandatory: the CElement the owner holds, read in place; a class that left
// it out gets a new one, stored when it reads.
template <>
struct AllRule<Untpd, Mnd> : AllSingle<Untpd, Mnd> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    if (!*call.current) return false;
    CSmartPtr<CXmlObjectBase> held = FetchObject(info, call.owner);
    CSmartPtr<CElement> element(dynamic_cast<CElement*>(held.Get()));
    if (!element.IsNull()) return ReadUntypedInto(info, element, false, call);
    return ReadUntypedInto(info, NewUntypedElement(info, call.ownerNamespace), true, call);
  }
};

// Optional: a new CElement, stored when it took the current element.
template <>
struct AllRule<Untpd, Opt> : AllSingle<Untpd, Opt> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    if (!*call.current) return false;
    return ReadUntypedInto(info, NewUntypedElement(info, call.ownerNamespace), true, call);
  }
};

// A collection reads every run of its elements wherever it stands and always
// answers false, so that it stays in play in every pass; no count is checked
// on reading. Writing checks the count first.
template <class Content>
struct AllRule<Content, Col> : AllPresence<Opt> {
  static bool Write(const CElementInfo& info, const WriteCall& call) {
    return WriteCountedCollection(info, call);
  }
  static bool Read(const CElementInfo& info, const ReadCall& call) {
    CSmartPtr<CXmlCollectionBase> collection = FetchCollection(info, call.owner);
    if (!collection.IsNull())
      *call.current = ReadRun<Content>(info, collection.Get(), call, *call.current);
    return false;
  }
  template <class Info>
  static void ChildAttributes(const Info& info, const WriteCall& call) {
    WriteChildAttributes<Content, Col>(info, call);
  }
};

}  // namespace

namespace VxXmlLib10Data {

// ---- the bases ----------------------------------------------------------------------------------

CElementInfoAll::~CElementInfoAll() = default;

CElementInfoAllEnumCol::CElementInfoAllEnumCol(const char* elementName, const char* namespaceUri,
                                               int propertyId)
    : CElementInfoAll(elementName, namespaceUri, propertyId) {}

CElementInfoAllEnumCol::~CElementInfoAllEnumCol() = default;

CElementInfoAllNonCol::CElementInfoAllNonCol(const char* elementName, const char* namespaceUri,
                                             int propertyId)
    : CElementInfoAll(elementName, namespaceUri, propertyId) {}

CElementInfoAllNonCol::~CElementInfoAllNonCol() = default;

VXXML_DEFINE_ELEMENT_INFO_COLLECTION_BASE(All)

bool CElementInfoAllCol::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                  bool found, bool ownerIsElement) const {
  return AllRule<Prim, Col>::Validate(*this, found, ownerIsElement);
}

// ---- the members: one row per class of ElementInfoAll.h -----------------------------------------

VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Prim, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Prim, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Enum, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Enum, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Cls, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Cls, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, AbsCls, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, AbsCls, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Untpd, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Untpd, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Prim, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Untpd, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, Cls, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(All, AbsCls, Col)

}  // namespace VxXmlLib10Data
