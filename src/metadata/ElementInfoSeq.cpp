// What a sequence does: the class reader's passes over the children, and the
// rule of each member by content and cardinality.
//
// Every member is handed, in array order, the same cursor over the child
// elements; it consumes its own elements from the front and leaves the
// cursor on the first element it did not take. It answers true when it is
// satisfied and false when it did not match under a pseudo-element owner,
// whose enclosing group decides. A member works on a local copy of the cursor
// and stores it back only once it has succeeded, so a failure leaves the
// cursor where it was.
#include "vxxml/ElementInfoSeq.h"

#include "metadata/Groups.h"
#include "metadata/Members.h"
#include "metadata/Messages.h"

using namespace VxXmlLib10;
using namespace VxXmlLib10::detail;

namespace VxXmlLib10 {
namespace detail {

// ---- the group ----------------------------------------------------------------------------------

CXmlElement* ReadSequence(CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                          CXmlElement* parent, CXmlElement* first, XmlElementType ownerType) {
  CElementInfo** infos = owner.GetClassElementInfo();
  const int count = owner.GetClassElementInfoCount();
  const std::string ownerNamespace = owner.GetNamespace();
  const bool ignoreUnknown = context.GetIgnoreUnknownElements();

  CXmlElement* cursor = first;
  CXmlElement* last = first;
  int start = 0;
  for (;;) {
    for (int i = start; i < count;) {
      if (infos[i]->ElementFromXml(context, &owner, parent, &cursor, ownerNamespace, ownerType)) {
        if (cursor != last) {
          last = cursor;
          start = i;  // where a later pass resumes
        }
        ++i;
        continue;
      }
      // The member did not match: the group fails softly, unless unknown
      // elements are skipped, in which case the same member is asked again
      // past the element at the cursor.
      if (!ignoreUnknown || !cursor) return first;
      cursor = cursor->GetNextSiblingElement();
    }

    if (ownerType != XmlElementType_Element) return cursor;
    if (!cursor) return nullptr;
    if (!ignoreUnknown) ThrowElementsLeftOver(parent->GetLocalName(), cursor->GetLocalName());
    // Every pass that starts here skips one more element, so this ends.
    cursor = cursor->GetNextSiblingElement();
    if (!cursor) return nullptr;
  }
}

void WriteSequence(const CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                   CElementInfo** infos, CXmlWriter* writer) {
  if (!infos) return;
  for (; *infos; ++infos) (*infos)->ElementToXml(context, &owner, writer);
}

}  // namespace detail
}  // namespace VxXmlLib10

namespace {

// ---- searching for a mandatory member -----------------------------------------------------------

enum class Search { Found, Missing, NotMatched };

// Under an element owner a missing element is allowed by
// IgnoreMissingMandatoryElements (Missing), skipped past when the context
// ignores unknown elements, and otherwise an error; under a pseudo-element
// owner it is NotMatched, after skipping foreign elements only when
// `skipUnderPseudo` is set and the context ignores unknown elements.
Search SeekMandatory(const CElementInfo& info, const ReadCall& call, CXmlElement*& cursor,
                     bool skipUnderPseudo) {
  const bool ignoreUnknown = call.context.GetIgnoreUnknownElements();
  if (call.UnderPseudo()) {
    while (!info.IsThisElement(call.context, cursor)) {
      if (!skipUnderPseudo || !ignoreUnknown || !cursor) return Search::NotMatched;
      cursor = Next(cursor);
    }
    return Search::Found;
  }
  while (!info.IsThisElement(call.context, cursor)) {
    if (call.context.GetIgnoreMissingMandatoryElements()) return Search::Missing;
    if (!ignoreUnknown || !cursor) ThrowRequiredElementMissing(info.GetElementName());
    cursor = Next(cursor);
  }
  return Search::Found;
}

// ---- the rules of a member ----------------------------------------------------------------------

// A member of content `Content` and cardinality `Card`: Read (ElementFromXml),
// Write (ElementToXml), ChildAttributes (PseudoChildAttributeToXml).
template <class Content, class Card>
struct SeqRule;

// Single members write as their content does. Child objects write the
// attributes of a pseudo-element child from whatever their property holds, a
// child object or a collection.
template <class Content>
struct SeqSingle {
  template <class Info>
  static bool Write(const Info& info, const WriteCall& call) {
    return WriteSingle<Content>(info, call);
  }
  template <class Info>
  static void ChildAttributes(const Info& info, const WriteCall& call) {
    if constexpr (kIsChild<Content>) {
      if (info.GetChildType() != XmlElementType_PseudoElement) return;
      VxVariant value;
      info.ReadProperty(call.owner, value);
      CSmartPtr<CXmlObjectBase> object;
      if (value.GetItemType() == ItemType_xmlObject)
        object = value.GetXmlObject();
      else if (value.GetItemType() == ItemType_xmlCollection)
        object = value.GetXmlCollection().Get();
      if (!object.IsNull()) info.AttributesToXml_Int(object.Get(), call.writer, call.context);
    }
  }
};

// A mandatory simple value: searched for, then read. Foreign elements
// skipped under a pseudo-element owner stay consumed.
template <class Content, bool kSkipUnderPseudo>
struct SeqMandatoryValue : SeqSingle<Content> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    CXmlElement* cursor = *call.current;
    // The element is nearly always at the cursor: the search only when not.
    if (!info.IsThisElement(call.context, cursor)) {
      switch (SeekMandatory(info, call, cursor, kSkipUnderPseudo)) {
        case Search::NotMatched:
          *call.current = cursor;
          return false;
        case Search::Missing:
          return true;
        case Search::Found:
          break;
      }
    }
    ReadValue<Content>(info, call, cursor);
    *call.current = Next(cursor);
    return true;
  }
};

template <>
struct SeqRule<Prim, Mnd> : SeqMandatoryValue<Prim, true> {};
// The exception: a mandatory enumerated value under a pseudo-element owner
// never skips; a foreign element at the cursor answers false at once.
template <>
struct SeqRule<Enum, Mnd> : SeqMandatoryValue<Enum, false> {};

// An optional simple value: read when its element is at the cursor.
template <class Content>
struct SeqOptionalValue : SeqSingle<Content> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    ReadValueAtCursor<Content>(info, call);
    return true;
  }
};

template <>
struct SeqRule<Prim, Opt> : SeqOptionalValue<Prim> {};
template <>
struct SeqRule<Enum, Opt> : SeqOptionalValue<Enum> {};

// A mandatory child object the owner already holds: reading fills it in
// place (a property holding no object gets a new one from the factory). An
// element child is searched for; a pseudo-element child reads straight from
// the owner's children and, when the group must consume, must take at least
// one element.
template <>
struct SeqRule<Cls, Mnd> : SeqSingle<Cls> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    const bool mustConsume = ElementInfoAccess::MustConsume(info);
    const bool elementChild = info.GetChildType() == XmlElementType_Element;
    CXmlElement* cursor = *call.current;

    if (elementChild) {
      // An element child under a pseudo-element owner is not searched for.
      if (call.UnderPseudo() && !info.IsThisElement(call.context, cursor)) return false;
      if (!call.UnderPseudo() && SeekMandatory(info, call, cursor, false) == Search::Missing)
        return true;
    } else if (mustConsume && !cursor) {
      if (call.UnderPseudo()) return false;
      ThrowRequiredElementMissing(info.GetElementName());
    }

    CSmartPtr<CXmlObjectBase> child = FetchObject(info, call.owner);
    if (child.IsNull()) {
      child = ElementInfoAccess::NewChild(info);
      if (!child.IsNull()) StoreObject(info, call.owner, child);
    }
    if (child.IsNull()) ThrowRequiredElementMissing(info.GetElementName());

    if (elementChild) {
      *call.current = ReadElementChild(info, child, call.context, cursor, false);
      return true;
    }

    // A tagless group reads straight from the owner's children.
    CXmlElement* const returned = info.FromXml_Int(child, call.parent, cursor, call.context, false);
    const bool consumed = returned != cursor;
    if (!mustConsume) {
      if (!consumed && cursor && call.context.GetIgnoreUnknownElements() && !call.UnderPseudo())
        return false;
      *call.current = returned;
      return true;
    }
    if (consumed) {
      *call.current = returned;
      return true;
    }
    if (call.UnderPseudo()) return false;
    ThrowRequiredElementMissing(info.GetElementName());
  }
};

// An optional child object: made with the factory and stored only when its
// element is present (or, for a pseudo-element child, when it consumed
// something).
template <>
struct SeqRule<Cls, Opt> : SeqSingle<Cls> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    CXmlElement* const cursor = *call.current;
    if (info.GetChildType() == XmlElementType_Element) {
      if (!info.IsThisElement(call.context, cursor)) return true;
      CSmartPtr<CXmlObjectBase> child = ElementInfoAccess::NewChild(info);
      if (child.IsNull()) return true;
      *call.current = ReadElementChild(info, child, call.context, cursor, false);
      StoreObject(info, call.owner, child);
      return true;
    }
    if (!cursor) return true;
    CSmartPtr<CXmlObjectBase> child = ElementInfoAccess::NewChild(info);
    if (child.IsNull()) return true;
    CXmlElement* const returned = info.FromXml_Int(child, call.parent, cursor, call.context, false);
    if (returned == cursor) return true;  // nothing of the group is here: dropped
    StoreObject(info, call.owner, child);
    *call.current = returned;
    return true;
  }
};

// A child of an abstract type: the factory chooses the class from the
// element met. Mandatory under an element owner, anything else fails; the
// ignore options are not consulted. Optional: the element stays when no
// class fits.
template <class Card>
struct SeqAbstractChild : SeqSingle<AbsCls> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    CXmlElement* const cursor = *call.current;
    const bool mandatory = std::is_same<Card, Mnd>::value;
    CSmartPtr<CXmlObjectBase> child;
    if (info.IsThisElement(call.context, cursor)) child = ElementInfoAccess::NewChild(info, cursor);
    if (child.IsNull()) {
      if (!mandatory) return true;
      if (call.UnderPseudo()) return false;
      ThrowNoSubstitutionElement(info.GetElementName());
    }
    CXmlElement* const next = ReadElementChild(info, child, call.context, cursor, false);
    StoreObject(info, call.owner, child);
    *call.current = next;
    return true;
  }
};

template <>
struct SeqRule<AbsCls, Mnd> : SeqAbstractChild<Mnd> {};
template <>
struct SeqRule<AbsCls, Opt> : SeqAbstractChild<Opt> {};

// Mandatory untyped content: the CElement the owner holds (one missing is
// made as an optional member would make it) must take the element at the
// cursor.
template <>
struct SeqRule<Untpd, Mnd> : SeqSingle<Untpd> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    CXmlElement* const cursor = *call.current;
    if (!cursor) ThrowRequiredElementMissing(info.GetElementName());
    CSmartPtr<CXmlObjectBase> held = FetchObject(info, call.owner);
    CSmartPtr<CElement> element = dynamic_cast<CElement*>(held.Get());
    if (element.IsNull()) {
      element = NewUntypedElement(info, call.ownerNamespace);
      StoreObject(info, call.owner, element);
    }
    CXmlElement* const returned = ReadUntyped(info, element, call.context, call.parent, cursor);
    if (returned == cursor) {
      if (call.UnderPseudo()) return false;
      ThrowNoElementFromNamespace(info.GetNamespaceURI());
    }
    *call.current = returned;
    return true;
  }
};

// Optional untyped content: a new CElement, stored only when it took the
// element at the cursor.
template <>
struct SeqRule<Untpd, Opt> : SeqSingle<Untpd> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    CXmlElement* const cursor = *call.current;
    if (!cursor) return true;
    CSmartPtr<CElement> element = NewUntypedElement(info, call.ownerNamespace);
    CXmlElement* const returned = ReadUntyped(info, element, call.context, call.parent, cursor);
    if (returned == cursor) return true;
    StoreObject(info, call.owner, element);
    *call.current = returned;
    return true;
  }
};

// A collection the owner always has: written after its count is checked;
// read as a run, then under an element owner the count is checked and the
// answer is true, under a pseudo-element owner the answer is whether the
// count is valid.
template <class Content>
struct SeqRule<Content, Col> {
  static bool Write(const CElementInfo& info, const WriteCall& call) {
    return WriteCountedCollection(info, call);
  }
  static bool Read(const CElementInfo& info, const ReadCall& call) {
    CSmartPtr<CXmlCollectionBase> collection = FetchCollection(info, call.owner);
    if (collection.IsNull()) return true;  // nothing to read into
    *call.current = ReadRun<Content>(info, collection, call, *call.current);
    if (call.UnderPseudo()) return collection->IsValidCount(call.context);
    collection->ValidateCount(call.context);
    return true;
  }
  template <class Info>
  static void ChildAttributes(const Info& info, const WriteCall& call) {
    SeqSingle<Content>::ChildAttributes(info, call);
  }
};

}  // namespace

namespace VxXmlLib10Data {

// ---- the bases ----------------------------------------------------------------------------------

CElementInfoSeq::~CElementInfoSeq() = default;

bool CElementInfoSeq::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*, bool,
                               bool) const {
  ThrowNotImplementedValidate();
}

CElementInfoSeqNonCol::CElementInfoSeqNonCol(const char* elementName, const char* namespaceUri,
                                             int propertyId)
    : CElementInfoSeq(elementName, namespaceUri, propertyId) {}

CElementInfoSeqNonCol::~CElementInfoSeqNonCol() = default;

VXXML_DEFINE_ELEMENT_INFO_COLLECTION_BASE(Seq)

// ---- the members: one row per class of ElementInfoSeq.h -----------------------------------------

VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Prim, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Prim, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Enum, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Enum, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Cls, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Cls, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, AbsCls, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, AbsCls, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Untpd, Mnd)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Untpd, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Prim, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Enum, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Untpd, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, Cls, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Seq, AbsCls, Col)

}  // namespace VxXmlLib10Data
