// The abstract, event-style writer through which object trees are written.
// It keeps what every concrete writer shares: the stack of open elements,
// the namespace-URI-to-prefix maps with their scoping, the generator of
// prefixes and the check at Close.
//
// Expected calling order: Open; a document start (concrete writer); any
// SetDefaultNamespace / AddNamespace for the root; properly nested
// WriteStartElement (DeclareOnNextElement right before it, for declarations
// of the element's own) ... (attribute operations while the start tag is
// open) ... WriteString / children ... WriteEndElement; Close.
//
// Which prefixes the concrete writers use and which declarations they make
// is decided for all of them alike, by the library, from the state kept here.
#ifndef VXXML_XMLWRITER_H
#define VXXML_XMLWRITER_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/ItemType.h"
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

namespace detail {
struct NamespacePlanner;
struct CheckedNames;
}  // namespace detail

class VXXML_API CXmlWriter : public CInstanceMonitor {
 public:
  typedef std::map<std::string, std::string> NamespaceMap;  ///< URI -> prefix
  /// The reverse of a NamespaceMap (prefix -> URIs), kept beside it so that
  /// pairing a prefix costs no walk of the map (defined in XmlWriter.cpp).
  struct PrefixIndex;

  /// A namespace declaration due on a start tag: xmlns:prefix="uri", or with
  /// an empty prefix the default namespace xmlns="uri" (xmlns="" undeclares
  /// it). Both concrete writers render the same declarations.
  struct NamespaceDeclaration {
    std::string prefix;
    std::string uri;
  };
  typedef std::vector<NamespaceDeclaration> NamespaceDeclarations;

  /// One open element. A nested element shares its parent's namespace map
  /// and default namespace until it changes one of them; the change copies
  /// the map into the element (copy on write), so it ends with the element.
  class VXXML_API CXmlWriterContext : public CInstanceMonitor {
   public:
    /// A nested element: depth = parent depth + 1, shares the parent's map.
    CXmlWriterContext(const std::string& localName, const std::string& namespaceURI,
                      CXmlWriterContext* parent);
    /// An outermost element: depth 0, private copies of the default
    /// namespace and of the map (a null map is taken as empty).
    CXmlWriterContext(const std::string& localName, const std::string& namespaceURI,
                      const std::string& defaultNamespace, const NamespaceMap* map,
                      CXmlWriterContext* parent);
    /// Deletes the whole parent chain as well.
    ~CXmlWriterContext() override;
    CXmlWriterContext(const CXmlWriterContext&) = delete;
    CXmlWriterContext& operator=(const CXmlWriterContext&) = delete;

    /// The in-scope map and default namespace (the parent's while shared).
    /// Changing the map through this reference is allowed; the writer then
    /// rebuilds its index of the map once, when it next needs it.
    NamespaceMap& GetNamespaceMap();
    const std::string& GetDefaultNamespace() const;
    /// Takes a private map first, then stores the default namespace.
    void SetDefaultNamespace(const std::string& uri);
    /// Takes a private map first, then records map[uri] = prefix.
    void SetNamespaceMapValue(const std::string& uri, const std::string& prefix);
    /// The prefix for uri in the in-scope map; an unknown uri is entered
    /// with an empty prefix (lookup with insertion).
    std::string& GetNamespaceMapValue(const std::string& uri);
    std::string& GetNamespaceMapValue(const char* uri);
    /// The prefix for uri in the in-scope map, or null; inserts nothing.
    const std::string* FindPrefix(const std::string& uri) const;
    /// Whether some URI holds prefix in the in-scope map.
    bool HoldsPrefix(const std::string& prefix);
    /// Takes a private map first, then gives prefix (not empty) to uri alone:
    /// any other URI that held it loses it.
    void BindPrefix(const std::string& uri, const std::string& prefix);

    uint64_t m_childCount;        ///< child elements started inside this one
    bool m_startTagOpen;          ///< attributes may still be added
    int32_t m_depth;              ///< 0 for an outermost element
    std::string m_namespaceURI;
    std::string m_localName;
    CXmlWriterContext* m_parent;  ///< owning; null for the outermost element
    bool m_hasAttributes;         ///< set by writers that track attributes
    std::string m_prefix;         ///< prefix written in the start tag ("" for none)
    /// Pairings (prefix, URI) added with AddNamespace while this element was
    /// open and not yet planned; the next writer operation consumes them.
    std::vector<std::pair<std::string, std::string>> m_pendingNamespaces;
    /// Pairings that could no longer be declared on this element (its start
    /// tag was closed): each child element declares them.
    std::vector<std::pair<std::string, std::string>> m_childNamespaces;
    /// Prefixes declared or used on this element's start tag, which a later
    /// pairing must not rebind there, with the namespace each names.
    std::unordered_map<std::string, std::string> m_declaredPrefixes;
    /// The default namespace in effect in the written output inside this
    /// element (never null while the element is open).
    const std::string* m_outputDefault;

    bool SharesParentMap() const { return m_sharesParentMap; }
    bool OwnsMap() const { return m_ownsMap; }

   private:
    friend class CXmlWriter;
    friend struct detail::NamespacePlanner;
    void MakeOwnMap();
    // The index of the owned map (this context must own it), built on first
    // use.
    PrefixIndex& Index();
    // Re-initialises a recycled context as a nested element.
    void Reset(const std::string& localName, const std::string& namespaceURI,
               CXmlWriterContext* parent);

    std::string m_defaultNamespace;  // meaningful only while the map is owned
    NamespaceMap* m_map;             // owned when m_ownsMap
    bool m_sharesParentMap;
    bool m_ownsMap;
    CXmlWriterContext* m_scope;      // the context whose map is in scope
    // Index of m_map while owned; null until needed and whenever the map
    // may have changed behind the writer's back.
    std::unique_ptr<PrefixIndex> m_index;
  };

  /// Text of the xml namespace, always mapped to the prefix "xml".
  static const char* const XML_NAMESPACE;

  explicit CXmlWriter(const char* instanceName);
  ~CXmlWriter() override;
  CXmlWriter(const CXmlWriter&) = delete;
  CXmlWriter& operator=(const CXmlWriter&) = delete;

  virtual void Open();
  /// Throws CVxException "An Element has not been closed." while an element
  /// is open.
  virtual void Close();
  /// With an element open, the element's default namespace; otherwise the
  /// default namespace of the document (root) element.
  virtual void SetDefaultNamespace(const std::string& namespaceURI);
  /// Pairs a prefix with a URI: on the open element, or for the whole
  /// document when no element is open. A prefix names one URI at a time: a
  /// URI that held the prefix in that scope loses it.
  virtual void AddNamespace(const std::string& prefix, const std::string& namespaceURI);
  /// Declarations the next WriteStartElement makes on its start tag, as a
  /// document made them there: the element, its attributes and its content
  /// then use these prefixes and this default namespace (prefix ""). Made in
  /// place of the declarations the writer would choose, except where they
  /// would not hold: a default namespace on an element in no namespace, a
  /// prefix declared twice, a prefix undeclared (empty URI), the prefix
  /// xmlns, and pairings of the xml prefix or namespace with another one.
  void DeclareOnNextElement(const NamespaceDeclarations& declarations);
  /// The same, taking the declarations over (no copy of a long list).
  void DeclareOnNextElement(NamespaceDeclarations&& declarations);
  /// The open element's content is text mixed with elements: a formatting
  /// writer writes it, and everything inside it, exactly as it comes, adding
  /// no indentation. The base does nothing.
  virtual void SetMixedContent();
  virtual void WriteComment(const std::string& text) = 0;
  /// The parts of a document that are not elements, written where they
  /// stand, so that a document passes through unchanged (CXmlWriterHandler):
  /// a comment, a processing instruction, and the document type declaration
  /// (before the document element). The base drops them.
  virtual void WriteContentComment(const std::string& text);
  virtual void WriteProcessingInstruction(const std::string& target, const std::string& data);
  virtual void WriteDocumentType(const std::string& name, const std::string& systemId,
                                 const std::string& publicId);
  virtual void WritePI(const std::string& text) = 0;
  virtual void WriteInlineSchema(const std::string& text) = 0;
  virtual void WriteStartElement(const std::string& localName,
                                 const std::string& namespaceURI) = 0;
  virtual void WriteString(const std::string& text, ItemType type) = 0;
  virtual void WriteEndElement() = 0;
  virtual void WriteAttributeString(const std::string& localName,
                                    const std::string& namespaceURI, const std::string& value,
                                    ItemType type) = 0;
  virtual void WriteAttributeType(const std::string& typeNamespaceURI,
                                  const std::string& typeName, ItemType type) = 0;
  virtual void WriteAttributeNil() = 0;

  /// Generated prefix number n: "AA" for 0, "AB" for 1, ... "ZZ" for 675;
  /// past that three letters ("AAA" for 676), then four, and so on.
  static std::string NsIntToString(int n);
  /// The first generated prefix that is not a value of the map (keys are not
  /// consulted); "AA" for an empty map.
  static std::string GetUniquePrefix(const NamespaceMap& map);

  /// The innermost open element, or null.
  CXmlWriterContext* GetCurrentContext() const { return m_current; }
  const std::string& GetWriterDefaultNamespace() const { return m_defaultNamespace; }
  const NamespaceMap& GetWriterNamespaceMap() const { return *m_map; }

 protected:
  /// Opens a context for a new element and makes it current.
  CXmlWriterContext* PushContext(const std::string& localName, const std::string& namespaceURI);
  /// Closes the current context; its parent becomes current.
  void PopContext();

  std::string m_defaultNamespace;
  CXmlWriterContext* m_current;
  /// The pairings for the whole document; change it only through
  /// AddNamespace, which keeps m_index in step.
  NamespaceMap* m_map;

 private:
  // The writers' namespace decisions (the library's own): they read and
  // update the namespace state of the writer and its contexts.
  friend struct detail::NamespacePlanner;
  friend struct detail::CheckedNames;

  NamespaceDeclarations m_nextDeclarations;
  // The name of the next element or attribute written is known to be an
  // XML name (the library's metadata checked it once): see xml/CheckedNames.h.
  bool m_nameChecked = false;

  std::unique_ptr<PrefixIndex> m_index;  // of m_map

  // Closed nested contexts kept for reuse, so that a document does not cost
  // one allocation per element.
  std::vector<CXmlWriterContext*> m_spare;
};

}  // namespace VxXmlLib10

#endif  // VXXML_XMLWRITER_H
