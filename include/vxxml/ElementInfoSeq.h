// The element infos of a sequence: one member per child element of a class
// whose model group is a sequence, listed in schema order.
//
// The class reader hands every member, in array order, the same in/out
// cursor over the child elements; each member consumes its own elements from
// the front and leaves the cursor on the first element it did not take.
// ElementFromXml answers true when the member is satisfied (read, optional
// and absent, or mandatory but allowed to be missing by the context) and
// false when it did not match and the owner is a pseudo element (a tagless
// group, whose enclosing group decides). The context options consulted are
// IgnoreMissingMandatoryElements, IgnoreUnknownElements (mandatory members
// skip foreign elements ahead of their own, and consume them),
// IgnoreInvalidCollectionCounts and IgnoreNamespaces. Values are not checked
// against their facets on reading.
//
//   s_elements = new CElementInfo*[4]{
//       new CElementInfoSeqPrimMnd("name", "urn:po", 1, false, ItemType_string, nullptr,
//                                  CWhitespaceUtils::WhitespaceRule_None, restrictions),
//       new CElementInfoSeqClsOpt("shipTo", "urn:po", 2, XmlElementType_Element,
//                                 &PurchaseOrderFactory, 7),
//       new CElementInfoSeqClsCol("item", "urn:po", 3, XmlElementType_Element),
//       nullptr};
//
// Failures (CVxValidationException unless said):
//   "Failed to find a required element [%s]"              PrimMnd, EnumMnd,
//     ClsMnd (element child, or a group that must consume), UntpdMnd (no
//     element left)
//   "Failed to find a suitable substitution element for [%s]"  AbsClsMnd
//     under an element owner
//   "Failed to find the required element from namespace [%s]"  UntpdMnd
//     under an element owner
//   "Invalid use of 'nil' attibute in non-nillable element [%s]",
//   "Unexpected Value [%s] for 'nil' Attribute found."    Prim and Enum members
//   "Not implemented, should never be called"             CVxException,
//     CElementInfoSeq::Validate
//   the count messages of CXmlCollectionBase::ValidateCount (Collection.h)
#ifndef VXXML_ELEMENTINFOSEQ_H
#define VXXML_ELEMENTINFOSEQ_H

#include <string>

#include "vxxml/Collection.h"
#include "vxxml/ElementInfoContent.h"
#include "vxxml/Export.h"
#include "vxxml/Metadata.h"

namespace VxXmlLib10Data {

/// The sequence base. Validate belongs to all groups only and throws here.
class VXXML_API CElementInfoSeq : public CElementInfo {
 public:
  using CElementInfo::CElementInfo;
  ~CElementInfoSeq() override;

  /// Throws CVxException "Not implemented, should never be called".
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// A shell with no behaviour of its own: a class derived from it supplies
/// ElementToXml and ElementFromXml.
class VXXML_API CElementInfoSeqNonCol : public CElementInfoSeq {
 public:
  CElementInfoSeqNonCol(const char* elementName, const char* namespaceUri, int propertyId);
  ~CElementInfoSeqNonCol() override;
};

/// The base of the repeated members: a collection the owner always has.
/// Writing checks the count first (unless the context ignores invalid
/// counts). Reading lets the collection take its run of consecutive
/// elements; under an element owner the count is then checked
/// (ValidateCount) and the answer is true, under a pseudo-element owner the
/// answer is whether the count is valid.
class VXXML_API CElementInfoSeqCol : public CElementInfoSeq {
 public:
  CElementInfoSeqCol(const char* elementName, const char* namespaceUri, int propertyId);
  ~CElementInfoSeqCol() override;
  bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                    const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::CXmlWriter* writer) const override;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

// ---- simple values ----------------------------------------------------------
// Mandatory: under an element owner its element is searched for (foreign
// ones skipped only when the context ignores unknown elements) and missing is
// an error, unless the context ignores missing mandatory elements (the
// property is then left untouched); under a pseudo-element owner a missing
// element answers false, and an enumerated value never skips. Optional: read
// when its element is at the cursor, otherwise nothing is consumed; true.
VXXML_ELEMENT_INFO_MEMBER(Seq, Prim, Mnd, Prim, CElementInfoSeq);
VXXML_ELEMENT_INFO_MEMBER(Seq, Prim, Opt, Prim, CElementInfoSeq);
VXXML_ELEMENT_INFO_MEMBER(Seq, Enum, Mnd, Enum, CElementInfoSeq);
VXXML_ELEMENT_INFO_MEMBER(Seq, Enum, Opt, Enum, CElementInfoSeq);

// ---- child objects ----------------------------------------------------------
// They write the attributes of a pseudo-element child from whatever their
// property holds, a child object or a collection.
//
// ClsMnd: the owner holds the child and reading fills it in place (a
// property holding no object gets a new one from the factory). An element
// child is searched for as a mandatory simple value is. A pseudo-element
// child reads straight from the owner's children; with groupMustConsume set
// it must consume at least one element ("Failed to find a required element
// [%s]" under an element owner, false under a pseudo-element owner).
// ClsOpt: created with the factory and stored only when its element is
// present (or, for a pseudo-element child, when it consumed something); true.
// AbsClsMnd: the factory chooses the class from the element met; under an
// element owner, anything but an element of this name for which the factory
// finds a class fails with "Failed to find a suitable substitution element
// for [%s]"; the ignore options are not consulted.
// AbsClsOpt: read when its element is at the cursor and the factory finds a
// class for it; otherwise the element stays; true.
VXXML_ELEMENT_INFO_MEMBER(Seq, Cls, Mnd, ClsMustConsume, CElementInfoSeq);
VXXML_ELEMENT_INFO_MEMBER(Seq, Cls, Opt, Cls, CElementInfoSeq);
VXXML_ELEMENT_INFO_MEMBER(Seq, AbsCls, Mnd, AbsCls, CElementInfoSeq);
VXXML_ELEMENT_INFO_MEMBER(Seq, AbsCls, Opt, AbsCls, CElementInfoSeq);

// ---- untyped content (xs:any) -------------------------------------------------
// Held as a CElement. The element name "AnyElement" takes any local name; the
// namespace rule decides whether the element at the cursor is taken.
// Mandatory: the CElement the owner holds (one missing is made); nothing
// taken fails with "Failed to find the required element from namespace [%s]"
// under an element owner and answers false under a pseudo-element owner.
// Optional: a new CElement, stored only when it took the element; true.
VXXML_ELEMENT_INFO_MEMBER(Seq, Untpd, Mnd, Untpd, CElementInfoSeq);
VXXML_ELEMENT_INFO_MEMBER(Seq, Untpd, Opt, Untpd, CElementInfoSeq);

// ---- collections ------------------------------------------------------------
// As CElementInfoSeqCol. A repeated xs:any (a CElementCol) named other than
// "AnyElement" takes only elements of its name, in the namespace of the first
// one met; a collection of child objects writes the collection's attributes
// when its items are pseudo elements.
VXXML_ELEMENT_INFO_MEMBER(Seq, Prim, Col, Col, CElementInfoSeqCol);
VXXML_ELEMENT_INFO_MEMBER(Seq, Enum, Col, Col, CElementInfoSeqCol);
VXXML_ELEMENT_INFO_MEMBER(Seq, Untpd, Col, Col, CElementInfoSeqCol);
VXXML_ELEMENT_INFO_MEMBER(Seq, Cls, Col, ChildCol, CElementInfoSeqCol);
VXXML_ELEMENT_INFO_MEMBER(Seq, AbsCls, Col, ChildCol, CElementInfoSeqCol);

}  // namespace VxXmlLib10Data

#endif  // VXXML_ELEMENTINFOSEQ_H
