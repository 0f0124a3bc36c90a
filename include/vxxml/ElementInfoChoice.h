// The element infos of a choice: exactly one alternative is present. A
// generated class whose model group is a choice lists its alternatives with
// these classes; every alternative is optional by nature (there are no Mnd
// members):
//
//   new CElementInfoChoicePrimOpt("sku", "urn:po", 1, false, ItemType_string, nullptr,
//                                 CWhitespaceUtils::WhitespaceRule_Preserve, facets)
//   new CElementInfoChoiceClsOpt("address", "urn:po", 2, XmlElementType_Element,
//                                &CreateById, kAddressTypeId)
//   new CElementInfoChoicePrimCol("code", "urn:po", 3)   // the property holds a collection
//
// The class writer asks the alternatives in array order and stops at the
// first that writes something, so ElementToXml answers whether this
// alternative is the one set. The class reader offers the current element
// to the alternatives in array order and takes the first whose
// ElementFromXml answers true: this alternative matched and consumed it.
//
// The collection alternatives write whenever they hold at least one item,
// whatever their bounds (an empty collection is an alternative not set); on
// reading under an element owner their count is checked, under a
// pseudo-element owner a bad count makes the alternative not match.
//
// Every optional alternative, and every typed collection alternative whose
// collection has a minimum occurrence of 0, lets the choice be empty
// (IsOptionalChoiceMember).
//
// Failures:
//   "Not implemented, should never be called" (Validate)   CVxException
//   the xsi:nil messages (Metadata.h) from the Prim and Enum alternatives
//   the count messages (Collection.h) from the collection alternatives when
//     read under an element owner
#ifndef VXXML_ELEMENTINFOCHOICE_H
#define VXXML_ELEMENTINFOCHOICE_H

#include "vxxml/ElementInfoContent.h"
#include "vxxml/Export.h"
#include "vxxml/Metadata.h"

namespace VxXmlLib10Data {

/// The base of the choice alternatives.
class VXXML_API CElementInfoChoice : public CElementInfo {
 public:
  using CElementInfo::CElementInfo;
  ~CElementInfoChoice() override;
  /// Never called on a choice: throws "Not implemented, should never be
  /// called".
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// A simple value.
class VXXML_API CElementInfoChoicePrimOpt : public CElementInfoPrimContent<CElementInfoChoice> {
 public:
  using CElementInfoPrimContent::CElementInfoPrimContent;
  /// Reads the current element when it is this alternative's (xsi:nil
  /// rules, then the text conversion) and advances; false otherwise.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// True.
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

/// An enumerated value, held as a 32-bit integer.
class VXXML_API CElementInfoChoiceEnumOpt : public CElementInfoEnumContent<CElementInfoChoice> {
 public:
  using CElementInfoEnumContent::CElementInfoEnumContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

/// A child object of a concrete class, created on reading. Written and read
/// with an empty choice allowed in the child.
class VXXML_API CElementInfoChoiceClsOpt : public CElementInfoClsContent<CElementInfoChoice> {
 public:
  using CElementInfoClsContent::CElementInfoClsContent;
  /// ElementToXmlCls with an empty choice allowed in the child.
  bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                    const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::CXmlWriter* writer) const override;
  /// The new child is stored before it reads (which selects this
  /// alternative in the owner). A pseudo-element child that consumes nothing
  /// leaves the property holding an empty object reference.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

/// A child object of a substitutable class, chosen from the element met.
class VXXML_API CElementInfoChoiceAbsClsOpt
    : public CElementInfoAbsClsContent<CElementInfoChoice> {
 public:
  using CElementInfoAbsClsContent::CElementInfoAbsClsContent;
  /// The factory's answer for the current element is stored whatever it is
  /// (null included); false when it gives none.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

/// An untyped element (xs:any), created on reading. The element name
/// "AnyElement" accepts any local name.
class VXXML_API CElementInfoChoiceUntpdOpt
    : public CElementInfoUntpdContent<CElementInfoChoice> {
 public:
  using CElementInfoUntpdContent::CElementInfoUntpdContent;
  /// A new CElement reads the current element; stored when it took it,
  /// otherwise the property is left holding an empty object reference.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

/// A collection alternative: the property holds a collection that always
/// exists.
class VXXML_API CElementInfoChoiceCol : public CElementInfoChoice {
 public:
  CElementInfoChoiceCol(const char* elementName, const char* namespaceUri, int propertyId);
  /// One element per item, without a count check; false when empty.
  bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                    const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::CXmlWriter* writer) const override;
  /// Lets the collection read the run of its elements. Nothing read: false.
  /// Under a pseudo-element owner: true and past the run when the count is
  /// valid, else false with the cursor unmoved. Under an element owner: past
  /// the run, then ValidateCount (which throws on a bad count), true.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;

 protected:
  // The collection's read from `current`; returns the first element not taken.
  virtual VxXmlLib10::CXmlElement* ReadCollection(
      const VxXmlLib10::CXmlSerializationContext& context,
      VxXmlLib10::CXmlCollectionBase* collection, VxXmlLib10::CXmlElement* parent,
      VxXmlLib10::CXmlElement* current) const;
};

/// A collection of simple values.
class VXXML_API CElementInfoChoicePrimCol : public CElementInfoChoiceCol {
 public:
  using CElementInfoChoiceCol::CElementInfoChoiceCol;
  /// True when the collection's minimum occurrence is 0.
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

/// A collection of enumerated values.
class VXXML_API CElementInfoChoiceEnumCol : public CElementInfoChoiceCol {
 public:
  using CElementInfoChoiceCol::CElementInfoChoiceCol;
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

/// A collection of untyped elements (a CElementCol). An alternative named
/// other than "AnyElement" takes only elements of its own name.
class VXXML_API CElementInfoChoiceUntpdCol : public CElementInfoChoiceCol {
 public:
  using CElementInfoChoiceCol::CElementInfoChoiceCol;
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;

 protected:
  VxXmlLib10::CXmlElement* ReadCollection(const VxXmlLib10::CXmlSerializationContext& context,
                                          VxXmlLib10::CXmlCollectionBase* collection,
                                          VxXmlLib10::CXmlElement* parent,
                                          VxXmlLib10::CXmlElement* current) const override;
};

/// A collection of child objects of a concrete class; the collection's
/// attributes go onto the owner's start tag when its items are pseudo
/// elements.
class VXXML_API CElementInfoChoiceClsCol
    : public CElementInfoChildColContent<CElementInfoChoiceCol> {
 public:
  using CElementInfoChildColContent::CElementInfoChildColContent;
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

/// A collection of child objects of substitutable classes.
class VXXML_API CElementInfoChoiceAbsClsCol
    : public CElementInfoChildColContent<CElementInfoChoiceCol> {
 public:
  using CElementInfoChildColContent::CElementInfoChildColContent;
  bool IsOptionalChoiceMember(const VxXmlLib10::CXmlGeneratedClass* owner) const override;
};

}  // namespace VxXmlLib10Data

#endif  // VXXML_ELEMENTINFOCHOICE_H
