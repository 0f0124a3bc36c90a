// The element infos of an all group: children in any order, each at most
// once. A generated class whose model group is an all group lists its
// children with these classes, in schema order:
//
//   new CElementInfoAllPrimMnd("qty", "urn:po", 1, false, ItemType_i4, nullptr,
//                              CWhitespaceUtils::WhitespaceRule_Collapse, facets)
//   new CElementInfoAllClsOpt("shipTo", "urn:po", 2, XmlElementType_Element,
//                             &CreateById, kAddressTypeId)
//   new CElementInfoAllPrimCol("note", "urn:po", 3)   // the property holds a collection
//
// Writing is the same as in a sequence: every member in array order, so an
// all group is always written in schema order. Reading is done in passes by
// the class reader: each member whose element has not been found yet is
// offered the current element; ElementFromXml answers true when it consumed
// its element and false when the current element is not its own, and never
// throws for absence. Absence is judged afterwards by Validate, called on
// every member with the member's found flag.
//
// Validate:
//   Mnd members (Prim, Enum, AbsCls, Untpd)  found, or the owner is a pseudo
//     element: answer `found`; otherwise throw the mandatory message
//   CElementInfoAllClsMnd  the same, except that a missing child that is an
//     element of its own, with the required flag clear, answers true
//   Opt members and the collection members  true
//
// A collection member reads every run of its elements wherever it stands and
// always answers false, so it stays in play in every pass; no count is
// checked on reading. On writing the collection's count is checked first
// unless the context ignores invalid collection counts.
//
// Failures:
//   "Failed to find the mandatory element [%s]"          CVxValidationException
//   "CElementInfoAllAbsClsMnd::ElementFromXml, has not been implemented fully, ..."
//   "CElementInfoAllAbsClsOpt::ElementFromXml, has not been implemented fully, ..."
//     CVxException, when the element of a substitutable class member is met
//   the xsi:nil messages (Metadata.h) from the Prim and Enum members
//   the count messages (Collection.h) from the collection members on writing
#ifndef VXXML_ELEMENTINFOALL_H
#define VXXML_ELEMENTINFOALL_H

#include <string>

#include "vxxml/ElementInfoContent.h"
#include "vxxml/Export.h"
#include "vxxml/Metadata.h"

namespace VxXmlLib10Data {

/// The base of the all-group members. Validate is left to the members.
class VXXML_API CElementInfoAll : public CElementInfo {
 public:
  using CElementInfo::CElementInfo;
  ~CElementInfoAll() override;
};

/// An enumerated collection shell with no behaviour of its own; usable only
/// through a further derived class.
class VXXML_API CElementInfoAllEnumCol : public CElementInfoAll {
 public:
  CElementInfoAllEnumCol(const char* elementName, const char* namespaceUri, int propertyId);
  ~CElementInfoAllEnumCol() override;
};

/// A collection shell with no content kind; usable only through a further
/// derived class.
class VXXML_API CElementInfoAllNonCol : public CElementInfoAll {
 public:
  CElementInfoAllNonCol(const char* elementName, const char* namespaceUri, int propertyId);
  ~CElementInfoAllNonCol() override;
};

/// A collection member: the property holds a collection that always exists.
class VXXML_API CElementInfoAllCol : public CElementInfoAll {
 public:
  CElementInfoAllCol(const char* elementName, const char* namespaceUri, int propertyId);
  ~CElementInfoAllCol() override;
  /// The collection's ValidateCount (unless the context ignores invalid
  /// collection counts), then one element per item.
  bool ElementToXml(const VxXmlLib10::CXmlSerializationContext& context,
                    const VxXmlLib10::CXmlGeneratedClass* owner,
                    VxXmlLib10::CXmlWriter* writer) const override;
  /// Lets the collection read the run of its elements at the current
  /// element and moves past it; always false, so that the member is offered
  /// every later run as well. No count check.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// Always true.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

// ---- simple values ----------------------------------------------------------
// Read when the current element is the member's (xsi:nil rules, then the
// text conversion), which answers true; otherwise false, consuming nothing.
VXXML_ELEMENT_INFO_MEMBER(All, Prim, Mnd, Prim, CElementInfoAll);
VXXML_ELEMENT_INFO_MEMBER(All, Prim, Opt, Prim, CElementInfoAll);
VXXML_ELEMENT_INFO_MEMBER(All, Enum, Mnd, Enum, CElementInfoAll);
VXXML_ELEMENT_INFO_MEMBER(All, Enum, Opt, Enum, CElementInfoAll);

// ---- child objects ----------------------------------------------------------
// ClsMnd: the object already exists in the owner and is read in place (when
// the property holds none, one is made with the factory and stored). An
// element child reads the current element when it is the member's; a
// pseudo-element child reads from the current element on, and the answer is
// whether it consumed anything. `required`: a missing child that is an
// element of its own fails Validate only when it is set (a pseudo-element
// child always).
// ClsOpt: created with the factory on reading and stored when it consumed
// something.
// AbsClsMnd, AbsClsOpt: written like any child object; reading one is not
// supported: its element throws "CElementInfoAllAbsClsMnd::ElementFromXml,
// has not been implemented fully, ..." ("...Opt..." for the optional one).
VXXML_ELEMENT_INFO_MEMBER(All, Cls, Mnd, ClsRequired, CElementInfoAll);
VXXML_ELEMENT_INFO_MEMBER(All, Cls, Opt, Cls, CElementInfoAll);
VXXML_ELEMENT_INFO_MEMBER(All, AbsCls, Mnd, AbsClsReserved, CElementInfoAll);
VXXML_ELEMENT_INFO_MEMBER(All, AbsCls, Opt, AbsCls, CElementInfoAll);

// ---- untyped content (xs:any) -------------------------------------------------
// Mandatory: an existing CElement read in place (one missing is made and
// stored when it reads); optional: a new CElement, stored when it took the
// current element. The element name "AnyElement" accepts any local name.
VXXML_ELEMENT_INFO_MEMBER(All, Untpd, Mnd, Untpd, CElementInfoAll);
VXXML_ELEMENT_INFO_MEMBER(All, Untpd, Opt, Untpd, CElementInfoAll);

// ---- collections ------------------------------------------------------------
// As CElementInfoAllCol. A collection of untyped elements (a CElementCol)
// named other than "AnyElement" takes only elements of its own name; a
// collection of child objects writes the collection's attributes when its
// items are pseudo elements.
VXXML_ELEMENT_INFO_MEMBER(All, Prim, Col, Col, CElementInfoAllCol);
VXXML_ELEMENT_INFO_MEMBER(All, Untpd, Col, Col, CElementInfoAllCol);
VXXML_ELEMENT_INFO_MEMBER(All, Cls, Col, ChildCol, CElementInfoAllCol);
VXXML_ELEMENT_INFO_MEMBER(All, AbsCls, Col, ChildCol, CElementInfoAllCol);

}  // namespace VxXmlLib10Data

#endif  // VXXML_ELEMENTINFOALL_H
