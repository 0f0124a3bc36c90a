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

// ---- simple values --------------------------------------------------------

/// A mandatory simple value. Reading under an element owner searches for its
/// element (skipping foreign ones only when the context ignores unknown
/// elements) and fails when it is missing, unless the context ignores
/// missing mandatory elements (the property is then left untouched). Under a
/// pseudo-element owner a missing element answers false.
class VXXML_API CElementInfoSeqPrimMnd : public CElementInfoPrimContent<CElementInfoSeq> {
 public:
  using CElementInfoPrimContent::CElementInfoPrimContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

/// An optional simple value: read when its element is at the cursor,
/// otherwise nothing is consumed and the answer is true.
class VXXML_API CElementInfoSeqPrimOpt : public CElementInfoPrimContent<CElementInfoSeq> {
 public:
  using CElementInfoPrimContent::CElementInfoPrimContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

/// A mandatory enumerated value, held as a 32-bit integer. Reads as
/// CElementInfoSeqPrimMnd, except that under a pseudo-element owner it never
/// skips: a foreign element at the cursor answers false at once.
class VXXML_API CElementInfoSeqEnumMnd : public CElementInfoEnumContent<CElementInfoSeq> {
 public:
  using CElementInfoEnumContent::CElementInfoEnumContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

/// An optional enumerated value; reads as CElementInfoSeqPrimOpt.
class VXXML_API CElementInfoSeqEnumOpt : public CElementInfoEnumContent<CElementInfoSeq> {
 public:
  using CElementInfoEnumContent::CElementInfoEnumContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

// ---- child objects --------------------------------------------------------
//
// The class-valued members of a sequence write the attributes of a
// pseudo-element child from whatever their property holds, a child object
// or a collection.

/// A mandatory child object that the owner already holds; reading fills it in
/// place (a property holding no object gets a new one from the factory). An
/// element child is searched for as CElementInfoSeqPrimMnd does. A
/// pseudo-element child reads straight from the owner's children; with
/// `groupMustConsume` set it must consume at least one element ("Failed to
/// find a required element [%s]" under an element owner, false under a
/// pseudo-element owner).
class VXXML_API CElementInfoSeqClsMnd : public CElementInfoClsContent<CElementInfoSeq> {
 public:
  CElementInfoSeqClsMnd(const char* elementName, const char* namespaceUri, int propertyId,
                        XmlElementType childType, ClassFactoryByIdFunc factory, int typeId,
                        bool groupMustConsume);
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  /// The child's attributes, when the child is a pseudo element.
  void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                 const VxXmlLib10::CXmlGeneratedClass* owner,
                                 VxXmlLib10::CXmlWriter* writer) const override;

 protected:
  bool m_groupMustConsume;
};

/// An optional child object: reading creates it with the factory and stores
/// it only when its element is present (or, for a pseudo-element child, when
/// it consumed something). Always answers true.
class VXXML_API CElementInfoSeqClsOpt : public CElementInfoClsContent<CElementInfoSeq> {
 public:
  using CElementInfoClsContent::CElementInfoClsContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                 const VxXmlLib10::CXmlGeneratedClass* owner,
                                 VxXmlLib10::CXmlWriter* writer) const override;
};

/// A mandatory child of an abstract type (or a substitution-group head): the
/// factory chooses the class from the element met (its name or xsi:type).
/// Under an element owner, anything but an element of this name for which
/// the factory finds a class fails with "Failed to find a suitable
/// substitution element for [%s]"; the ignore options are not consulted.
class VXXML_API CElementInfoSeqAbsClsMnd : public CElementInfoAbsClsContent<CElementInfoSeq> {
 public:
  using CElementInfoAbsClsContent::CElementInfoAbsClsContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                 const VxXmlLib10::CXmlGeneratedClass* owner,
                                 VxXmlLib10::CXmlWriter* writer) const override;
};

/// An optional child of an abstract type: read when its element is at the
/// cursor and the factory finds a class for it; otherwise the element stays.
/// Always answers true.
class VXXML_API CElementInfoSeqAbsClsOpt : public CElementInfoAbsClsContent<CElementInfoSeq> {
 public:
  using CElementInfoAbsClsContent::CElementInfoAbsClsContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
  void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                 const VxXmlLib10::CXmlGeneratedClass* owner,
                                 VxXmlLib10::CXmlWriter* writer) const override;
};

// ---- untyped content (xs:any) ---------------------------------------------

/// A mandatory xs:any held as a CElement the owner already holds (a property
/// holding none gets a new one). The element name "AnyElement" takes any
/// local name; the namespace restriction decides whether the element at the
/// cursor is taken.
class VXXML_API CElementInfoSeqUntpdMnd : public CElementInfoUntpdContent<CElementInfoSeq> {
 public:
  using CElementInfoUntpdContent::CElementInfoUntpdContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

/// An optional xs:any: a new CElement, stored only when it took the element
/// at the cursor. Always answers true.
class VXXML_API CElementInfoSeqUntpdOpt : public CElementInfoUntpdContent<CElementInfoSeq> {
 public:
  using CElementInfoUntpdContent::CElementInfoUntpdContent;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

// ---- collections ----------------------------------------------------------

/// A shell with no behaviour of its own: a class derived from it supplies
/// ElementToXml and ElementFromXml.
class VXXML_API CElementInfoSeqNonCol : public CElementInfoSeq {
 public:
  CElementInfoSeqNonCol(const char* elementName, const char* namespaceUri, int propertyId);
  ~CElementInfoSeqNonCol() override;
};

/// A repeated member held in a collection the owner always has. Writing
/// checks the count first (unless the context ignores invalid counts).
/// Reading lets the collection take its run of consecutive elements; under an
/// element owner the count is then checked (ValidateCount) and the answer is
/// true, under a pseudo-element owner the answer is whether the count is
/// valid.
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

 protected:
  /// The collection of the owner, or null.
  VxXmlLib10::CSmartPtr<VxXmlLib10::CXmlCollectionBase> GetCollection(
      const VxXmlLib10::CXmlGeneratedClass* owner) const;
  /// The count check after a read: ValidateCount and true under an element
  /// owner, IsValidCount under a pseudo-element owner.
  bool CheckCountAfterRead(const VxXmlLib10::CXmlSerializationContext& context,
                           const VxXmlLib10::CXmlCollectionBase* collection,
                           XmlElementType ownerType) const;
};

/// A repeated simple value (a typed value collection).
class VXXML_API CElementInfoSeqPrimCol : public CElementInfoSeqCol {
 public:
  using CElementInfoSeqCol::CElementInfoSeqCol;
};

/// A repeated enumerated value.
class VXXML_API CElementInfoSeqEnumCol : public CElementInfoSeqCol {
 public:
  using CElementInfoSeqCol::CElementInfoSeqCol;
};

/// A repeated xs:any held in a CElementCol. Unless the element name is
/// "AnyElement", only elements of that name (in the namespace of the first
/// one met) are taken.
class VXXML_API CElementInfoSeqUntpdCol : public CElementInfoSeqCol {
 public:
  using CElementInfoSeqCol::CElementInfoSeqCol;
  bool ElementFromXml(const VxXmlLib10::CXmlSerializationContext& context,
                      VxXmlLib10::CXmlGeneratedClass* owner, VxXmlLib10::CXmlElement* parent,
                      VxXmlLib10::CXmlElement** current, const std::string& ownerNamespace,
                      XmlElementType ownerType) override;
};

/// A repeated child object of a concrete class.
class VXXML_API CElementInfoSeqClsCol : public CElementInfoChildColContent<CElementInfoSeqCol> {
 public:
  using CElementInfoChildColContent::CElementInfoChildColContent;
  /// The collection's attributes, when the items are pseudo elements.
  void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                 const VxXmlLib10::CXmlGeneratedClass* owner,
                                 VxXmlLib10::CXmlWriter* writer) const override;
};

/// A repeated child object of an abstract type.
class VXXML_API CElementInfoSeqAbsClsCol
    : public CElementInfoChildColContent<CElementInfoSeqCol> {
 public:
  using CElementInfoChildColContent::CElementInfoChildColContent;
  void PseudoChildAttributeToXml(const VxXmlLib10::CXmlSerializationContext& context,
                                 const VxXmlLib10::CXmlGeneratedClass* owner,
                                 VxXmlLib10::CXmlWriter* writer) const override;
};

}  // namespace VxXmlLib10Data

#endif  // VXXML_ELEMENTINFOSEQ_H
