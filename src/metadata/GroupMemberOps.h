// Small steps shared by the model-group members (sequence, all group and
// choice): what a member fetches from and stores into its owner, the cursor
// move, the read of a simple value, of a child element and of untyped content,
// and the counted write of a collection.
#ifndef VXXML_SRC_METADATA_GROUPMEMBEROPS_H
#define VXXML_SRC_METADATA_GROUPMEMBEROPS_H

#include <string>

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

// The name an untyped member takes any local name under.
inline bool IsAnyElementName(const std::string& name) { return name == "AnyElement"; }

// Moves the cursor to the next sibling element.
inline void Advance(CXmlElement** current) { *current = (*current)->GetNextSiblingElement(); }

// The object the member's property holds, or null.
inline CSmartPtr<CXmlObjectBase> FetchObject(const VxXmlLib10Data::CElementInfo& info,
                                             const CXmlGeneratedClass* owner) {
  VxVariant value;
  info.ReadProperty(owner, value);
  if (value.GetItemType() != ItemType_xmlObject) return CSmartPtr<CXmlObjectBase>();
  return value.GetXmlObject();
}

// The collection the member's property holds, or null.
inline CSmartPtr<CXmlCollectionBase> FetchCollection(const VxXmlLib10Data::CElementInfo& info,
                                                     const CXmlGeneratedClass* owner) {
  VxVariant value;
  info.ReadProperty(owner, value);
  if (value.GetItemType() != ItemType_xmlCollection) return CSmartPtr<CXmlCollectionBase>();
  return value.GetXmlCollection();
}

// Stores an object reference (null for an empty one) in the member's property.
inline void StoreObject(const VxXmlLib10Data::CElementInfo& info, CXmlGeneratedClass* owner,
                        CXmlObjectBase* object) {
  VxVariant value;
  value.SetXmlObject(object);
  info.AccessProperty(owner, false, value);
}

// The value of a simple member: the xsi:nil rules, the text conversion, the
// property write.
template <class Group>
void ReadValue(const VxXmlLib10Data::CElementInfoPrimContent<Group>& info,
               const CXmlSerializationContext& context, CXmlGeneratedClass* owner,
               const CXmlElement* element) {
  info.ElementFromXmlPrim(context, owner, element);
}

template <class Group>
void ReadValue(const VxXmlLib10Data::CElementInfoEnumContent<Group>& info,
               const CXmlSerializationContext& context, CXmlGeneratedClass* owner,
               const CXmlElement* element) {
  info.ElementFromXmlEnum(context, owner, element, info.GetTextToEnum());
}

// Reads the current element as the member's value when it is the member's
// own, and moves past it; false, consuming nothing, otherwise.
template <class Info>
bool ReadValueAtCursor(const Info& info, const CXmlSerializationContext& context,
                       CXmlGeneratedClass* owner, CXmlElement** current) {
  if (!info.IsThisElement(context, *current)) return false;
  ReadValue(info, context, owner, *current);
  Advance(current);
  return true;
}

// An element child reads the element's own children; returns the element
// after it.
inline CXmlElement* ReadElementChild(const VxXmlLib10Data::CElementInfo& info,
                                     CXmlObjectBase* child,
                                     const CXmlSerializationContext& context,
                                     CXmlElement* element, bool emptyChoiceAllowed) {
  info.FromXml_Int(child, element, element->GetFirstElement(), context, emptyChoiceAllowed);
  return element->GetNextSiblingElement();
}

// A new untyped element for the member: its name, the default namespace of
// its restriction (see GetAnyDefaultNamespace), its restriction and target
// namespace.
template <class Group>
CSmartPtr<CElement> NewUntypedElement(const VxXmlLib10Data::CElementInfoUntpdContent<Group>& info,
                                      const std::string& ownerNamespace) {
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
inline CXmlElement* ReadUntyped(const VxXmlLib10Data::CElementInfo& info, CElement* element,
                                const CXmlSerializationContext& context, CXmlElement* parent,
                                CXmlElement* current) {
  if (!IsAnyElementName(info.GetElementName()) &&
      info.GetElementName() != current->GetLocalName())
    return current;
  return info.FromXml_Int(element, parent, current, context, false);
}

// A run of untyped elements: any name for "AnyElement", otherwise only the
// member's own name (in the current element's namespace).
inline CXmlElement* ReadUntypedRun(const VxXmlLib10Data::CElementInfo& info,
                                   CXmlCollectionBase* collection,
                                   const CXmlSerializationContext& context, CXmlElement* parent,
                                   CXmlElement* current) {
  CElementCol* elements = dynamic_cast<CElementCol*>(collection);
  if (!elements || IsAnyElementName(info.GetElementName()))
    return info.FromXml_Int(collection, parent, current, context, false);
  return elements->FromXmlLockElementName_Int(info.GetElementName(),
                                              current ? current->GetNamespaceURI() : "", parent,
                                              current, context);
}

// The write of a sequence or all collection member: the collection's count
// is checked first, unless the context ignores invalid counts.
inline bool WriteCountedCollection(const VxXmlLib10Data::CElementInfo& info,
                                   const CXmlSerializationContext& context,
                                   const CXmlGeneratedClass* owner, CXmlWriter* writer) {
  if (!context.GetIgnoreInvalidCollectionCounts()) {
    CSmartPtr<CXmlCollectionBase> collection = FetchCollection(info, owner);
    if (!collection.IsNull()) collection->ValidateCount(context);
  }
  return info.ElementToXmlCol(context, owner, writer);
}

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_METADATA_GROUPMEMBEROPS_H
