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

/// A mandatory simple value.
class VXXML_API CElementInfoAllPrimMnd : public CElementInfoPrimContent<CElementInfoAll> {
 public:
  using CElementInfoPrimContent::CElementInfoPrimContent;
  /// Reads the current element when it is this member's (xsi:nil rules,
  /// then the text conversion) and advances; false, consuming nothing,
  /// otherwise.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// The mandatory rule.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// An optional simple value.
class VXXML_API CElementInfoAllPrimOpt : public CElementInfoPrimContent<CElementInfoAll> {
 public:
  using CElementInfoPrimContent::CElementInfoPrimContent;
  /// As CElementInfoAllPrimMnd.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// Always true.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// A mandatory enumerated value, held as a 32-bit integer.
class VXXML_API CElementInfoAllEnumMnd : public CElementInfoEnumContent<CElementInfoAll> {
 public:
  using CElementInfoEnumContent::CElementInfoEnumContent;
  /// As CElementInfoAllPrimMnd, through the text-to-enumeration function.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// The mandatory rule.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// An optional enumerated value.
class VXXML_API CElementInfoAllEnumOpt : public CElementInfoEnumContent<CElementInfoAll> {
 public:
  using CElementInfoEnumContent::CElementInfoEnumContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// Always true.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// A mandatory child object of a concrete class; the object already exists
/// in the owner and is read in place (when the property holds none, one is
/// made with the factory and stored).
class VXXML_API CElementInfoAllClsMnd : public CElementInfoClsContent<CElementInfoAll> {
 public:
  /// `required`: a missing child that is an element of its own fails
  /// Validate only when this flag is set (a pseudo-element child always).
  CElementInfoAllClsMnd(const char* elementName, const char* namespaceUri, int propertyId,
                        XmlElementType childType, ClassFactoryByIdFunc factory, int factoryTypeId,
                        bool required);
  /// An element child reads the current element when it is this member's;
  /// a pseudo-element child reads from the current element on, and the
  /// answer is whether it consumed anything.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// The class rule.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;

 protected:
  bool m_required;
};

/// An optional child object of a concrete class, created on reading.
class VXXML_API CElementInfoAllClsOpt : public CElementInfoClsContent<CElementInfoAll> {
 public:
  using CElementInfoClsContent::CElementInfoClsContent;
  /// Creates the child with the factory and stores it when it consumed
  /// something.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// Always true.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// A mandatory child of a substitutable class. Written like any child
/// object; reading one is not supported: its element throws.
class VXXML_API CElementInfoAllAbsClsMnd : public CElementInfoAbsClsContent<CElementInfoAll> {
 public:
  /// `reserved` is stored and has no effect.
  CElementInfoAllAbsClsMnd(const char* elementName, const char* namespaceUri, int propertyId,
                           XmlElementType childType, ClassFactoryByElementFunc factory,
                           int reserved);
  /// Throws "CElementInfoAllAbsClsMnd::ElementFromXml, has not been
  /// implemented fully, ..." when the current element is this member's;
  /// false otherwise.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// The mandatory rule.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;

 protected:
  int m_reserved;
};

/// An optional child of a substitutable class; reading throws as for the
/// mandatory one.
class VXXML_API CElementInfoAllAbsClsOpt : public CElementInfoAbsClsContent<CElementInfoAll> {
 public:
  using CElementInfoAbsClsContent::CElementInfoAbsClsContent;
  /// Throws "CElementInfoAllAbsClsOpt::ElementFromXml, has not been
  /// implemented fully, ..." when the current element is this member's;
  /// false otherwise.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// Always true.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// A mandatory untyped element (xs:any), held as an existing CElement that
/// is read in place. The element name "AnyElement" accepts any local name.
class VXXML_API CElementInfoAllUntpdMnd : public CElementInfoUntpdContent<CElementInfoAll> {
 public:
  using CElementInfoUntpdContent::CElementInfoUntpdContent;
  /// True when the element took the current element (its name fits and its
  /// namespace rule accepts it).
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// The mandatory rule.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
};

/// An optional untyped element, created on reading.
class VXXML_API CElementInfoAllUntpdOpt : public CElementInfoUntpdContent<CElementInfoAll> {
 public:
  using CElementInfoUntpdContent::CElementInfoUntpdContent;
  /// A new CElement (in the rule's default namespace, see
  /// GetAnyDefaultNamespace) reads the current element; stored when it took
  /// it.
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// Always true.
  bool Validate(const VxXmlLib10::CXmlSerializationContext& context,
                const VxXmlLib10::CXmlGeneratedClass* owner, bool found,
                bool ownerIsElement) const override;
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

/// A collection of simple values (a CXmlTypeCollection).
class VXXML_API CElementInfoAllPrimCol : public CElementInfoAllCol {
 public:
  using CElementInfoAllCol::CElementInfoAllCol;
};

/// A collection of untyped elements (a CElementCol). A member named other
/// than "AnyElement" takes only elements of its own name.
class VXXML_API CElementInfoAllUntpdCol : public CElementInfoAllCol {
 public:
  using CElementInfoAllCol::CElementInfoAllCol;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

/// A collection of child objects of a concrete class; the collection's
/// attributes go onto the owner's start tag when its items are pseudo
/// elements.
class VXXML_API CElementInfoAllClsCol : public CElementInfoChildColContent<CElementInfoAllCol> {
 public:
  using CElementInfoChildColContent::CElementInfoChildColContent;
};

/// A collection of child objects of substitutable classes.
class VXXML_API CElementInfoAllAbsClsCol
    : public CElementInfoChildColContent<CElementInfoAllCol> {
 public:
  using CElementInfoChildColContent::CElementInfoChildColContent;
};

}  // namespace VxXmlLib10Data

#endif  // VXXML_ELEMENTINFOALL_H
