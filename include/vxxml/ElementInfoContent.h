// The content kinds of the element-info family, shared by the three model
// groups. Each template adds to a group base (CElementInfoSeq,
// CElementInfoAll, CElementInfoChoice, or a group's collection base) the
// fields its content kind carries and the writing that is the same in every
// group; the members in ElementInfoSeq.h, ElementInfoAll.h and
// ElementInfoChoice.h add the reading of their group:
//
//   class CElementInfoSeqPrimMnd : public CElementInfoPrimContent<CElementInfoSeq> {
//    public:
//     using CElementInfoPrimContent::CElementInfoPrimContent;
//     bool ElementFromXml(...) override;
//   };
//
// The templates add no virtual operation of their own: they only override
// those of CElementInfo.
#ifndef VXXML_ELEMENTINFOCONTENT_H
#define VXXML_ELEMENTINFOCONTENT_H

#include <string>

#include "vxxml/Export.h"
#include "vxxml/Metadata.h"

namespace VxXmlLib10Data {

/// A simple value (Prim): written with ElementToXmlPrim.
template <class Group>
class VXXML_API CElementInfoPrimContent : public Group {
 public:
  CElementInfoPrimContent(const char* elementName, const char* namespaceUri, int propertyId,
                          bool nillable, VxXmlLib10::ItemType itemType, const char* format,
                          VxXmlLib10::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                          const VxXmlLib10::CPrimitiveRestrictions& restrictions)
      : Group(elementName, namespaceUri, propertyId, nillable, itemType, format, whitespaceRule,
              restrictions) {}

  bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                    const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::CXmlWriter* writer) const override {
    return this->ElementToXmlPrim(context, owner, writer);
  }
};

/// An enumerated value (Enum), held as a 32-bit integer: written with
/// ElementToXmlEnum through `toText`, read through `toEnum`.
template <class Group>
class VXXML_API CElementInfoEnumContent : public Group {
 public:
  CElementInfoEnumContent(const char* elementName, const char* namespaceUri, int propertyId,
                          bool nillable, EnumToTextFunc toText, TextToEnumFunc toEnum)
      : Group(elementName, namespaceUri, propertyId, nillable),
        m_toText(toText),
        m_toEnum(toEnum) {}

  bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                    const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::CXmlWriter* writer) const override {
    return this->ElementToXmlEnum(context, owner, writer, m_toText);
  }

  EnumToTextFunc GetEnumToText() const { return m_toText; }
  TextToEnumFunc GetTextToEnum() const { return m_toEnum; }

 protected:
  EnumToTextFunc m_toText;
  TextToEnumFunc m_toEnum;
};

/// A child object (the base of Cls and AbsCls): written with ElementToXmlCls
/// (no empty choice allowed); when the child is a pseudo element, its
/// attributes go onto the owner's start tag.
template <class Group>
class VXXML_API CElementInfoChildContent : public Group {
 public:
  CElementInfoChildContent(const char* elementName, const char* namespaceUri, int propertyId,
                           XmlElementType childType)
      : Group(elementName, namespaceUri, propertyId), m_childType(childType) {}

  bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                    const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::CXmlWriter* writer) const override {
    return this->ElementToXmlCls(context, owner, writer, false);
  }
  /// The child object's attributes, when the child is a pseudo element.
  void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                 const VxXmlLib10::CXmlGeneratedClass* owner,
                                 VxXmlLib10::CXmlWriter* writer) const override {
    this->ChildObjectAttributesToXml(context, owner, writer, m_childType);
  }

  XmlElementType GetChildType() const { return m_childType; }

 protected:
  XmlElementType m_childType;
};

/// A child object of a concrete class (Cls), made by the by-id factory.
template <class Group>
class VXXML_API CElementInfoClsContent : public CElementInfoChildContent<Group> {
 public:
  CElementInfoClsContent(const char* elementName, const char* namespaceUri, int propertyId,
                         XmlElementType childType, ClassFactoryByIdFunc factory,
                         int factoryTypeId)
      : CElementInfoChildContent<Group>(elementName, namespaceUri, propertyId, childType),
        m_factory(factory),
        m_factoryTypeId(factoryTypeId) {}

 protected:
  /// A new child from the factory (type id, element name); null when there
  /// is no factory or it makes none.
  VxXmlLib10::CSmartPtr<VxXmlLib10::CXmlObjectBase> NewChild() const {
    if (!m_factory) return VxXmlLib10::CSmartPtr<VxXmlLib10::CXmlObjectBase>();
    return m_factory(m_factoryTypeId, this->m_elementName.c_str());
  }

  ClassFactoryByIdFunc m_factory;
  int m_factoryTypeId;
};

/// A child object of an abstract type or substitution-group head (AbsCls):
/// the by-element factory chooses the class from the element met.
template <class Group>
class VXXML_API CElementInfoAbsClsContent : public CElementInfoChildContent<Group> {
 public:
  CElementInfoAbsClsContent(const char* elementName, const char* namespaceUri, int propertyId,
                            XmlElementType childType, ClassFactoryByElementFunc factory)
      : CElementInfoChildContent<Group>(elementName, namespaceUri, propertyId, childType),
        m_factory(factory) {}

 protected:
  /// A new object for `element`; null when there is no factory or no class
  /// fits.
  VxXmlLib10::CSmartPtr<VxXmlLib10::CXmlObjectBase> NewChild(
      VxXmlLib10::CXmlElement* element) const {
    if (!m_factory) return VxXmlLib10::CSmartPtr<VxXmlLib10::CXmlObjectBase>();
    return m_factory(element);
  }

  ClassFactoryByElementFunc m_factory;
};

/// Untyped content (Untpd, xs:any) held as a CElement: written with
/// ElementToXmlCls (no empty choice allowed). `namespaceRestriction` is the
/// xs:any namespace rule ("##any", "##other", "##local",
/// "##targetNamespace" or a list), `targetNamespace` the schema's; null
/// texts are stored as "".
template <class Group>
class VXXML_API CElementInfoUntpdContent : public Group {
 public:
  CElementInfoUntpdContent(const char* elementName, const char* namespaceUri, int propertyId,
                           const char* namespaceRestriction, const char* targetNamespace)
      : Group(elementName, namespaceUri, propertyId),
        m_restriction(namespaceRestriction ? namespaceRestriction : ""),
        m_targetNamespace(targetNamespace ? targetNamespace : "") {}

  bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                    const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::CXmlWriter* writer) const override {
    return this->ElementToXmlCls(context, owner, writer, false);
  }

  const std::string& GetNamespaceRestriction() const { return m_restriction; }
  const std::string& GetRestrictionTargetNamespace() const { return m_targetNamespace; }

 protected:
  std::string m_restriction;
  std::string m_targetNamespace;
};

/// A collection of child objects (ClsCol, AbsClsCol) over a group's
/// collection base: when the items are pseudo elements, the collection's
/// attributes go onto the owner's start tag.
template <class GroupCol>
class VXXML_API CElementInfoChildColContent : public GroupCol {
 public:
  CElementInfoChildColContent(const char* elementName, const char* namespaceUri, int propertyId,
                              XmlElementType childType)
      : GroupCol(elementName, namespaceUri, propertyId), m_childType(childType) {}

  /// The collection's attributes, when its items are pseudo elements.
  void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                 const VxXmlLib10::CXmlGeneratedClass* owner,
                                 VxXmlLib10::CXmlWriter* writer) const override {
    this->ChildCollectionAttributesToXml(context, owner, writer, m_childType);
  }

  XmlElementType GetChildType() const { return m_childType; }

 protected:
  XmlElementType m_childType;
};

}  // namespace VxXmlLib10Data

#endif  // VXXML_ELEMENTINFOCONTENT_H
