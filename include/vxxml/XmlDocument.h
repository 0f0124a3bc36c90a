// The light document model that the readers build and the binding walks:
// CXmlDocument owns a tree of CXmlElement with their CXmlAttribute and text.
//
// Loading accepts XML text (any encoding expat detects: UTF-8, UTF-16 with a
// byte order mark, ISO-8859-1, US-ASCII) from a file, a string, a wide string
// or a byte buffer, inflating gzip or zlib data first. All names, values and
// texts in the tree are in the local code page of the process.
//
//   CXmlDocument doc;
//   doc.LoadXml("<a xmlns='urn:x'><b k='v'>text</b></a>");
//   CXmlElement* b = doc.GetDocumentElement()->GetFirstElement();
//   b->GetLocalName();        // "b"
//   b->GetNamespaceURI();     // "urn:x"
//   b->GetAttribute("k", ""); // "v"
//   b->GetText();             // "text"
//
// Fast Infoset input goes to CFastInfosetReader (see its header for what it
// reads and its messages); the element filter is not applied to it.
#ifndef VXXML_XMLDOCUMENT_H
#define VXXML_XMLDOCUMENT_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"

namespace VxXmlLib10 {

class CXmlDocument;
class CXmlEventHandler;
namespace detail {
class CTreeBuilder;
}

/// One attribute: local name, value and namespace URI ("" for none).
class VXXML_API CXmlAttribute : public CInstanceMonitor {
 public:
  CXmlAttribute(std::string localName, std::string value, std::string namespaceURI);
  ~CXmlAttribute() override;

  // Nodes may live in their document's arena; delete works for both kinds.
  static void* operator new(std::size_t size);
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void* node) noexcept;
  static void operator delete(void*, void*) noexcept {}

  const std::string& GetLocalName() const { return m_localName; }
  const std::string& GetValue() const { return m_value; }
  const std::string& GetNamespaceURI() const { return m_namespaceURI; }

  /// True for the attributes that are not data: in the XML Schema instance
  /// namespace or the xmlns namespace, with the local name "xmlns", "type",
  /// "schemaLocation" or "noNamespaceSchemaLocation".
  bool IsNamespaceAttribute() const;
  /// True for "nil" in the XML Schema instance or xmlns namespace.
  bool IsNilAttribute() const;

 private:
  std::string m_localName;
  std::string m_value;
  std::string m_namespaceURI;
};

/// One element. Children form a singly linked list (first child, then next
/// siblings) owned by the element; deleting an element deletes its children
/// and attributes, never its siblings. Teardown is iterative, so any depth is
/// safe.
class VXXML_API CXmlElement : public CInstanceMonitor {
 public:
  /// Namespace declarations of a start tag, in document order: (prefix, URI),
  /// the prefix "" for the default namespace.
  typedef std::vector<std::pair<std::string, std::string>> NamespaceDeclarations;

  explicit CXmlElement(const CXmlDocument* document);
  ~CXmlElement() override;

  // Elements a reader builds live in their document's arena; delete works
  // for both kinds.
  static void* operator new(std::size_t size);
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void* node) noexcept;
  static void operator delete(void*, void*) noexcept {}
  CXmlElement(const CXmlElement&) = delete;
  CXmlElement& operator=(const CXmlElement&) = delete;

  /// The document the element belongs to.
  const CXmlDocument* GetDocument() const { return m_document; }
  /// First child element, or null.
  CXmlElement* GetFirstElement() const { return m_firstChild; }
  /// Next sibling element, or null.
  CXmlElement* GetNextSiblingElement() const { return m_nextSibling; }

  const std::string& GetNamespaceURI() const {
    return m_namespaceURI ? *m_namespaceURI : NoNamespace();
  }
  const std::string& GetLocalName() const { return m_localName; }
  /// All character data of the element, concatenated.
  const std::string& GetText() const { return m_text; }
  /// Where the element stands in its parent's text: the number of bytes of
  /// the parent's text that came before it. With it, text mixed with child
  /// elements is known in its order.
  std::size_t GetTextOffset() const { return m_textOffset; }
  /// The attributes in document order; owned by the element.
  const std::vector<CXmlAttribute*>& GetAttributes() const { return m_attributes; }
  /// The value of the first attribute with both names equal, else a reference
  /// to an empty string.
  const std::string& GetAttribute(const std::string& localName,
                                  const std::string& namespaceURI) const;

  /// The namespace declarations the document made on this element's start
  /// tag (a namespace-processing read; without namespace processing they
  /// are attributes).
  const NamespaceDeclarations& GetNamespaceDeclarations() const;
  void AddNamespaceDeclaration(std::string prefix, std::string namespaceURI);

  /// Appends an attribute and returns it (owned by the element).
  CXmlAttribute* AddAttribute(std::string localName, std::string value,
                              std::string namespaceURI);
  /// Appends a new, empty last child and returns it (owned by the element).
  CXmlElement* CreateNewChildElement();
  /// Unlinks the last child and hands it to the caller, who deletes it; null
  /// when the element has no child. A child the reader built is handed over
  /// as a copy that does not depend on the document.
  CXmlElement* RemoveLastChildElement();

  /// Appends `length` bytes (nothing for a negative length). The text grows
  /// geometrically, so many small appends cost linear time.
  void AppendText(const char* text, int length);
  /// Appends a NUL-terminated text; null appends nothing.
  void AppendText(const char* text);
  /// Appends `length` bytes (no NUL check); the common core of the above.
  void AppendTextBytes(const char* text, std::size_t length);

  void SetNamespace(const std::string& namespaceURI);
  void SetElementName(const std::string& localName) { m_localName = localName; }

 private:
  friend class CXmlDocument;
  // Makes `before` (null for none) the last child, dropping what followed it.
  void UnlinkLastChild(CXmlElement* before);
  // A copy of the subtree on the heap, independent of any arena.
  CXmlElement* CopyToHeap() const;
  static const std::string& NoNamespace();

  const CXmlDocument* m_document;
  CXmlElement* m_nextSibling;
  CXmlElement* m_firstChild;
  CXmlElement* m_lastChild;
  std::vector<CXmlAttribute*> m_attributes;
  std::string m_text;
  std::string m_localName;
  // Null for no namespace. Elements of one document share the string of
  // each namespace, so building an element copies no URI.
  std::shared_ptr<const std::string> m_namespaceURI;
  // Null for an element that declares nothing, as most do.
  std::unique_ptr<NamespaceDeclarations> m_declarations;
  std::uint32_t m_textOffset = 0;  // clamped: text beyond 4 GiB is one run
};

/// A parsed document: the element tree, the input buffer it came from and the
/// namespace prefixes declared in it.
///
/// Failures (all CVxException):
///   "Failed to open the file [%s]"                           Load: fopen failed
///   "Failed to get the size of the file [%s] Error [%d]"     Load: length unknown (errno)
///   "Failed to read the contents of the file [%s] Error [%d]" Load: short or empty read (errno)
///   "XML String is empty!"                                   LoadXml with "" (or null)
///   "XML Stream is empty!"                                   LoadXmlStream with no bytes
///   "<expat's error text> at line <n>"                       malformed XML text
///   "Failed to parse FastInfoset. ..."                        a broken Fast Infoset document
///                                                            (messages in FastInfosetReader.h)
///   "Failed to decompress data. [<reason>]"                  damaged, truncated or
///                                                            followed by other data
///                                                            (messages at CVxZip::Inflate)
///   "Decompressed data exceeds the limit MaxDecompressedSize [%llu bytes]"
///   "Decompressed data exceeds the limit MaxCompressionRatio [%u:1]"
///   "Element nesting exceeds the limit MaxDepth [%u]"
///   "Element count exceeds the limit MaxElements [%llu]"
///                                                            the context's bounds on
///                                                            reading (SerializationContext.h)
///   "Not enough memory to load the document"                 allocation failed
/// After a failure the partial tree stays until the next load or Cleanup().
class VXXML_API CXmlDocument : public CInstanceMonitor {
 public:
  /// Called for each element of XML text input when it ends (except the
  /// document element); returning true drops the element from the tree, so
  /// a caller can consume a large document element by element.
  typedef bool (*ElementFilter)(CXmlElement*);

  CXmlDocument();
  explicit CXmlDocument(const CXmlSerializationContext& context);
  explicit CXmlDocument(ElementFilter filter);
  CXmlDocument(ElementFilter filter, const CXmlSerializationContext& context);
  ~CXmlDocument() override;
  CXmlDocument(const CXmlDocument&) = delete;
  CXmlDocument& operator=(const CXmlDocument&) = delete;

  /// Deletes the tree, frees the buffer, empties the element stack and the
  /// prefix map. Every load starts with it.
  virtual void Cleanup();

  /// Reads the whole file (text or Fast Infoset, possibly gzip or zlib
  /// compressed) and parses it.
  void Load(const char* path);
  /// Parses XML text held in a string. The bytes go to the parser as they
  /// are: UTF-8 unless the text's own declaration names another encoding.
  void LoadXml(const char* text);
  /// Parses XML text given as wide characters, sent to the parser as UTF-16
  /// with a byte order mark: characters beyond U+FFFF as surrogate pairs, a
  /// lone surrogate or a value beyond U+10FFFF as U+FFFD.
  void LoadXml(const wchar_t* text);
  /// Reads wide text as LoadXml does, with the same messages, but hands the
  /// document to `handler` as events; the tree stays empty.
  void LoadXml(const wchar_t* text, CXmlEventHandler& handler);
  /// Parses bytes: XML text or Fast Infoset, possibly gzip or zlib compressed.
  void LoadXmlStream(const unsigned char* bytes, unsigned long length);
  /// Reads bytes as LoadXmlStream does, with the same messages and limits of
  /// inflation, but hands the document to `handler` as events
  /// (XmlEventHandler.h) instead of building the tree, which stays empty.
  /// The bytes must be whole; ReadXmlEvents (XmlEventReader.h) reads a file
  /// or stream in pieces.
  void LoadXmlStream(const unsigned char* bytes, unsigned long length,
                     CXmlEventHandler& handler);

  /// Parses the buffer: inflates it if compressed (a gzip or zlib header;
  /// all of it, within the context's bounds), then reads it as Fast Infoset
  /// when it starts like Fast Infoset (the octets E0 00 00 01 and at least
  /// one more, possibly after an XML declaration with encoding='finf'),
  /// otherwise as XML text.
  void Parse();
  /// Parses the buffer as XML text with the expat reader.
  void ParseText();

  /// The document element, or null before parsing. After a failed parse it
  /// holds what was built before the failure.
  CXmlElement* GetDocumentElement() const { return m_documentElement; }
  /// The URI last declared for the prefix ("" for the default namespace)
  /// anywhere in the document, or "".
  const std::string& LookupNamespaceFromAlias(const char* prefix) const;
  /// Every prefix ("" for the default namespace) declared anywhere in the
  /// document, with the URI last declared for it.
  const std::map<std::string, std::string>& GetNamespaceAliases() const { return m_prefixMap; }

  SchemaType GetSchemaType() const { return m_schemaType; }
  const CXmlSerializationContext& GetSerializationContext() const { return *m_context; }
  /// The bytes being parsed, for the readers; null once loading has ended
  /// (the tree keeps copies of everything it needs).
  const unsigned char* GetBuffer() const { return m_input; }
  std::uint64_t GetBufferLength() const { return m_inputLength; }
  /// The number of bytes the last load parsed, kept after it: for compressed
  /// input the inflated length. 0 before a load, after Cleanup() and when
  /// the load failed before parsing.
  std::uint64_t GetParsedLength() const { return m_parsedLength; }

  // ---- builder operations, used by the readers in document order ----------

  /// Creates the document element, opens it and returns it.
  CXmlElement* AddDocElement(const char* namespaceURI, const char* localName);
  /// Creates a new last child of the innermost open element, opens it and
  /// returns it.
  CXmlElement* AddChildElement(const char* namespaceURI, const char* localName);
  /// Appends an attribute to the element (null: nothing).
  void AddElementAttribute(CXmlElement* element, std::string localName, std::string value,
                           std::string namespaceURI);
  /// Appends up to `length` bytes, stopping early at a NUL, and drops every
  /// carriage return.
  void AppendTextExcludingCR(CXmlElement* element, const char* text, unsigned long length);
  void AppendTextExcludingCR(CXmlElement* element, const char* text);
  /// Closes the innermost open element and applies the element filter to it.
  void EndElement();
  /// Closes the innermost open element without applying the filter.
  void PopElement();
  /// The innermost open element, or null.
  CXmlElement* GetCurrentElement() const {
    return m_elementStack.empty() ? nullptr : m_elementStack.back().element;
  }
  /// Records a namespace declaration; a later one for the same prefix wins.
  /// The readers call it before adding the element that makes the
  /// declaration, which then holds it (GetNamespaceDeclarations).
  void SetNamespaceAlias(const std::string& prefix, const std::string& namespaceURI);

  // ---- source information --------------------------------------------------
  // Tools that report positions or resolve prefixed names in content (a
  // schema compiler, say) ask the document to keep, for every element of XML
  // text input, the line of its start tag and its parent. Off by default: it
  // costs a table entry per element.

  /// Keeps source information from the next load on (XML text input only).
  void SetKeepSourceInfo(bool keep) { m_keepSourceInfo = keep; }
  bool GetKeepSourceInfo() const { return m_keepSourceInfo; }
  /// The line (from 1) of the element's start tag, or 0 when not kept.
  unsigned long GetLineNumber(const CXmlElement* element) const;
  /// The namespace URI bound to `prefix` ("" for the default namespace) where
  /// the element stands: its own declarations first, then its ancestors'.
  /// Null when the prefix is not declared there or nothing was kept; the
  /// prefix "xml" is always bound.
  const std::string* LookupNamespace(const CXmlElement* element, const std::string& prefix) const;
  /// For the readers: the line of the element just added.
  void RecordSourceInfo(const CXmlElement* element, unsigned long line);

 private:
  void Init();
  void TakeBuffer(unsigned char* buffer, std::uint64_t length);
  // The wide text as UTF-16 with a byte order mark, taken as the input.
  void TakeWide(const wchar_t* text);
  void ReleaseInput();
  // Room for a node of `size` bytes in the arena, header included.
  void* ArenaAllocate(std::size_t size);
  void ReleaseArena();
  // Whether the node lies in one of the arena's blocks.
  bool InArenaBlocks(const void* node) const;
  // Parse (or ParseText when `text`), then drops the input, also on failure.
  void ParseInput(bool text);
  // Inflates compressed input in place of the buffer.
  void InflateInput();
  CXmlElement* NewElement(std::string_view namespaceURI, std::string_view localName);
  // The builder's way in: AddDocElement or AddChildElement as the tree
  // stands, taking the names as views.
  friend class detail::CTreeBuilder;
  CXmlElement* AddElement(std::string_view namespaceURI, std::string_view localName);
  CXmlElement* AddChild(std::string_view namespaceURI, std::string_view localName);
  // Appends an attribute to an element the builder has just added (so in
  // the arena), built in place from the views.
  void AddNewAttribute(CXmlElement* element, std::string_view localName, std::string_view value,
                       std::string_view namespaceURI);
  // Checks the context's depth and element bounds for one more element.
  void CountElement();

  CXmlElement* m_documentElement;
  // The open elements, innermost last. Each remembers the sibling before it
  // (null for a first child), so the filter can unlink it without walking
  // its parent's child list.
  struct OpenElement {
    CXmlElement* element;
    CXmlElement* before;
  };
  std::vector<OpenElement> m_elementStack;
  std::map<std::string, std::string> m_prefixMap;
  // Declarations read for the element the reader adds next.
  CXmlElement::NamespaceDeclarations m_pendingDeclarations;
  // The namespace URIs met most recently, shared by the elements built.
  std::vector<std::shared_ptr<const std::string>> m_namespaceNames;
  // The arena of the nodes the readers build: blocks taken in turn, all
  // released together by Cleanup.
  std::vector<std::pair<char*, char*>> m_arenaBlocks;  // begin, end
  char* m_arenaNext;
  char* m_arenaEnd;
  // The input of the current load: the document's own buffer (m_buffer,
  // owned, from std::malloc: a copy, or the inflated text) or the bytes the
  // caller handed in, where they lie. Either is dropped when the load ends.
  unsigned char* m_buffer;
  const unsigned char* m_input;
  std::uint64_t m_inputLength;
  std::uint64_t m_parsedLength;
  // Elements built by the current load, for the context's element bound.
  std::uint64_t m_elementCount;
  SchemaType m_schemaType;
  ElementFilter m_filter;
  const CXmlSerializationContext* m_context;
  struct SourceInfo {
    const CXmlElement* parent;
    unsigned long line;
  };
  std::unordered_map<const CXmlElement*, SourceInfo> m_sourceInfo;
  bool m_keepSourceInfo = false;
};

}  // namespace VxXmlLib10

#endif  // VXXML_XMLDOCUMENT_H
