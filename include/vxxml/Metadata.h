// The static metadata through which a generated class describes itself: one
// CParentElementInfo for the class, a null-terminated array of CElementInfo
// pointers (its child elements, in schema order) and one of CAttributeInfo
// pointers (its attributes). The class writer and reader walk these arrays
// and let each info write, read or validate its own member; an info reaches
// the instance only through the class's property accessor, by property id.
//
// The infos are immutable after construction and shared by every instance and
// thread. Generated code builds them once, under CXmlGeneratedClass::m_csInit,
// and may release them with CXmlGeneratedClass::CleanMetaData:
//
//   static CParentElementInfo* s_info;
//   static CElementInfo** s_elements;
//   static CAttributeInfo** s_attributes;
//   ...
//   std::lock_guard<CVXCriticalSection> lock(CXmlGeneratedClass::m_csInit);
//   if (!s_info) {
//     s_elements = new CElementInfo*[2]{new CElementInfoSeqPrimMnd(...), nullptr};
//     s_attributes = new CAttributeInfo*[1]{nullptr};
//     s_info = new CParentElementInfo(XmlElementGroupType_Sequence,
//                                     XmlElementType_Element, "PersonType", "urn:p",
//                                     true, true, -1, ItemType_none, nullptr, false);
//   }
//
// The concrete element infos are named CElementInfo + group (Seq, All,
// Choice) + content (Prim, Enum, Cls, AbsCls, Untpd, Non) + cardinality (Mnd,
// Opt, Col); they are declared from one table per model group
// (ElementInfoSeq.h, ElementInfoAll.h, ElementInfoChoice.h, with the
// constructor shapes of ElementInfoContent.h) and built on the shared
// operations declared here.
#ifndef VXXML_METADATA_H
#define VXXML_METADATA_H

#include <string>

#include "vxxml/Export.h"
#include "vxxml/ItemType.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Restrictions.h"
#include "vxxml/Whitespace.h"

namespace VxXmlLib10 {
class CXmlAttribute;
class CXmlElement;
class CXmlGeneratedClass;
class CXmlSerializationContext;
class CXmlWriter;
class VxVariant;
}  // namespace VxXmlLib10

namespace VxXmlLib10Data {

/// The model group of a class's children. Stored as int, so that any value
/// generated code passes is representable (others are refused when used).
enum XmlElementGroupType : int {
  XmlElementGroupType_Sequence = 0,  ///< written and read in array order
  XmlElementGroupType_Choice = 1,    ///< exactly one child is present
  XmlElementGroupType_All = 2        ///< any order, each at most once
};

/// Whether a class has an element of its own.
enum XmlElementType : int {
  XmlElementType_Element = 0,       ///< start tag, attributes, content, end tag
  XmlElementType_PseudoElement = 1  ///< a tagless group: content and attributes
                                    ///< belong to the enclosing element
};

/// Turns an enumeration value into its text.
typedef std::string (*EnumToTextFunc)(int value);
/// Turns a text into an enumeration value; unknown texts are its own affair.
typedef int (*TextToEnumFunc)(const char* text);
/// Creates a new child object from the factory type id and the element name.
typedef VxXmlLib10::CSmartPtr<VxXmlLib10::CXmlObjectBase> (*ClassFactoryByIdFunc)(
    int typeId, const char* elementName);
/// Creates a new object of the class the element stands for (by its name or
/// its xsi:type), or returns null when no class fits.
typedef VxXmlLib10::CSmartPtr<VxXmlLib10::CXmlObjectBase> (*ClassFactoryByElementFunc)(
    VxXmlLib10::CXmlElement* element);

/// Describes a generated class itself. Holds data only.
class VXXML_API CParentElementInfo {
 public:
  /// `elementName` and `namespaceUri` name the class's schema type. A
  /// `valuePropertyId` of -1 or a `valueItemType` of ItemType_none means the
  /// element has no simple value of its own. Null texts are stored as "".
  CParentElementInfo(XmlElementGroupType groupType, XmlElementType elementType,
                     const char* elementName, const char* namespaceUri,
                     bool rejectUnknownAttributes, bool writeTypeAttribute, int valuePropertyId,
                     VxXmlLib10::ItemType valueItemType, const char* valueFormat, bool rawText);
  virtual ~CParentElementInfo();
  CParentElementInfo(const CParentElementInfo&) = delete;
  CParentElementInfo& operator=(const CParentElementInfo&) = delete;

  XmlElementGroupType GetGroupType() const { return m_groupType; }
  XmlElementType GetElementType() const { return m_elementType; }
  /// The schema type's name and namespace.
  const std::string& GetElementName() const { return m_elementName; }
  const std::string& GetNamespaceURI() const { return m_namespaceURI; }
  /// An attribute no info accepts is an error (unless the context ignores it).
  bool GetRejectUnknownAttributes() const { return m_rejectUnknownAttributes; }
  /// xsi:type is written when the object's element name differs from the
  /// type name (and the context asks for type attributes).
  bool GetWriteTypeAttribute() const { return m_writeTypeAttribute; }
  int GetValuePropertyId() const { return m_valuePropertyId; }
  VxXmlLib10::ItemType GetValueItemType() const { return m_valueItemType; }
  const std::string& GetValueFormat() const { return m_valueFormat; }
  /// The body text is stored unconverted, as a string.
  bool GetRawText() const { return m_rawText; }
  /// True when the element has a simple value of its own.
  bool HasValue() const {
    return m_valuePropertyId != -1 && m_valueItemType != VxXmlLib10::ItemType_none;
  }

 private:
  XmlElementGroupType m_groupType;
  XmlElementType m_elementType;
  std::string m_elementName;
  std::string m_namespaceURI;
  bool m_rejectUnknownAttributes;
  bool m_writeTypeAttribute;
  int m_valuePropertyId;
  VxXmlLib10::ItemType m_valueItemType;
  std::string m_valueFormat;
  bool m_rawText;
};

/// Base of the element-info family: one child element of a generated class.
///
/// Failures raised by the shared operations:
///   "Cannot CheckRestriction for type: <type name>"            CVxException
///   "Invalid use of 'nil' attibute in non-nillable element [%s]" CVxValidationException
///   "Unexpected Value [%s] for 'nil' Attribute found."         CVxValidationException
class VXXML_API CElementInfo {
 public:
  /// Not nillable, no simple-type information.
  CElementInfo(const char* elementName, const char* namespaceUri, int propertyId);
  CElementInfo(const char* elementName, const char* namespaceUri, int propertyId,
               bool nillable);
  /// With simple-type information (the facet set is copied); `format` may be
  /// null.
  CElementInfo(const char* elementName, const char* namespaceUri, int propertyId, bool nillable,
               VxXmlLib10::ItemType itemType, const char* format,
               VxXmlLib10::CWhitespaceUtils::WhitespaceRule whitespaceRule,
               const VxXmlLib10::CPrimitiveRestrictions& restrictions);
  virtual ~CElementInfo();
  CElementInfo(const CElementInfo&) = delete;
  CElementInfo& operator=(const CElementInfo&) = delete;

  /// Writes this child of the owner; true when something was written.
  virtual bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                            const VxXmlLib10::CXmlGeneratedClass* owner,
                            VxXmlLib10::CXmlWriter* writer) const = 0;
  /// Reads this child starting at *current and moves *current past what it
  /// consumed. `ownerNamespace` is the owner's GetNamespace(); `ownerType` the
  /// element type of the class that owns the info array.
  virtual bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                              VxXmlLib10::CXmlGeneratedClass* owner,
                              VxXmlLib10::CXmlElement* parent,
                              VxXmlLib10::CXmlElement** current,
                              const std::string& ownerNamespace, XmlElementType ownerType) = 0;
  /// Final check of an all-group member.
  virtual bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                        const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                        bool ownerIsElement) const = 0;
  /// Writes the attributes of a pseudo-element child onto the enclosing start
  /// tag. The base writes nothing.
  virtual void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                         const VxXmlLib10::CXmlGeneratedClass* owner,
                                         VxXmlLib10::CXmlWriter* writer) const;
  /// True when this member lets its choice be empty: the optional choice
  /// members, and the choice collection members whose collection has a
  /// minimum occurrence of 0. The base answers false.
  virtual bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const;

  const std::string& GetElementName() const { return m_elementName; }
  const std::string& GetNamespaceURI() const { return m_namespaceURI; }
  int GetPropertyId() const { return m_propertyId; }
  const VxXmlLib10::CPrimitiveRestrictions& GetRestrictions() const { return m_restrictions; }
  VxXmlLib10::ItemType GetItemType() const { return m_itemType; }
  const std::string& GetFormat() const { return m_format; }
  VxXmlLib10::CWhitespaceUtils::WhitespaceRule GetWhitespaceRule() const {
    return m_whitespaceRule;
  }
  bool IsNillable() const { return m_nillable; }
  bool HasSimpleTypeInfo() const { return m_hasSimpleTypeInfo; }

  /// The owner's accessor with this info's property id.
  void AccessProperty(VxXmlLib10::CXmlGeneratedClass* owner, bool read,
                      VxXmlLib10::VxVariant& value) const;
  void ReadProperty(const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::VxVariant& value) const;
  /// The child's FromXml_Int; returns the first element it did not consume.
  VxXmlLib10::CXmlElement* FromXml_Int(VxXmlLib10::CXmlObjectBase* child,
                                       VxXmlLib10::CXmlElement* parent,
                                       VxXmlLib10::CXmlElement* current,
                                       const VxXmlLib10::CXmlSerializationContext& context,
                                       bool emptyChoiceAllowed) const;
  /// The child's AttributesToXml_Int.
  void AttributesToXml_Int(const VxXmlLib10::CXmlObjectBase* child,
                           VxXmlLib10::CXmlWriter* writer,
                           const VxXmlLib10::CXmlSerializationContext& context) const;
  /// The attributes of a pseudo-element child, written onto the owner's start
  /// tag: those of the child object the property holds. Nothing when
  /// `childType` is XmlElementType_Element or the property holds no object.
  void ChildObjectAttributesToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                  const VxXmlLib10::CXmlGeneratedClass* owner,
                                  VxXmlLib10::CXmlWriter* writer, XmlElementType childType) const;
  /// The same with the collection the property holds.
  void ChildCollectionAttributesToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                      const VxXmlLib10::CXmlGeneratedClass* owner,
                                      VxXmlLib10::CXmlWriter* writer,
                                      XmlElementType childType) const;

  /// True when the element is non-null, has this info's local name and
  /// (unless the context ignores namespaces) this info's namespace URI.
  bool IsThisElement(const VxXmlLib10::CXmlSerializationContext& context,
                     const VxXmlLib10::CXmlElement* element) const;

  // The four writing shapes; each returns true when it wrote something.
  /// A simple value: nothing when absent, an empty element with xsi:nil when
  /// nil (no facet check), else the facet check and the value's text.
  bool ElementToXmlPrim(const VxXmlLib10::CXmlSerializationContext& context,
                        const VxXmlLib10::CXmlGeneratedClass* owner,
                        VxXmlLib10::CXmlWriter* writer) const;
  /// An enumerated value (held as a 32-bit integer) through `toText`, written
  /// as a string; no facet check.
  bool ElementToXmlEnum(const VxXmlLib10::CXmlSerializationContext& context,
                        const VxXmlLib10::CXmlGeneratedClass* owner,
                        VxXmlLib10::CXmlWriter* writer, EnumToTextFunc toText) const;
  /// A child object, written under its own element name in this info's
  /// namespace; nothing when the property holds none.
  bool ElementToXmlCls(const VxXmlLib10::CXmlSerializationContext& context,
                       const VxXmlLib10::CXmlGeneratedClass* owner,
                       VxXmlLib10::CXmlWriter* writer, bool emptyChoiceAllowed) const;
  /// A collection; nothing when the property holds none or an empty one.
  bool ElementToXmlCol(const VxXmlLib10::CXmlSerializationContext& context,
                       const VxXmlLib10::CXmlGeneratedClass* owner,
                       VxXmlLib10::CXmlWriter* writer) const;

  /// True when the property holds a collection whose minimum occurrence is 0
  /// (the answer of a choice collection member to IsOptionalChoiceMember).
  bool IsCollectionOptional(const VxXmlLib10::CXmlGeneratedClass* owner) const;

  // The reading side of simple members: the xsi:nil rules, then the text
  // conversion, then the property write. No facet check is made.
  /// The element's text through VxVariant::FromString with this info's item
  /// type and whitespace rule, or nil.
  void ElementFromXmlPrim(const VxXmlLib10::CXmlSerializationContext& context,
                          VxXmlLib10::CXmlGeneratedClass* owner,
                          const VxXmlLib10::CXmlElement* element) const;
  /// The element's raw text through `toEnum`, stored with SetI4, or nil.
  void ElementFromXmlEnum(const VxXmlLib10::CXmlSerializationContext& context,
                          VxXmlLib10::CXmlGeneratedClass* owner,
                          const VxXmlLib10::CXmlElement* element, TextToEnumFunc toEnum) const;
  /// The xsi:nil rules alone: true when the element is nil; throws the two
  /// nil messages.
  bool IsElementNil(const VxXmlLib10::CXmlElement* element) const;

  /// Checks the value against this info's facets (CXmlObjectHelper::
  /// CheckRestriction); without simple-type information throws
  /// "Cannot CheckRestriction for type: " and the variant's type name.
  void CheckRestriction(const VxXmlLib10::VxVariant& value) const;

  /// The namespace a new untyped element starts with, from an xs:any
  /// namespace restriction: "##any" the owner namespace; "##other" "" (or
  /// "DefaultNamespace" when the owner namespace is empty); "##local" "";
  /// "##targetNamespace" the target namespace; a space-separated list that
  /// starts with "##" the result for its first token; anything else "".
  static std::string GetAnyDefaultNamespace(const std::string& restriction,
                                            const std::string& ownerNamespace,
                                            const std::string& targetNamespace);

 protected:
  std::string m_elementName;  ///< "AnyElement" for untyped members: any name
  std::string m_namespaceURI;
  int m_propertyId;
  VxXmlLib10::CPrimitiveRestrictions m_restrictions;
  VxXmlLib10::ItemType m_itemType;
  std::string m_format;
  VxXmlLib10::CWhitespaceUtils::WhitespaceRule m_whitespaceRule;
  bool m_nillable;
  bool m_hasSimpleTypeInfo;
  bool m_nameChecked;  ///< m_elementName, as made, is an ASCII NCName
};

/// Base of the attribute-info family: one attribute of a generated class.
class VXXML_API CAttributeInfo {
 public:
  /// A null default value is stored as "".
  CAttributeInfo(const char* attributeName, const char* namespaceUri, int propertyId,
                 bool optional, const char* defaultValue);
  virtual ~CAttributeInfo();
  CAttributeInfo(const CAttributeInfo&) = delete;
  CAttributeInfo& operator=(const CAttributeInfo&) = delete;

  /// Writes the owner's attribute (zero or more for wildcards).
  virtual void AttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                              const VxXmlLib10::CXmlGeneratedClass* owner,
                              VxXmlLib10::CXmlWriter* writer) const = 0;
  /// True when the attribute was recognised and stored.
  virtual bool AttributeFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                                VxXmlLib10::CXmlGeneratedClass* owner,
                                const VxXmlLib10::CXmlAttribute* attribute) = 0;
  /// Throws when a required attribute was not found.
  virtual void Validate(const VxXmlLib10::CXmlSerializationContext& context,
                        bool found) const = 0;

  const std::string& GetAttributeName() const { return m_attributeName; }
  const std::string& GetNamespaceURI() const { return m_namespaceURI; }
  int GetPropertyId() const { return m_propertyId; }
  bool IsOptional() const { return m_optional; }
  const std::string& GetDefaultValue() const { return m_defaultValue; }

  /// The owner's accessor with this info's property id.
  void AccessProperty(VxXmlLib10::CXmlGeneratedClass* owner, bool read,
                      VxXmlLib10::VxVariant& value) const;
  void ReadProperty(const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::VxVariant& value) const;
  /// True when the attribute is non-null, has this info's local name and
  /// (unless the context ignores namespaces) this info's namespace URI.
  bool IsThisAttribute(const VxXmlLib10::CXmlSerializationContext& context,
                       const VxXmlLib10::CXmlAttribute* attribute) const;
  /// CXmlObjectHelper::TestNamespace: true, or throws CVxInvalidNamespaceException.
  bool TestNamespace(const std::string& namespaceUri, const std::string& rule,
                     const std::string& targetNamespace) const;
  /// CXmlObjectHelper::IsNamespaceValid.
  bool IsNamespaceValid(const std::string& namespaceUri, const std::string& rule,
                        const std::string& targetNamespace) const;
  /// The object's GetTargetNamespace().
  std::string GetTargetNamespace(const VxXmlLib10::CXmlObjectBase* object) const;
  /// The object's ToXml_Int, with emptyChoiceAllowed false.
  void ToXml_Int(const VxXmlLib10::CXmlObjectBase* object, VxXmlLib10::CXmlWriter* writer,
                 bool isDocumentRoot, const char* namespaceUri,
                 const VxXmlLib10::CXmlSerializationContext& context) const;

 protected:
  std::string m_attributeName;
  std::string m_namespaceURI;
  int m_propertyId;
  bool m_optional;
  std::string m_defaultValue;
  bool m_nameChecked;  ///< m_attributeName, as made, is an ASCII NCName
};

}  // namespace VxXmlLib10Data

#endif  // VXXML_METADATA_H
