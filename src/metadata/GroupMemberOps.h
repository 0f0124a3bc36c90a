// Small steps shared by the model-group members (sequence, all group and
// choice): what a member fetches from and stores into its owner, the cursor move, the
// attributes of pseudo-element children and the read of an untyped run.
#ifndef VXXML_SRC_METADATA_GROUPMEMBEROPS_H
#define VXXML_SRC_METADATA_GROUPMEMBEROPS_H

#include <string>

#include "vxxml/Collection.h"
#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"
#include "vxxml/ObjectBase.h"
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

// The attributes of the child object (or collection) of a pseudo-element
// child land on the owner's start tag.
inline void WritePseudoChildAttributes(const VxXmlLib10Data::CElementInfo& info,
                                       VxXmlLib10Data::XmlElementType childType,
                                       const CXmlSerializationContext& context,
                                       const CXmlGeneratedClass* owner, CXmlWriter* writer) {
  if (childType != VxXmlLib10Data::XmlElementType_PseudoElement) return;
  CSmartPtr<CXmlObjectBase> child = FetchObject(info, owner);
  if (!child.IsNull()) info.AttributesToXml_Int(child.Get(), writer, context);
}

inline void WritePseudoCollectionAttributes(const VxXmlLib10Data::CElementInfo& info,
                                            VxXmlLib10Data::XmlElementType childType,
                                            const CXmlSerializationContext& context,
                                            const CXmlGeneratedClass* owner,
                                            CXmlWriter* writer) {
  if (childType != VxXmlLib10Data::XmlElementType_PseudoElement) return;
  CSmartPtr<CXmlCollectionBase> collection = FetchCollection(info, owner);
  if (!collection.IsNull()) info.AttributesToXml_Int(collection.Get(), writer, context);
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

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_METADATA_GROUPMEMBEROPS_H
