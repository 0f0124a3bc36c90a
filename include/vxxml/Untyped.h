// Untyped content: what a schema leaves open (xs:any, xs:anyAttribute) held
// without a generated class.
//
//   CElement       an element: local name, namespace, text, attributes and
//                  child elements, recursively
//   CElementCol    a run of elements
//   CAttribute     one attribute
//   CAttributeCol  the open attributes of an element
//
// Each carries a namespace rule ("##any", "##other", "##local",
// "##targetNamespace" or a list of URIs; see XmlObjectHelper.h) and the
// schema's target namespace, and refuses content outside the rule.
//
//   CSmartPtr<CElement> e = new CElement("note");
//   e->FromXml("<note xmlns='urn:n' lang='en'><to>Ann</to></note>");
//   e->GetNamespace();                             // "urn:n"
//   e->GetAttributes()->Item(0)->GetValue();       // "en"
//   e->GetElements()->Item(0)->GetText();          // "Ann"
//
// Failures:
//   CVxInvalidNamespaceException "Element Name must have a value",
//     "Namespace Restriction must have a value", "Target Namespace must have
//     a value" (null texts), "Invalid Namespace [%s]" (a rule token given as
//     a namespace), "The namespace %s in the class %s is invalid against
//     restriction %s", "Invalid Attribute [%s]. The attributes namespace is
//     Inappropriate.", and the namespace-rule message of TestNamespace
//   CVxValidationException "Invalid Element [%s] found in element [%s]",
//     "The element [%s] is nested more than %d levels deep" (reading or
//     copying a document deeper than 1000 levels)
//   CVxInvalidStateException "A Namespace has not been set for this Collection"
//   CVxException "No More Elements in the Collection" (an iterator moved or
//     read past the end), "This should be done by the collection"
//   the index messages of CXmlCollection (Collection.h)
#ifndef VXXML_UNTYPED_H
#define VXXML_UNTYPED_H

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "vxxml/Collection.h"
#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

class CElement;
class CAttribute;

namespace detail {
[[noreturn]] VXXML_API void ThrowNoMoreElementsInCollection();
}

/// Forward iteration over the items of an untyped collection. Items of
/// another class than T read as null. Moving or reading past the end throws
/// CVxException "No More Elements in the Collection".
template <class T>
class CUntypedIterator {
 public:
  typedef std::forward_iterator_tag iterator_category;
  typedef T* value_type;
  typedef std::ptrdiff_t difference_type;
  typedef T* const* pointer;
  typedef T* reference;

  explicit CUntypedIterator(CXmlCollection::Node* node = nullptr) : m_node(node) {}

  T* operator*() const {
    if (!m_node) detail::ThrowNoMoreElementsInCollection();
    return dynamic_cast<T*>(m_node->GetItem());
  }
  CUntypedIterator& operator++() {
    if (!m_node) detail::ThrowNoMoreElementsInCollection();
    m_node = m_node->GetNext();
    return *this;
  }
  CUntypedIterator operator++(int) {
    CUntypedIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const CUntypedIterator& other) const { return m_node == other.m_node; }
  bool operator!=(const CUntypedIterator& other) const { return m_node != other.m_node; }

 private:
  CXmlCollection::Node* m_node;
};

/// One attribute: local name, value and namespace URI.
class VXXML_API CAttribute : public CXmlObjectBase, public CInstanceMonitor {
 public:
  /// Null texts are taken as empty.
  CAttribute(const char* name, const char* value, const char* namespaceUri);
  ~CAttribute() override;

  CXmlObjectBase* GetBase() override { return this; }
  /// Both answer the attribute's namespace URI.
  std::string GetNamespace() const override { return m_namespaceUri; }
  std::string GetTargetNamespace() const override { return m_namespaceUri; }

  const std::string& GetName() const { return m_name; }
  void SetName(const char* name);
  const std::string& GetValue() const { return m_value; }
  void SetValue(const char* value);
  void SetNamespace(const char* namespaceUri);

  /// A new attribute with the same name, value and namespace.
  CSmartPtr<CAttribute> Clone() const;

  /// Change notifications; they do nothing.
  void FireOnChangeName(const char* text);
  void FireOnChangeNamespace(const char* text);

 protected:
  /// WriteAttributeString(name, namespace, value, ItemType_string).
  void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                 const CXmlSerializationContext& context, bool emptyChoiceAllowed) const override;
  /// Always throws "This should be done by the collection": attributes are
  /// read through CAttributeCol.
  CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* firstChild,
                           const CXmlSerializationContext& context,
                           bool emptyChoiceAllowed) override;

 private:
  std::string m_name;
  std::string m_value;
  std::string m_namespaceUri;
};

/// The open attributes of an element. Never counted.
class VXXML_API CAttributeCol : public CXmlCollection, public CInstanceMonitor {
 public:
  typedef CUntypedIterator<CAttribute> iterator;

  /// `namespaceUri` is given to the attributes added by name alone; null
  /// texts are taken as empty.
  CAttributeCol(const char* namespaceUri, const char* restriction, const char* targetNamespace);
  ~CAttributeCol() override;

  CXmlObjectBase* GetBase() override { return this; }

  /// Tests the collection's namespace against its rule, then appends a new
  /// attribute in that namespace.
  CSmartPtr<CAttribute> Add(const char* name, const char* value);
  CSmartPtr<CAttribute> Add(const char* name);
  /// Tests `namespaceUri` against the rule, then appends a new attribute.
  CSmartPtr<CAttribute> Add(const char* name, const char* value, const char* namespaceUri);
  /// Appends the attribute as it is, without a test.
  CSmartPtr<CAttribute> Add(CAttribute* attribute);

  /// The attribute at the index (the index message of CXmlCollection).
  CSmartPtr<CAttribute> Item(int index) const;
  iterator begin() const { return iterator(GetFirstNode()); }
  iterator end() const { return iterator(); }
  /// A new collection with the same namespace and rule, holding clones.
  CSmartPtr<CAttributeCol> Clone() const;

  const std::string& GetNamespaceRestriction() const { return m_restriction; }
  const std::string& GetRestrictionTargetNamespace() const { return m_targetNamespace; }

 protected:
  /// Every attribute, in order.
  void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                 const CXmlSerializationContext& context, bool emptyChoiceAllowed) const override;
  /// Adds every attribute of `element`, in document order; an attribute in a
  /// namespace outside the rule throws "Invalid Attribute [%s]. The
  /// attributes namespace is Inappropriate.". Returns `firstChild`.
  CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* firstChild,
                           const CXmlSerializationContext& context,
                           bool emptyChoiceAllowed) override;

 private:
  friend class CElement;
  std::string m_restriction;
  std::string m_targetNamespace;
};

/// A run of untyped elements, with occurrence bounds checked on writing.
class VXXML_API CElementCol : public CXmlCollection, public CInstanceMonitor {
 public:
  typedef CUntypedIterator<CElement> iterator;

  /// Tests `namespaceUri` against (restriction, targetNamespace) first.
  /// `namespaceUri` is given to the elements added by name alone; the rule
  /// governs reading and adding. Null texts are taken as empty.
  CElementCol(const char* namespaceUri, const char* restriction, const char* targetNamespace,
              int minOccurs, int maxOccurs);
  ~CElementCol() override;

  CXmlObjectBase* GetBase() override { return this; }
  /// The namespace given to elements added by name.
  std::string GetNamespace() const override;
  /// The schema's target namespace of the rule.
  std::string GetTargetNamespace() const override;

  /// Tests the element's namespace against the rule, appends it and
  /// returns it.
  CSmartPtr<CElement> Add(CElement* element);
  /// A new element in the collection's namespace; throws "A Namespace has
  /// not been set for this Collection" when that is empty.
  CSmartPtr<CElement> Add(const char* name);
  /// Tests `namespaceUri` against the rule, then appends a new element.
  CSmartPtr<CElement> Add(const char* name, const char* namespaceUri);

  /// The element at the index (the index message of CXmlCollection).
  CSmartPtr<CElement> Item(int index) const;
  iterator begin() const { return iterator(GetFirstNode()); }
  iterator end() const { return iterator(); }
  /// A new collection with the same settings, holding deep copies.
  CSmartPtr<CElementCol> Clone() const;

  const std::string& GetNamespaceRestriction() const { return m_restriction; }

  /// Reads the run of elements, from `current` on, whose local name and
  /// namespace URI equal `name` and `namespaceUri` byte for byte, each as a
  /// CElement with rule "##any"; returns the first element not taken.
  virtual CXmlElement* FromXmlLockElementName_Int(std::string name, std::string namespaceUri,
                                                  CXmlElement* parent, CXmlElement* current,
                                                  const CXmlSerializationContext& context);

 protected:
  /// ValidateCount, then every element in order.
  void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                 const CXmlSerializationContext& context, bool emptyChoiceAllowed) const override;
  /// Reads the run of elements, from `current` on, whose namespaces the rule
  /// accepts; returns the first element not taken.
  CXmlElement* FromXml_Int(CXmlElement* parent, CXmlElement* current,
                           const CXmlSerializationContext& context,
                           bool emptyChoiceAllowed) override;

 private:
  friend class CElement;
  std::string m_restriction;
  std::string m_targetNamespace;
};

/// One untyped element.
class VXXML_API CElement : public CXmlObjectBase, public CInstanceMonitor {
 public:
  /// Init(name, "", "##any", "").
  explicit CElement(const char* name);
  /// Init(name, namespaceUri, namespaceUri, ""); a rule token ("##any",
  /// "##other", "##local", "##targetNamespace") as namespace throws
  /// "Invalid Namespace [%s]".
  CElement(const char* name, const char* namespaceUri);
  CElement(const char* name, const char* namespaceUri, const char* restriction,
           const char* targetNamespace);
  /// The element that `object` writes as a document (as XML text in
  /// UTF-8), with `defaultNamespace` kept as the element's default
  /// namespace. Failures of writing or reading pass out.
  CElement(CXmlObjectBase* object, const char* defaultNamespace);
  ~CElement() override;

  CXmlObjectBase* GetBase() override { return this; }
  /// Both answer the element's namespace URI.
  std::string GetNamespace() const override { return m_namespaceUri; }
  std::string GetTargetNamespace() const override { return m_namespaceUri; }

  /// Checks the texts (null name, restriction or target namespace throw),
  /// tests the namespace against the rule, stores them and gives the element
  /// new, empty attribute and child collections.
  void Init(const char* name, const char* namespaceUri, const char* restriction,
            const char* targetNamespace);
  /// Parses the text and reads its document element into this element.
  void FromXml(const char* xml);

  // An untyped element reads the document element itself (a generated class
  // reads its children), so the reading entry points load the document and
  // hand over the document element as the element to read.
  void FromXmlFile(const char* fileName, const CXmlSerializationContext& context) override;
  void FromXml(const char* xmlText, const CXmlSerializationContext& context) override;
  void FromXml(const wchar_t* xmlText, const CXmlSerializationContext& context) override;
  void FromXmlStream(unsigned char* data, unsigned long length,
                     const CXmlSerializationContext& context) override;
  using CXmlObjectBase::FromXmlStream;
  void FromXmlElement(const CXmlElement* element,
                      const CXmlSerializationContext& context) override;
  using CXmlObjectBase::FromXmlElement;
  /// Copies a document element (names, text, attributes, namespace
  /// declarations, children); an attribute named "xmlns" (read without
  /// namespace processing) also becomes the default namespace.
  void CopyXmlElement(const CXmlElement* element);
  /// Checks, storing nothing, that the element's namespace, its attributes'
  /// namespaces and those of every descendant pass the rule.
  void SetNamespaceRestrictions(const char* restriction, const char* targetNamespace);
  /// A deep copy: names, namespace, rule, text, namespace declarations, and
  /// copies of the attributes and children.
  CSmartPtr<CElement> Clone() const;

  const std::string& GetName() const { return m_name; }
  void SetName(const char* name);
  const std::string& GetText() const { return m_text; }
  void SetText(const char* text);
  /// Where the element stands in its parent's text: the number of bytes of
  /// the parent's text written before it (text mixed with elements keeps its
  /// order). 0, the default, puts it before all of the parent's text;
  /// children are written in their collection's order whatever the offsets.
  std::size_t GetTextOffset() const { return m_textOffset; }
  void SetTextOffset(std::size_t offset) { m_textOffset = offset; }
  /// Tests the namespace against the element's rule before storing it.
  void SetNamespace(const char* namespaceUri);
  const std::string& GetNamespaceRestriction() const { return m_restriction; }
  const std::string& GetRestrictionTargetNamespace() const { return m_targetNamespace; }
  /// The default namespace the element declares ("" for none).
  const std::string& GetDefaultNamespace() const { return m_defaultNamespace; }
  /// Declares the default namespace in place of any declared before.
  void SetDefaultNamespace(const char* namespaceUri);
  /// The namespace declarations of the element's start tag, (prefix, URI) in
  /// order, prefix "" for the default namespace (URI "" undeclares it): those
  /// of the document it was read from, or added. The default namespace set
  /// alone (SetDefaultNamespace, the constructor from an object) is not
  /// among them.
  const std::vector<std::pair<std::string, std::string>>& GetNamespaceDeclarations() const {
    return m_declarations;
  }
  /// Adds a declaration; one of the default namespace also sets it.
  void AddNamespaceDeclaration(const char* prefix, const char* namespaceUri);
  CSmartPtr<CAttributeCol> GetAttributes() const { return m_attributes; }
  CSmartPtr<CElementCol> GetElements() const { return m_elements; }

  /// Change notifications; they do nothing.
  void FireOnChangeName(const char* text);
  void FireOnChangeText(const char* text);
  void FireOnChangeNamespace(const char* text);

 protected:
  /// The start tag, the attributes, then the text and the children in the
  /// order of their text offsets, then the end tag. Text mixed with elements
  /// is written exactly as it stands, without indentation.
  /// The element's namespace declarations (default namespace and prefixes)
  /// are made on its start tag, as the document it was read from made them,
  /// through any writer (CXmlWriter::DeclareOnNextElement); the writer adds
  /// its own only where they do not cover a name.
  void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                 const CXmlSerializationContext& context, bool emptyChoiceAllowed) const override;
  /// Reads `current` when the rule accepts its namespace and returns its next
  /// sibling; otherwise returns `current` untouched.
  CXmlElement* FromXml_Int(CXmlElement* parent, CXmlElement* current,
                           const CXmlSerializationContext& context,
                           bool emptyChoiceAllowed) override;

 private:
  // Takes the names, text and declarations of a document element.
  void TakeElement(const CXmlElement* element);

  std::string m_name;
  std::string m_text;
  std::size_t m_textOffset = 0;
  std::string m_namespaceUri;
  std::string m_restriction;
  std::string m_targetNamespace;
  CSmartPtr<CAttributeCol> m_attributes;
  CSmartPtr<CElementCol> m_elements;
  std::string m_defaultNamespace;
  // Holds the default namespace's declaration, if any, with the value of
  // m_defaultNamespace.
  std::vector<std::pair<std::string, std::string>> m_declarations;
};

}  // namespace VxXmlLib10

#endif  // VXXML_UNTYPED_H
