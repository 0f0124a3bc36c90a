// The content kinds of the element-info family: the constructor each kind
// takes and the fields it keeps. The member classes of ElementInfoSeq.h,
// ElementInfoAll.h and ElementInfoChoice.h are declared from one table per
// model group, one row per class; a row names the group, the content kind and
// the cardinality the class is named by, the constructor shape below and the
// base class:
//
//   VXXML_ELEMENT_INFO_MEMBER(Seq, Prim, Mnd, Prim, CElementInfoSeq);
//   // declares CElementInfoSeqPrimMnd : CElementInfoSeq, constructed as
//   new CElementInfoSeqPrimMnd("qty", "urn:po", 1, false, ItemType_i4, nullptr,
//                              CWhitespaceUtils::WhitespaceRule_Collapse, facets);
//
// What a member does is the rule of its group for its content and
// cardinality; the rules are not part of the interface.
//
// Constructor shapes, after (element name, namespace, property id):
//   Prim            nillable, item type, value format, whitespace rule, facets
//   Enum            nillable, enumeration-to-text and text-to-enumeration functions
//   Cls             child element type, by-id factory, factory type id
//   ClsMustConsume  the same and the group-must-consume flag (CElementInfoSeqClsMnd)
//   ClsRequired     the same and the required flag (CElementInfoAllClsMnd)
//   AbsCls          child element type, by-element factory
//   AbsClsReserved  the same and an int that is stored and has no effect
//                   (CElementInfoAllAbsClsMnd)
//   Untpd           xs:any namespace rule ("##any", "##other", "##local",
//                   "##targetNamespace" or a list), the schema's target
//                   namespace; null texts are stored as ""
//   Col             nothing more
//   ChildCol        child element type (the items' own)
#ifndef VXXML_ELEMENTINFOCONTENT_H
#define VXXML_ELEMENTINFOCONTENT_H

#include <string>

#include "vxxml/Export.h"
#include "vxxml/Metadata.h"

namespace VxXmlLib10 {
namespace detail {
// Reads the fields below for the rules of the groups (library only).
struct ElementInfoAccess;
}  // namespace detail
}  // namespace VxXmlLib10

#define VXXML_ELEMENT_INFO_Prim(Class, Base)                                                     \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId, bool nillable,        \
        VxXmlLib10::ItemType itemType, const char* format,                                       \
        VxXmlLib10::CWhitespaceUtils::WhitespaceRule whitespaceRule,                             \
        const VxXmlLib10::CPrimitiveRestrictions& restrictions)                                  \
      : Base(elementName, namespaceUri, propertyId, nillable, itemType, format, whitespaceRule,  \
             restrictions) {}

#define VXXML_ELEMENT_INFO_Enum(Class, Base)                                                     \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId, bool nillable,        \
        VxXmlLib10Data::EnumToTextFunc toText, VxXmlLib10Data::TextToEnumFunc toEnum)            \
      : Base(elementName, namespaceUri, propertyId, nillable), m_toText(toText),                 \
        m_toEnum(toEnum) {}                                                                      \
  VxXmlLib10Data::EnumToTextFunc GetEnumToText() const { return m_toText; }                      \
  VxXmlLib10Data::TextToEnumFunc GetTextToEnum() const { return m_toEnum; }                      \
                                                                                                 \
 protected:                                                                                      \
  VxXmlLib10Data::EnumToTextFunc m_toText;                                                       \
  VxXmlLib10Data::TextToEnumFunc m_toEnum;

#define VXXML_ELEMENT_INFO_CHILD_FIELDS(Factory)                                                 \
  VxXmlLib10Data::XmlElementType GetChildType() const { return m_childType; }                    \
                                                                                                 \
 protected:                                                                                      \
  VxXmlLib10Data::XmlElementType m_childType;                                                    \
  VxXmlLib10Data::Factory m_factory;

#define VXXML_ELEMENT_INFO_Cls(Class, Base)                                                      \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId,                       \
        VxXmlLib10Data::XmlElementType childType, VxXmlLib10Data::ClassFactoryByIdFunc factory,  \
        int factoryTypeId)                                                                       \
      : Base(elementName, namespaceUri, propertyId), m_childType(childType), m_factory(factory), \
        m_factoryTypeId(factoryTypeId) {}                                                        \
  VXXML_ELEMENT_INFO_CHILD_FIELDS(ClassFactoryByIdFunc)                                          \
  int m_factoryTypeId;

#define VXXML_ELEMENT_INFO_ClsMustConsume(Class, Base)                                           \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId,                       \
        VxXmlLib10Data::XmlElementType childType, VxXmlLib10Data::ClassFactoryByIdFunc factory,  \
        int factoryTypeId, bool groupMustConsume)                                                \
      : Base(elementName, namespaceUri, propertyId), m_childType(childType), m_factory(factory), \
        m_factoryTypeId(factoryTypeId), m_groupMustConsume(groupMustConsume) {}                  \
  VXXML_ELEMENT_INFO_CHILD_FIELDS(ClassFactoryByIdFunc)                                          \
  int m_factoryTypeId;                                                                           \
  bool m_groupMustConsume;

#define VXXML_ELEMENT_INFO_ClsRequired(Class, Base)                                              \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId,                       \
        VxXmlLib10Data::XmlElementType childType, VxXmlLib10Data::ClassFactoryByIdFunc factory,  \
        int factoryTypeId, bool required)                                                        \
      : Base(elementName, namespaceUri, propertyId), m_childType(childType), m_factory(factory), \
        m_factoryTypeId(factoryTypeId), m_required(required) {}                                  \
  VXXML_ELEMENT_INFO_CHILD_FIELDS(ClassFactoryByIdFunc)                                          \
  int m_factoryTypeId;                                                                           \
  bool m_required;

#define VXXML_ELEMENT_INFO_AbsCls(Class, Base)                                                   \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId,                       \
        VxXmlLib10Data::XmlElementType childType,                                                \
        VxXmlLib10Data::ClassFactoryByElementFunc factory)                                       \
      : Base(elementName, namespaceUri, propertyId), m_childType(childType), m_factory(factory) {} \
  VXXML_ELEMENT_INFO_CHILD_FIELDS(ClassFactoryByElementFunc)

#define VXXML_ELEMENT_INFO_AbsClsReserved(Class, Base)                                           \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId,                       \
        VxXmlLib10Data::XmlElementType childType,                                                \
        VxXmlLib10Data::ClassFactoryByElementFunc factory, int reserved)                         \
      : Base(elementName, namespaceUri, propertyId), m_childType(childType), m_factory(factory), \
        m_reserved(reserved) {}                                                                  \
  VXXML_ELEMENT_INFO_CHILD_FIELDS(ClassFactoryByElementFunc)                                     \
  int m_reserved;

#define VXXML_ELEMENT_INFO_Untpd(Class, Base)                                                    \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId,                       \
        const char* namespaceRestriction, const char* targetNamespace)                           \
      : Base(elementName, namespaceUri, propertyId),                                             \
        m_restriction(namespaceRestriction ? namespaceRestriction : ""),                         \
        m_targetNamespace(targetNamespace ? targetNamespace : "") {}                             \
  const std::string& GetNamespaceRestriction() const { return m_restriction; }                   \
  const std::string& GetRestrictionTargetNamespace() const { return m_targetNamespace; }         \
                                                                                                 \
 protected:                                                                                      \
  std::string m_restriction;                                                                     \
  std::string m_targetNamespace;

#define VXXML_ELEMENT_INFO_Col(Class, Base) \
 public:                                    \
  using Base::Base;

#define VXXML_ELEMENT_INFO_ChildCol(Class, Base)                                                 \
 public:                                                                                         \
  Class(const char* elementName, const char* namespaceUri, int propertyId,                       \
        VxXmlLib10Data::XmlElementType childType)                                                \
      : Base(elementName, namespaceUri, propertyId), m_childType(childType) {}                   \
  VxXmlLib10Data::XmlElementType GetChildType() const { return m_childType; }                    \
                                                                                                 \
 protected:                                                                                      \
  VxXmlLib10Data::XmlElementType m_childType;

// Declares CElementInfo + Group + Content + Cardinality over Base, with the
// constructor Shape above. Every member writes and reads itself and writes
// the attributes of a pseudo-element child; a member of an all group also
// judges its absence (Validate), an alternative of a choice whether it lets
// the choice be empty (IsOptionalChoiceMember).
#define VXXML_ELEMENT_INFO_MEMBER(Group, Content, Cardinality, Shape, Base)                     \
  class VXXML_API CElementInfo##Group##Content##Cardinality : public Base {                      \
    VXXML_ELEMENT_INFO_##Shape(CElementInfo##Group##Content##Cardinality, Base)                  \
                                                                                                 \
   public:                                                                                       \
    ~CElementInfo##Group##Content##Cardinality() override;                                       \
    bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,                       \
                      const VxXmlLib10::CXmlGeneratedClass* owner,                               \
                      VxXmlLib10::CXmlWriter* writer) const override;                            \
    void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,          \
                                   const VxXmlLib10::CXmlGeneratedClass* owner,                  \
                                   VxXmlLib10::CXmlWriter* writer) const override;               \
    bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,                     \
                        VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,  \
                        VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,    \
                        XmlElementType ownerType) override;                                      \
    VXXML_ELEMENT_INFO_GROUP_##Group                                                             \
                                                                                                 \
   private:                                                                                      \
    friend struct VxXmlLib10::detail::ElementInfoAccess;                                         \
  }

#define VXXML_ELEMENT_INFO_GROUP_Seq
#define VXXML_ELEMENT_INFO_GROUP_All                                                  \
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,                \
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,            \
                bool ownerIsElement) const override;
#define VXXML_ELEMENT_INFO_GROUP_Choice \
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;

#endif  // VXXML_ELEMENTINFOCONTENT_H
