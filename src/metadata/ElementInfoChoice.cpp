// What a choice does: the class reader and writer take the first alternative
// that matches or writes, and the rule of each alternative by content and
// cardinality.
//
// ElementToXml answers whether this alternative is the one set; the writer
// stops at the first that writes. ElementFromXml answers whether it matched
// and consumed the current element; the reader takes the first that does.
// Every single alternative, and every collection alternative whose collection
// has a minimum occurrence of 0, lets the choice be empty.
#include "vxxml/ElementInfoChoice.h"

#include "metadata/Groups.h"
#include "metadata/Members.h"
#include "metadata/Messages.h"

using namespace VxXmlLib10;
using namespace VxXmlLib10::detail;

namespace VxXmlLib10 {
namespace detail {

// ---- the group ----------------------------------------------------------------------------------

CXmlElement* ReadChoice(CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                        CXmlElement* parent, CXmlElement* first, XmlElementType ownerType,
                        bool emptyChoiceAllowed) {
  CElementInfo** infos = owner.GetClassElementInfo();
  const int count = owner.GetClassElementInfoCount();
  const std::string ownerNamespace = owner.GetNamespace();
  const bool ignoreUnknown = context.GetIgnoreUnknownElements();
  const bool ownerIsElement = ownerType == XmlElementType_Element;

  CXmlElement* cursor = first;
  bool chosen = false;
  for (;;) {
    for (int i = 0; i < count && !chosen; ++i)
      chosen = infos[i]->ElementFromXml(context, &owner, parent, &cursor, ownerNamespace,
                                        ownerType);
    if (chosen || !cursor || !ignoreUnknown || !ownerIsElement) break;
    cursor = cursor->GetNextSiblingElement();
    if (!cursor) break;
  }

  if (!chosen && !emptyChoiceAllowed) {
    if (ownerType == XmlElementType_PseudoElement) return ignoreUnknown ? first : cursor;
    if (!ownerIsElement) return cursor;
    if (!owner.DoesElementContainOptionalElements() && !context.GetIgnoreMissingChoice())
      ThrowEmptyChoiceFromXml(parent->GetLocalName());
  }

  if (!ownerIsElement) return cursor;
  if (!cursor) return nullptr;
  if (ignoreUnknown) return cursor;
  ThrowElementsLeftOver(parent->GetLocalName(), cursor->GetLocalName());
}

void WriteChoice(const CXmlGeneratedClass& owner, const CXmlSerializationContext& context,
                 CElementInfo** infos, CXmlWriter* writer, bool emptyChoiceAllowed) {
  if (infos)
    for (CElementInfo** info = infos; *info; ++info)
      if ((*info)->ElementToXml(context, &owner, writer)) return;
  if (owner.DoesElementContainOptionalElements() || emptyChoiceAllowed ||
      context.GetIgnoreMissingChoice())
    return;
  ThrowEmptyChoiceToXml();
}

}  // namespace detail
}  // namespace VxXmlLib10

namespace {

// ---- the rules of an alternative ----------------------------------------------------------------

// An alternative of content `Content` and cardinality `Card`: Read
// (ElementFromXml), Write (ElementToXml), ChildAttributes
// (PseudoChildAttributeToXml), IsOptional (IsOptionalChoiceMember).
template <class Content, class Card>
struct ChoiceRule;

template <class Content>
struct ChoiceSingle {
  template <class Info>
  static bool Write(const Info& info, const WriteCall& call) {
    return WriteSingle<Content>(info, call);
  }
  template <class Info>
  static void ChildAttributes(const Info& info, const WriteCall& call) {
    WriteChildAttributes<Content, Opt>(info, call);
  }
  static bool IsOptional(const CElementInfo&, const CXmlGeneratedClass*) { return true; }
};

// Simple values: read the current element when it is this alternative's.
template <class Content>
struct ChoiceValue : ChoiceSingle<Content> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    return ReadValueAtCursor<Content>(info, call);
  }
};

template <>
struct ChoiceRule<Prim, Opt> : ChoiceValue<Prim> {};
template <>
struct ChoiceRule<Enum, Opt> : ChoiceValue<Enum> {};

// The exception of a child object: a choice class reached through it may
// itself be empty, on writing and reading. The new child is stored before it
// reads, which selects this alternative in the owner; a pseudo-element child
// that consumes nothing leaves an empty object reference behind.
template <>
struct ChoiceRule<Cls, Opt> : ChoiceSingle<Cls> {
  template <class Info>
  static bool Write(const Info& info, const WriteCall& call) {
    return info.ElementToXmlCls(call.context, call.owner, call.writer, true);
  }
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    const bool pseudo = info.GetChildType() == XmlElementType_PseudoElement;
    if (pseudo ? *call.current == nullptr : !info.IsThisElement(call.context, *call.current))
      return false;
    CSmartPtr<CXmlObjectBase> child = ElementInfoAccess::NewChild(info);
    if (child.IsNull()) return false;
    StoreObject(info, call.owner, child.Get());
    if (!pseudo) {
      *call.current = ReadElementChild(info, child.Get(), call.context, *call.current, true);
      return true;
    }
    CXmlElement* const next =
        info.FromXml_Int(child.Get(), call.parent, *call.current, call.context, false);
    if (next != *call.current) {
      *call.current = next;
      return true;
    }
    StoreObject(info, call.owner, nullptr);
    return false;
  }
};

// A child of a substitutable class: the factory's answer for the current
// element is stored whatever it is (null included); false when it gives none.
template <>
struct ChoiceRule<AbsCls, Opt> : ChoiceSingle<AbsCls> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    if (!info.IsThisElement(call.context, *call.current)) return false;
    CSmartPtr<CXmlObjectBase> child = ElementInfoAccess::NewChild(info, *call.current);
    StoreObject(info, call.owner, child.Get());
    if (child.IsNull()) return false;
    *call.current = ReadElementChild(info, child.Get(), call.context, *call.current, false);
    return true;
  }
};

// Untyped content: a new CElement reads the current element; stored when it
// took it, otherwise the property is left holding an empty object reference.
template <>
struct ChoiceRule<Untpd, Opt> : ChoiceSingle<Untpd> {
  template <class Info>
  static bool Read(const Info& info, const ReadCall& call) {
    if (!*call.current) return false;
    CSmartPtr<CElement> element = NewUntypedElement(info, call.ownerNamespace);
    CXmlElement* const next =
        ReadUntyped(info, element.Get(), call.context, call.parent, *call.current);
    if (next == *call.current) {
      StoreObject(info, call.owner, nullptr);
      return false;
    }
    StoreObject(info, call.owner, element.Get());
    *call.current = next;
    return true;
  }
};

// A collection writes whenever it holds an item, whatever its bounds (an
// empty collection is an alternative not set). It reads the run of its
// elements: nothing read is no match; under a pseudo-element owner a bad
// count is no match either, under an element owner it throws.
template <class Content>
struct ChoiceRule<Content, Col> {
  static bool Write(const CElementInfo& info, const WriteCall& call) {
    return info.ElementToXmlCol(call.context, call.owner, call.writer);
  }
  static bool Read(const CElementInfo& info, const ReadCall& call) {
    CSmartPtr<CXmlCollectionBase> collection = FetchCollection(info, call.owner);
    if (collection.IsNull()) return false;
    CXmlElement* const next = ReadRun<Content>(info, collection.Get(), call, *call.current);
    if (next == *call.current) return false;
    if (call.UnderPseudo()) {
      if (!collection->IsValidCount(call.context)) return false;
      *call.current = next;
      return true;
    }
    *call.current = next;
    collection->ValidateCount(call.context);
    return true;
  }
  template <class Info>
  static void ChildAttributes(const Info& info, const WriteCall& call) {
    WriteChildAttributes<Content, Col>(info, call);
  }
  static bool IsOptional(const CElementInfo& info, const CXmlGeneratedClass* owner) {
    return info.IsCollectionOptional(owner);
  }
};

}  // namespace

namespace VxXmlLib10Data {

// ---- the bases ----------------------------------------------------------------------------------

CElementInfoChoice::~CElementInfoChoice() = default;

bool CElementInfoChoice::Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                                  bool, bool) const {
  ThrowNotImplementedValidate();
}

VXXML_DEFINE_ELEMENT_INFO_COLLECTION_BASE(Choice)

// ---- the alternatives: one row per class of ElementInfoChoice.h ---------------------------------

VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, Prim, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, Enum, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, Cls, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, AbsCls, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, Untpd, Opt)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, Prim, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, Enum, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, Untpd, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, Cls, Col)
VXXML_DEFINE_ELEMENT_INFO_MEMBER(Choice, AbsCls, Col)

}  // namespace VxXmlLib10Data
