// What the members of every model group share: the grammar their classes are
// named by (content kind and cardinality, as tag types), the calls they
// answer, the steps they read and write with, and the rules that depend on
// the content kind alone. The rules of each group, by content and
// cardinality, are in the group's own file: ElementInfoSeq.cpp,
// ElementInfoAll.cpp, ElementInfoChoice.cpp.
#ifndef VXXML_SRC_METADATA_MEMBERS_H
#define VXXML_SRC_METADATA_MEMBERS_H

#include <string>
#include <type_traits>

#include "vxxml/Collection.h"
#include "vxxml/ElementInfoContent.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Untyped.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"

namespace VxXmlLib10 {
namespace detail {

using VxXmlLib10Data::CElementInfo;
using VxXmlLib10Data::XmlElementType;
using VxXmlLib10Data::XmlElementType_Element;
using VxXmlLib10Data::XmlElementType_PseudoElement;

// ---- the grammar --------------------------------------------------------------------------------

// Content kinds: a simple value, an enumerated value, a child object of a
// concrete class, of an abstract class (chosen by the element met), untyped
// content (xs:any).
struct Prim {};
struct Enum {};
struct Cls {};
struct AbsCls {};
struct Untpd {};
// Cardinalities: exactly once, at most once, a collection.
struct Mnd {};
struct Opt {};
struct Col {};

template <class Content>
constexpr bool kIsValue = std::is_same<Content, Prim>::value || std::is_same<Content, Enum>::value;
template <class Content>
constexpr bool kIsChild = std::is_same<Content, Cls>::value || std::is_same<Content, AbsCls>::value;

// ---- the calls ----------------------------------------------------------------------------------

// The arguments of ElementFromXml. `current` is the cursor: the child element
// being looked at, null when the children are exhausted.
struct ReadCall {
  const CXmlSerializationContext& context;
  CXmlGeneratedClass* owner;
  CXmlElement* parent;
  CXmlElement** current;
  const std::string& ownerNamespace;
  XmlElementType ownerType;

  bool UnderPseudo() const { return ownerType == XmlElementType_PseudoElement; }
};

// The arguments of ElementToXml and PseudoChildAttributeToXml.
struct WriteCall {
  const CXmlSerializationContext& context;
  const CXmlGeneratedClass* owner;
  CXmlWriter* writer;
};

// The fields of the member classes, for the rules (their friend).
struct ElementInfoAccess {
  // A new child from the by-id factory (type id, element name); null when
  // there is no factory or it makes none.
  template <class Info>
  static CSmartPtr<CXmlObjectBase> NewChild(const Info& info) {
    if (!info.m_factory) return CSmartPtr<CXmlObjectBase>();
    return info.m_factory(info.m_factoryTypeId, info.m_elementName.c_str());
  }
  // A new object for `element` from the by-element factory; null when there
  // is no factory or no class fits.
  template <class Info>
  static CSmartPtr<CXmlObjectBase> NewChild(const Info& info, CXmlElement* element) {
    if (!info.m_factory) return CSmartPtr<CXmlObjectBase>();
    return info.m_factory(element);
  }
  template <class Info>
  static bool MustConsume(const Info& info) {
    return info.m_groupMustConsume;
  }
  template <class Info>
  static bool Required(const Info& info) {
    return info.m_required;
  }
};

// ---- the steps ----------------------------------------------------------------------------------

// The name an untyped member takes any local name under.
inline bool IsAnyElementName(const std::string& name) { return name == "AnyElement"; }

inline CXmlElement* Next(const CXmlElement* element) { return element->GetNextSiblingElement(); }

// The object the member's property holds, or null.
inline CSmartPtr<CXmlObjectBase> FetchObject(const CElementInfo& info,
                                             const CXmlGeneratedClass* owner) {
  VxVariant value;
  info.ReadProperty(owner, value);
  if (value.GetItemType() != ItemType_xmlObject) return CSmartPtr<CXmlObjectBase>();
  return value.GetXmlObject();
}

// The collection the member's property holds, or null.
inline CSmartPtr<CXmlCollectionBase> FetchCollection(const CElementInfo& info,
                                                     const CXmlGeneratedClass* owner) {
  VxVariant value;
  info.ReadProperty(owner, value);
  if (value.GetItemType() != ItemType_xmlCollection) return CSmartPtr<CXmlCollectionBase>();
  return value.GetXmlCollection();
}

// Stores an object reference (null for an empty one) in the member's property.
inline void StoreObject(const CElementInfo& info, CXmlGeneratedClass* owner,
                        CXmlObjectBase* object) {
  VxVariant value;
  value.SetXmlObject(object);
  info.AccessProperty(owner, false, value);
}

// The value of a simple member from `element`: the xsi:nil rules, the text
// conversion, the property write. No facet check is made.
template <class Content, class Info>
void ReadValue(const Info& info, const ReadCall& call, const CXmlElement* element) {
  if constexpr (std::is_same<Content, Prim>::value)
    info.ElementFromXmlPrim(call.context, call.owner, element);
  else
    info.ElementFromXmlEnum(call.context, call.owner, element, info.GetTextToEnum());
}

// Reads the current element as the member's value when it is the member's
// own, and moves past it; false, consuming nothing, otherwise.
template <class Content, class Info>
bool ReadValueAtCursor(const Info& info, const ReadCall& call) {
  CXmlElement* const element = *call.current;
  if (!info.IsThisElement(call.context, element)) return false;
  ReadValue<Content>(info, call, element);
  *call.current = Next(element);
  return true;
}

// An element child reads the element's own children; returns the element
// after it.
inline CXmlElement* ReadElementChild(const CElementInfo& info, CXmlObjectBase* child,
                                     const CXmlSerializationContext& context,
                                     CXmlElement* element, bool emptyChoiceAllowed) {
  info.FromXml_Int(child, element, element->GetFirstElement(), context, emptyChoiceAllowed);
  return element->GetNextSiblingElement();
}

// A new untyped element for the member: its name, the default namespace of
// its rule (see GetAnyDefaultNamespace), its rule and target namespace.
template <class Info>
CSmartPtr<CElement> NewUntypedElement(const Info& info, const std::string& ownerNamespace) {
  const std::string& restriction = info.GetNamespaceRestriction();
  const std::string& targetNamespace = info.GetRestrictionTargetNamespace();
  return new CElement(
      info.GetElementName().c_str(),
      info.GetAnyDefaultNamespace(restriction, ownerNamespace, targetNamespace).c_str(),
      restriction.c_str(), targetNamespace.c_str());
}

// An untyped element reads the current element when the member's name
// allows it (and the element's namespace rule accepts it); returns the first
// element not taken.
inline CXmlElement* ReadUntyped(const CElementInfo& info, CElement* element,
                                const CXmlSerializationContext& context, CXmlElement* parent,
                                CXmlElement* current) {
  if (!IsAnyElementName(info.GetElementName()) &&
      info.GetElementName() != current->GetLocalName())
    return current;
  return info.FromXml_Int(element, parent, current, context, false);
}

// A collection reads its run of elements from `current`; returns the first
// element not taken. Untyped content takes any name for "AnyElement",
// otherwise only the member's own name (in the current element's namespace).
template <class Content>
CXmlElement* ReadRun(const CElementInfo& info, CXmlCollectionBase* collection,
                     const ReadCall& call, CXmlElement* current) {
  if constexpr (std::is_same<Content, Untpd>::value) {
    CElementCol* elements = dynamic_cast<CElementCol*>(collection);
    if (elements && !IsAnyElementName(info.GetElementName()))
      return elements->FromXmlLockElementName_Int(
          info.GetElementName(), current ? current->GetNamespaceURI() : "", call.parent, current,
          call.context);
  }
  return info.FromXml_Int(collection, call.parent, current, call.context, false);
}

// The write of a sequence or all collection member: the collection's count
// is checked first, unless the context ignores invalid counts.
inline bool WriteCountedCollection(const CElementInfo& info, const WriteCall& call) {
  if (!call.context.GetIgnoreInvalidCollectionCounts()) {
    CSmartPtr<CXmlCollectionBase> collection = FetchCollection(info, call.owner);
    if (!collection.IsNull()) collection->ValidateCount(call.context);
  }
  return info.ElementToXmlCol(call.context, call.owner, call.writer);
}

// ---- the rules of the content kind --------------------------------------------------------------

// How a single member (Mnd, Opt) writes itself, in every group but the
// choice's child objects.
template <class Content, class Info>
bool WriteSingle(const Info& info, const WriteCall& call) {
  if constexpr (std::is_same<Content, Prim>::value)
    return info.ElementToXmlPrim(call.context, call.owner, call.writer);
  else if constexpr (std::is_same<Content, Enum>::value)
    return info.ElementToXmlEnum(call.context, call.owner, call.writer, info.GetEnumToText());
  else
    return info.ElementToXmlCls(call.context, call.owner, call.writer, false);
}

// The attributes of a pseudo-element child, written onto the owner's start
// tag: those of the child object a single member holds, of the collection a
// repeated one holds; nothing for values and untyped content.
template <class Content, class Card, class Info>
void WriteChildAttributes(const Info& info, const WriteCall& call) {
  if constexpr (kIsChild<Content>) {
    if constexpr (std::is_same<Card, Col>::value)
      info.ChildCollectionAttributesToXml(call.context, call.owner, call.writer,
                                          info.GetChildType());
    else
      info.ChildObjectAttributesToXml(call.context, call.owner, call.writer,
                                      info.GetChildType());
  }
}

}  // namespace detail
}  // namespace VxXmlLib10

// Defines the operations of the member class CElementInfo + Group + Content +
// Cardinality (declared by VXXML_ELEMENT_INFO_MEMBER) through the group's
// rule for the content and cardinality, Group##Rule<Content, Cardinality>.
#define VXXML_DEFINE_ELEMENT_INFO_MEMBER(Group, Content, Cardinality)                             \
  CElementInfo##Group##Content##Cardinality::~CElementInfo##Group##Content##Cardinality() =       \
      default;                                                                                    \
  bool CElementInfo##Group##Content##Cardinality::ElementToXml(                                   \
      const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,                   \
      CXmlWriter* writer) const {                                                                 \
    return Group##Rule<detail::Content, detail::Cardinality>::Write(*this,                        \
                                                                    {context, owner, writer});   \
  }                                                                                               \
  void CElementInfo##Group##Content##Cardinality::PseudoChildAttributeToXml(                      \
      const CXmlSerializationContext& context, const CXmlGeneratedClass* owner,                   \
      CXmlWriter* writer) const {                                                                 \
    Group##Rule<detail::Content, detail::Cardinality>::ChildAttributes(*this,                     \
                                                                       {context, owner, writer}); \
  }                                                                                               \
  bool CElementInfo##Group##Content##Cardinality::ElementFromXml(                                 \
      const CXmlSerializationContext& context, CXmlGeneratedClass* owner, CXmlElement* parent,    \
      CXmlElement** current, const std::string& ownerNamespace, XmlElementType ownerType) {       \
    return Group##Rule<detail::Content, detail::Cardinality>::Read(                               \
        *this, {context, owner, parent, current, ownerNamespace, ownerType});                     \
  }                                                                                               \
  VXXML_DEFINE_ELEMENT_INFO_GROUP_##Group(Content, Cardinality)

// Defines the collection base CElementInfo + Group + Col: the collection rule
// of the group, for a class derived from it.
#define VXXML_DEFINE_ELEMENT_INFO_COLLECTION_BASE(Group)                                          \
  CElementInfo##Group##Col::CElementInfo##Group##Col(const char* elementName,                     \
                                                     const char* namespaceUri, int propertyId)    \
      : CElementInfo##Group(elementName, namespaceUri, propertyId) {}                             \
  CElementInfo##Group##Col::~CElementInfo##Group##Col() = default;                                \
  bool CElementInfo##Group##Col::ElementToXml(const CXmlSerializationContext& context,            \
                                              const CXmlGeneratedClass* owner,                    \
                                              CXmlWriter* writer) const {                         \
    return Group##Rule<detail::Prim, detail::Col>::Write(*this, {context, owner, writer});        \
  }                                                                                               \
  bool CElementInfo##Group##Col::ElementFromXml(                                                  \
      const CXmlSerializationContext& context, CXmlGeneratedClass* owner, CXmlElement* parent,    \
      CXmlElement** current, const std::string& ownerNamespace, XmlElementType ownerType) {       \
    return Group##Rule<detail::Prim, detail::Col>::Read(                                          \
        *this, {context, owner, parent, current, ownerNamespace, ownerType});                     \
  }

#define VXXML_DEFINE_ELEMENT_INFO_GROUP_Seq(Content, Cardinality)
#define VXXML_DEFINE_ELEMENT_INFO_GROUP_All(Content, Cardinality)                                 \
  bool CElementInfoAll##Content##Cardinality::Validate(                                           \
      const CXmlSerializationContext&, const CXmlGeneratedClass*, bool found,                     \
      bool ownerIsElement) const {                                                                \
    return AllRule<detail::Content, detail::Cardinality>::Validate(*this, found, ownerIsElement); \
  }
#define VXXML_DEFINE_ELEMENT_INFO_GROUP_Choice(Content, Cardinality)                              \
  bool CElementInfoChoice##Content##Cardinality::IsOptionalChoiceMember(                          \
      const CXmlGeneratedClass* owner) const {                                                    \
    return ChoiceRule<detail::Content, detail::Cardinality>::IsOptional(*this, owner);            \
  }

#endif  // VXXML_SRC_METADATA_MEMBERS_H
