// The base of every class generated from a schema, and the interface of a
// class whose own element is nillable.
//
// A generated class supplies data only: its CParentElementInfo, the
// null-terminated arrays of its element and attribute infos (Metadata.h), an
// indexed property accessor and Init. CXmlGeneratedClass walks that metadata
// to write the object through any CXmlWriter (ToXml_Int) and to read it back
// from the document model (FromXml_Int).
//
// Writing an element class gives, in this order: on the document root only,
// the context's processing instructions, its namespace aliases (in URI order)
// and its default namespace; the start tag under the object's element name in
// the namespace handed down; on the root only, the context's additional root
// attributes; xsi:type when asked for; the attribute infos' attributes, then
// those of pseudo-element children; on the root only, the in-line schema;
// then xsi:nil for a nil object, or the children (by the model group) and the
// element's own simple value; the end tag. A pseudo element (a tagless group)
// writes only its children and simple value into the enclosing element.
//
// Failures:
//   "Unknown XML Group Type"                                  CVxException
//   "This element is a choice, and as such must have at one (and only one)
//    valid item, currently there are none set"               CVxValidationException
//   "Failed to convert attributes to XML" (wraps the cause)   CVxException
//   "Failed to convert the element [%s] to XML" (wraps any failure while
//    writing the object, so nested objects give one line per level)
//                                                            CVxValidationException
//
// Reading (FromXml_Int) resets the object with Init, takes the element's
// local name as its element name (element classes only), matches the
// attributes against the attribute infos and honours xsi:nil, then moves a
// cursor over the child elements, asking the element infos by the model
// group, and last reads the element's own simple value. A pseudo element
// reads its attributes and children from the enclosing element, starting at
// the enclosing group's cursor, and hands back where it stopped.
//
// Reading failures:
//   "Invalid use of 'nil' attibute in non-nillable element [%s]"
//                                                            CVxValidationException
//   "Unexpected Value [%s] for 'nil' Attribute found."       CVxValidationException
//   "Unexpected Attribute [%s] found."                       CVxValidationException
//   "Failed read all the elements held within the element [%s]. The unexpected
//    element [%s] remains un processed"                      CVxValidationException
//   "No child elements within the element [%s] were populated. The element
//    represents a choice, so one and only one element should be populated.
//    The element contained no sutable child elements"        CVxValidationException
//   "Unknow Group Type"                                      CVxException
//   "Failed to process the element [%s]" (wraps any failure while reading
//    the element, so a failure deep in a document names the whole path,
//    outermost first)                                        CVxValidationException
#ifndef VXXML_GENERATEDCLASS_H
#define VXXML_GENERATEDCLASS_H

#include "vxxml/Export.h"
#include "vxxml/Metadata.h"
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

class VxVariant;

/// Implemented by a generated class whose own element is nillable. A nil
/// object is written with xsi:nil="true" and no content.
class VXXML_API INillable {
 public:
  virtual bool IsNil() const = 0;
  virtual void SetNil(bool nil) = 0;

 protected:
  ~INillable() = default;
};

class VXXML_API CXmlGeneratedClass : public CXmlObjectBase {
 public:
  CXmlGeneratedClass();
  ~CXmlGeneratedClass() override;

  // What generated code supplies.
  /// Reads (`read` true) or writes the property `propertyId`. Simple values
  /// travel as values, nil, or an invalid variant for absent; objects and
  /// collections as object references.
  virtual void AccessProperty(int propertyId, bool read, VxVariant& value) = 0;
  virtual VxXmlLib10Data::CParentElementInfo* GetClassInfo() const = 0;
  /// Null-terminated.
  virtual VxXmlLib10Data::CElementInfo** GetClassElementInfo() const = 0;
  /// Null-terminated.
  virtual VxXmlLib10Data::CAttributeInfo** GetClassAttributeInfo() const = 0;
  /// Returns every property to its initial value; reading calls it first.
  virtual void Init() = 0;

  /// AccessProperty with read = true.
  void ReadProperty(int propertyId, VxVariant& value) const;
  /// Entries of GetClassElementInfo() before the terminating null.
  int GetClassElementInfoCount() const;
  /// True when some child lets a choice be empty: an optional choice member,
  /// or a choice collection member whose collection has minimum occurrence 0.
  bool DoesElementContainOptionalElements() const;
  /// True when some element info of the class recognises the element
  /// (CElementInfo::IsThisElement).
  bool IsElementInList(const CXmlSerializationContext& context, CXmlElement* element) const;

  /// Guards the one-time construction of generated metadata. The library
  /// never takes it itself.
  static CVXCriticalSection m_csInit;

  /// Releases generated metadata: deletes the parent info, every element info
  /// up to the terminating null and then the array, the same for the
  /// attribute infos, and sets the three pointers to null. Null pointers are
  /// skipped.
  static void CleanMetaData(VxXmlLib10Data::CParentElementInfo*& classInfo,
                            VxXmlLib10Data::CElementInfo**& elementInfos,
                            VxXmlLib10Data::CAttributeInfo**& attributeInfos);

 protected:
  /// xsi:type when asked for, then ProcessAttributesToXml.
  void AttributesToXml_Int(CXmlWriter* writer,
                           const CXmlSerializationContext& context) const override;
  void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                 const CXmlSerializationContext& context,
                 bool emptyChoiceAllowed) const override;
  CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* firstChild,
                           const CXmlSerializationContext& context,
                           bool emptyChoiceAllowed) override;

  /// ElementToXml on every info, in array order.
  void ProcessElementSeqToXml(const CXmlSerializationContext& context,
                              VxXmlLib10Data::CElementInfo** infos, CXmlWriter* writer) const;
  /// The same as ProcessElementSeqToXml: members in declaration order.
  void ProcessElementAllToXml(const CXmlSerializationContext& context,
                              VxXmlLib10Data::CElementInfo** infos, CXmlWriter* writer) const;
  /// ElementToXml until one writes; an empty choice is accepted only when
  /// DoesElementContainOptionalElements(), `emptyChoiceAllowed` or the
  /// context's ignore-missing-choice option says so.
  void ProcessElementChoiceToXml(const CXmlSerializationContext& context,
                                 VxXmlLib10Data::CElementInfo** infos, CXmlWriter* writer,
                                 bool emptyChoiceAllowed) const;
  /// AttributeToXml on every attribute info, then PseudoChildAttributeToXml
  /// on every element info, both in array order.
  void ProcessAttributesToXml(const CXmlSerializationContext& context,
                              VxXmlLib10Data::CElementInfo** elementInfos,
                              VxXmlLib10Data::CAttributeInfo** attributeInfos,
                              CXmlWriter* writer) const;

  // ---- reading ----------------------------------------------------------

  /// Offers every attribute of the element, in document order, to the
  /// attribute infos (the first that takes it wins); namespace declarations
  /// and xsi:type are skipped, xsi:nil sets the object's nil state. An
  /// attribute nobody takes fails when `rejectUnknown` is set and the
  /// context does not ignore unknown attributes. Last, every attribute info
  /// validates whether it was found.
  void ProcessAttributesFromXml(const CXmlSerializationContext& context, CXmlElement* element,
                                bool rejectUnknown);
  /// Asks the infos in array order, each consuming its elements from the
  /// cursor. Returns the first element not consumed (null when none is
  /// left), or `first` when the group did not match (an info answered false
  /// and unknown elements are not skipped). Under an element owner the
  /// children must all be consumed: a leftover element fails unless the
  /// context ignores unknown elements, in which case it is skipped and
  /// matching resumes at the last member that consumed something.
  CXmlElement* ProcessElementSeqFromXml(const CXmlSerializationContext& context,
                                        CXmlElement* parent, CXmlElement* first,
                                        VxXmlLib10Data::XmlElementType ownerType);
  /// Offers the cursor, pass after pass, to every info not yet found, until
  /// a pass consumes nothing; then every info validates whether it was
  /// found (a false answer gives back `first`). Leftover elements are
  /// handled as in the sequence, except that ignoring unknown elements
  /// leaves them unread.
  CXmlElement* ProcessElementAllFromXml(const CXmlSerializationContext& context,
                                        CXmlElement* parent, CXmlElement* first,
                                        VxXmlLib10Data::XmlElementType ownerType);
  /// Takes the first info that matches the cursor; with the context ignoring
  /// unknown elements, an element class skips elements until one matches.
  /// An element class whose choice is left empty fails unless a member is
  /// optional, `emptyChoiceAllowed` is set or the context ignores missing
  /// choices.
  CXmlElement* ProcessElementChoiceFromXml(const CXmlSerializationContext& context,
                                           CXmlElement* parent, CXmlElement* first,
                                           VxXmlLib10Data::XmlElementType ownerType,
                                           bool emptyChoiceAllowed);
};

}  // namespace VxXmlLib10

#endif  // VXXML_GENERATEDCLASS_H
