// The attribute infos generated code lists in its null-terminated
// CAttributeInfo array: a simple-typed attribute, an enumerated attribute and
// an attribute wildcard (xs:anyAttribute).
//
// The class writer calls AttributeToXml on every info in array order right
// after the start tag. The class reader offers each attribute of the element
// to the infos in array order until one accepts it (AttributeFromXml returns
// true), then calls Validate on every info with whether it accepted anything.
// A wildcard placed before a named info therefore takes every attribute its
// namespace rule admits.
//
//   s_attributes = new CAttributeInfo*[3]{
//       new CAttributeInfoPrimitive("partNum", "", 2, false, ItemType_string, nullptr,
//                                   CWhitespaceUtils::WhitespaceRule_Preserve,
//                                   CPrimitiveRestrictions("\\d{3}-[A-Z]{2}", -1, -1, "", "",
//                                                          "", "", -1),
//                                   nullptr),
//       new CAttributeInfoAny("AnyAttribute", "", 3, true, "##other", "urn:po", nullptr),
//       nullptr};
//
// The property behind a primitive or enumerated info holds a simple value (an
// invalid variant means absent; an enumeration is held as an i4); the one
// behind a wildcard holds the CAttributeCol.
//
// Failures:
//   CVxValidationException "Failed to find the required Attribute [%s]"
//     (Validate: a required primitive or enumerated attribute was missing)
//   CVxException "Serialization Data Error : The collection should be a
//     CAttributeCol, it was not!" (a wildcard's property holds no CAttributeCol)
//   the facet messages of CXmlObjectHelper (writing a primitive attribute)
//   the conversion messages of VxVariant and CConversions (text that does not
//   convert on reading; a required value that is absent on writing)
#ifndef VXXML_ATTRIBUTEINFOS_H
#define VXXML_ATTRIBUTEINFOS_H

#include <string>

#include "vxxml/Export.h"
#include "vxxml/ItemType.h"
#include "vxxml/Metadata.h"
#include "vxxml/Restrictions.h"
#include "vxxml/Whitespace.h"

namespace VxXmlLib10Data {

/// A simple-typed attribute.
///
/// Writing: nothing when optional and absent; otherwise the value's text with
/// the value format, left out when optional, equal byte for byte to a
/// non-empty default and the context's NoOptionalAttributeDefaultOutput is
/// set; facets are checked before the attribute is written.
/// Reading: accepts an attribute whose local name and namespace URI equal the
/// info's byte for byte (the context's IgnoreNamespaces is not consulted),
/// converts its value with the item type and whitespace rule and stores it
/// unchecked.
class VXXML_API CAttributeInfoPrimitive : public CAttributeInfo {
 public:
  /// `format` and `defaultValue` may be null (stored as ""); the facet set is
  /// copied. The default is compared with the text the value writes as.
  CAttributeInfoPrimitive(const char* attributeName, const char* namespaceUri, int propertyId,
                          bool optional, VxXmlLib10::ItemType itemType, const char* format,
                          VxXmlLib10::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                          const VxXmlLib10::CPrimitiveRestrictions& restrictions,
                          const char* defaultValue);
  ~CAttributeInfoPrimitive() override;

  void AttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                      const VxXmlLib10::CXmlGeneratedClass* owner,
                      VxXmlLib10::CXmlWriter* writer) const override;
  bool AttributeFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                        VxXmlLib10::CXmlGeneratedClass* owner,
                        const VxXmlLib10::CXmlAttribute* attribute) override;
  /// Throws "Failed to find the required Attribute [%s]" when the attribute
  /// is required and was not found.
  void Validate(const VxXmlLib10::CXmlSerializationContext& context,
                bool found) const override;

  /// CXmlObjectHelper::CheckRestriction with the attribute name, the value,
  /// the item type and the facet set.
  void CheckRestriction(const VxXmlLib10::VxVariant& value) const;

  const VxXmlLib10::CPrimitiveRestrictions& GetRestrictions() const { return m_restrictions; }
  VxXmlLib10::ItemType GetItemType() const { return m_itemType; }
  const std::string& GetFormat() const { return m_format; }
  VxXmlLib10::CWhitespaceUtils::WhitespaceRule GetWhitespaceRule() const {
    return m_whitespaceRule;
  }

 private:
  VxXmlLib10::CPrimitiveRestrictions m_restrictions;
  VxXmlLib10::ItemType m_itemType;
  std::string m_format;
  VxXmlLib10::CWhitespaceUtils::WhitespaceRule m_whitespaceRule;
};

/// An enumerated attribute, held as a 32-bit integer and written as the text
/// `toText` gives it (as a string, without facet check; the default value is
/// the enumeration's text). Reading matches the name as IsThisAttribute does
/// (so IgnoreNamespaces accepts any namespace) and stores `toEnum` of the
/// raw value with SetI4.
class VXXML_API CAttributeInfoEnum : public CAttributeInfo {
 public:
  CAttributeInfoEnum(const char* attributeName, const char* namespaceUri, int propertyId,
                     bool optional, EnumToTextFunc toText, TextToEnumFunc toEnum,
                     const char* defaultValue);
  ~CAttributeInfoEnum() override;

  void AttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                      const VxXmlLib10::CXmlGeneratedClass* owner,
                      VxXmlLib10::CXmlWriter* writer) const override;
  bool AttributeFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                        VxXmlLib10::CXmlGeneratedClass* owner,
                        const VxXmlLib10::CXmlAttribute* attribute) override;
  /// As CAttributeInfoPrimitive::Validate.
  void Validate(const VxXmlLib10::CXmlSerializationContext& context,
                bool found) const override;

  EnumToTextFunc GetEnumToText() const { return m_toText; }
  TextToEnumFunc GetTextToEnum() const { return m_toEnum; }

 private:
  EnumToTextFunc m_toText;
  TextToEnumFunc m_toEnum;
};

/// An attribute wildcard: every attribute whose namespace URI the rule admits
/// (CXmlObjectHelper::IsNamespaceValid with the restriction and the target
/// namespace) is added to the CAttributeCol behind the property. Writing
/// writes every attribute the collection holds; the optional flag and the
/// default value play no part, and Validate never fails.
class VXXML_API CAttributeInfoAny : public CAttributeInfo {
 public:
  /// `restriction` is a namespace rule ("##any", "##other", "##local",
  /// "##targetNamespace" or a space-separated list); null texts are "".
  CAttributeInfoAny(const char* attributeName, const char* namespaceUri, int propertyId,
                    bool optional, const char* restriction, const char* targetNamespace,
                    const char* defaultValue);
  ~CAttributeInfoAny() override;

  void AttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                      const VxXmlLib10::CXmlGeneratedClass* owner,
                      VxXmlLib10::CXmlWriter* writer) const override;
  bool AttributeFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                        VxXmlLib10::CXmlGeneratedClass* owner,
                        const VxXmlLib10::CXmlAttribute* attribute) override;
  void Validate(const VxXmlLib10::CXmlSerializationContext& context,
                bool found) const override;

  const std::string& GetNamespaceRestriction() const { return m_restriction; }
  const std::string& GetRestrictionTargetNamespace() const { return m_targetNamespace; }

 private:
  std::string m_restriction;
  std::string m_targetNamespace;
};

}  // namespace VxXmlLib10Data

#endif  // VXXML_ATTRIBUTEINFOS_H
