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

#include <string>

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

/// A collection alternative: the property holds a collection that always
/// exists.
class VXXML_API CElementInfoChoiceCol : public CElementInfoChoice {
 public:
  CElementInfoChoiceCol(const char* elementName, const char* namespaceUri, int propertyId);
  ~CElementInfoChoiceCol() override;
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
};

// ---- single alternatives ----------------------------------------------------
// Each lets the choice be empty. PrimOpt, EnumOpt: read the current element
// when it is this alternative's (xsi:nil rules, then the text conversion)
// and advance; false otherwise.
// ClsOpt: written and read with an empty choice allowed in the child; the new
// child is stored before it reads (which selects this alternative in the
// owner), and a pseudo-element child that consumes nothing leaves the
// property holding an empty object reference.
// AbsClsOpt: the factory's answer for the current element is stored whatever
// it is (null included); false when it gives none.
// UntpdOpt: a new CElement reads the current element; stored when it took it,
// otherwise the property is left holding an empty object reference. The
// element name "AnyElement" accepts any local name.
VXXML_ELEMENT_INFO_MEMBER(Choice, Prim, Opt, Prim, CElementInfoChoice);
VXXML_ELEMENT_INFO_MEMBER(Choice, Enum, Opt, Enum, CElementInfoChoice);
VXXML_ELEMENT_INFO_MEMBER(Choice, Cls, Opt, Cls, CElementInfoChoice);
VXXML_ELEMENT_INFO_MEMBER(Choice, AbsCls, Opt, AbsCls, CElementInfoChoice);
VXXML_ELEMENT_INFO_MEMBER(Choice, Untpd, Opt, Untpd, CElementInfoChoice);

// ---- collection alternatives ------------------------------------------------
// As CElementInfoChoiceCol; each lets the choice be empty when its collection
// has a minimum occurrence of 0. A collection of untyped elements (a
// CElementCol) named other than "AnyElement" takes only elements of its own
// name; a collection of child objects writes the collection's attributes when
// its items are pseudo elements.
VXXML_ELEMENT_INFO_MEMBER(Choice, Prim, Col, Col, CElementInfoChoiceCol);
VXXML_ELEMENT_INFO_MEMBER(Choice, Enum, Col, Col, CElementInfoChoiceCol);
VXXML_ELEMENT_INFO_MEMBER(Choice, Untpd, Col, Col, CElementInfoChoiceCol);
VXXML_ELEMENT_INFO_MEMBER(Choice, Cls, Col, ChildCol, CElementInfoChoiceCol);
VXXML_ELEMENT_INFO_MEMBER(Choice, AbsCls, Col, ChildCol, CElementInfoChoiceCol);

}  // namespace VxXmlLib10Data

#endif  // VXXML_ELEMENTINFOCHOICE_H
