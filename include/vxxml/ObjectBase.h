// The root of every bound object, the public enumerations that cross the
// entry points, intrusive reference counting and the collection events.
#ifndef VXXML_OBJECTBASE_H
#define VXXML_OBJECTBASE_H

#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

class CXmlSerializationContext;
class CXmlWriter;
class CXmlElement;
class CElement;
class CBinaryData;
class CXmlCollectionBase;

/// Character encoding of text output.
enum XmlEncoding : int {
  XmlEncoding_None = 0,       ///< in-memory text, not transcoded
  XmlEncoding_UTF8 = 1,       ///< UTF-8, declared as "UTF-8"
  XmlEncoding_UTF16 = 2,      ///< UTF-16LE, declared as "UTF-16"; files start with FF FE
  XmlEncoding_UTF16NoDecl = 3 ///< UTF-16LE, no encoding in the declaration
};

/// Line end of formatted text output.
enum EOLType : int { EOLType_CRLF = 0, EOLType_LF = 1 };

/// Compression of a finished serialisation (zlib, level 1).
enum CompressionType : int {
  CompressionType_None = 0,
  CompressionType_GZip = 1,
  CompressionType_ZLib = 2  ///< only where bytes are returned, not for files
};

/// XML declaration written in front of a Fast Infoset document.
enum FInfoDecl : int {
  FInfoDecl_None = 0,
  FInfoDecl_Encoding = 1,                  ///< <?xml encoding='finf'?>
  FInfoDecl_EncodingStandaloneYes = 2,     ///< <?xml encoding='finf' standalone='yes'?>
  FInfoDecl_EncodingStandaloneNo = 3,      ///< <?xml encoding='finf' standalone='no'?>
  FInfoDecl_Version10 = 4,                 ///< <?xml version='1.0' encoding='finf'?>
  FInfoDecl_Version10StandaloneYes = 5,    ///< ... standalone='yes'
  FInfoDecl_Version10StandaloneNo = 6,     ///< ... standalone='no'
  FInfoDecl_Version11 = 7,                 ///< <?xml version='1.1' encoding='finf'?>
  FInfoDecl_Version11StandaloneYes = 8,    ///< ... standalone='yes'
  FInfoDecl_Version11StandaloneNo = 9      ///< ... standalone='no'
};

class CXmlObjectBase;

/// Receiver of collection events.
class VXXML_API IEventSink {
 public:
  enum MsgType : int {
    MsgType_CollectionChange = 0,        ///< data: null
    MsgType_CollectionAdd = 1,           ///< data: the item about to be added
    MsgType_CollectionAddComplete = 2,   ///< data: the item added
    MsgType_CollectionRemove = 3,        ///< data: int* index, or null for index -1
    MsgType_CollectionRemoveComplete = 4 ///< data: as for MsgType_CollectionRemove
  };
  virtual void OnEvent(CXmlObjectBase* source, MsgType type, void* data) = 0;

 protected:
  ~IEventSink() = default;
};

/// Marker base of the runtime classes; keeps nothing.
class VXXML_API CInstanceMonitor {
 public:
  explicit CInstanceMonitor(const char* className);
  virtual ~CInstanceMonitor();
};

/// A non-recursive mutex. Also usable with std::lock_guard.
class VXXML_API CVXCriticalSection {
 public:
  CVXCriticalSection();
  ~CVXCriticalSection();
  CVXCriticalSection(const CVXCriticalSection&) = delete;
  CVXCriticalSection& operator=(const CVXCriticalSection&) = delete;

  void Enter();
  void Leave();
  void lock() { Enter(); }
  void unlock() { Leave(); }

 private:
  pthread_mutex_t m_mutex;
};

/// Root of every bound object: generated classes, collections and untyped
/// content. Objects are reference counted: a new object has count 0, and the
/// Release() that brings the count back to 0 deletes it. Objects on the stack
/// or held as members must never be handed to a CSmartPtr.
class VXXML_API CXmlObjectBase : public IEventSink {
 public:
  CXmlObjectBase();
  /// Copies the element name; the copy starts with its own count of 0.
  CXmlObjectBase(const CXmlObjectBase& other);
  CXmlObjectBase& operator=(const CXmlObjectBase& other);
  virtual ~CXmlObjectBase();

  /// Collection events reach the owner here; the base ignores them.
  void OnEvent(CXmlObjectBase* source, MsgType type, void* data) override;

  /// This object as a CXmlObjectBase (the CXmlObjectBase part for classes
  /// with several bases).
  virtual CXmlObjectBase* GetBase() = 0;
  CXmlObjectBase* GetBase() const { return const_cast<CXmlObjectBase*>(this)->GetBase(); }

  // ---- Entry points -------------------------------------------------------
  // Writing: the object is written as the document root, in its target
  // namespace. Failures: CVxException "Invalid EOL type." for an EOL type
  // other than 0 or 1; "Unknown Encoding, select UTF-8 (...)" where bytes are
  // produced with XmlEncoding_None; "ZLIB Compression only available for To
  // Stream methods." for zlib to a file (no file is created); "Failed to
  // compress data. [Error Code: %d]"; "Failed to write data to the file [%s]";
  // and whatever the object's own writing throws.

  /// Writes the document to a file. With AsyncToXmlFile(true) and no
  /// compression the file is written while the object is walked; otherwise
  /// the document is built in memory first. UTF-16 files start with FF FE.
  virtual void ToXmlFile(const char* fileName, bool includeDeclaration, bool formatted,
                         XmlEncoding encoding, EOLType eol,
                         const CXmlSerializationContext& context,
                         CompressionType compression) const;
  /// Writes the document as Fast Infoset to a file (gzip allowed, not zlib).
  virtual void ToFastInfosetFile(const char* fileName, FInfoDecl declaration,
                                 const CXmlSerializationContext& context,
                                 CompressionType compression) const;
  /// The document as text in the local code page; a declaration, if asked
  /// for, names no encoding.
  virtual std::string ToXml(bool includeDeclaration, bool formatted, EOLType eol,
                            const CXmlSerializationContext& context) const;
  /// The document as UTF-8 or UTF-16LE bytes (no byte order mark),
  /// optionally compressed.
  virtual CBinaryData ToXmlStream(bool includeDeclaration, bool formatted, XmlEncoding encoding,
                                  EOLType eol, const CXmlSerializationContext& context,
                                  CompressionType compression) const;
  /// The document as Fast Infoset bytes, optionally compressed.
  virtual CBinaryData ToFastInfosetStream(FInfoDecl declaration,
                                          const CXmlSerializationContext& context,
                                          CompressionType compression) const;

  // Reading: the input may be XML text or Fast Infoset, plain or gzip/zlib
  // compressed; the form is recognised from the bytes. Loading and the
  // object's own reading throw as they do.
  virtual void FromXmlFile(const char* fileName, const CXmlSerializationContext& context);
  virtual void FromXml(const char* xmlText, const CXmlSerializationContext& context);
  virtual void FromXml(const wchar_t* xmlText, const CXmlSerializationContext& context);
  virtual void FromXmlStream(unsigned char* data, unsigned long length,
                             const CXmlSerializationContext& context);
  virtual void FromXmlStream(const CBinaryData& data, const CXmlSerializationContext& context);
  /// Fills the object from an element of an existing document.
  virtual void FromXmlElement(const CXmlElement* element,
                              const CXmlSerializationContext& context);
  /// Fills the object from untyped content: the element is written as text
  /// (with the default context) and that text is read.
  virtual void FromXmlElement(const CElement* element, const CXmlSerializationContext& context);

  /// Namespace URI in which the object's own element is written.
  virtual std::string GetTargetNamespace() const = 0;
  /// Namespace constraint of the object (collections, untyped content).
  virtual std::string GetNamespace() const = 0;

  /// Thread-safe; return the new count. Release() deletes the object when the
  /// count reaches 0.
  int64_t AddRef();
  int64_t Release();

  const std::string& GetElementName() const { return m_elementName; }
  void SetElementName(const char* name) { m_elementName = name ? name : ""; }

  // Forwarders that let metadata and collections reach another object's
  // protected serialisation operations.
  static void AttributesToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer,
                                  const CXmlSerializationContext& context);
  static void ToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer, bool isDocumentRoot,
                        const char* namespaceUri, const CXmlSerializationContext& context,
                        bool emptyChoiceAllowed);
  static CXmlElement* FromXml_Int(CXmlObjectBase* obj, CXmlElement* element,
                                  CXmlElement* firstChild,
                                  const CXmlSerializationContext& context);
  /// As above, passing `emptyChoiceAllowed` on (a choice class reached
  /// through an optional choice member may be empty).
  static CXmlElement* FromXml_Int(CXmlObjectBase* obj, CXmlElement* element,
                                  CXmlElement* firstChild,
                                  const CXmlSerializationContext& context,
                                  bool emptyChoiceAllowed);

  // Collection events: each calls sink->OnEvent with the collection's
  // GetBase() as source. The remove events pass a pointer to the index (valid
  // during the call only), or null for index -1. A null sink is ignored.
  static void FireOnCollectionChangeEvent(IEventSink* sink, CXmlCollectionBase* coll);
  static void FireOnCollectionAddEvent(IEventSink* sink, CXmlCollectionBase* coll, void* item);
  static void FireOnCollectionAddCompleteEvent(IEventSink* sink, CXmlCollectionBase* coll,
                                               void* item);
  static void FireOnCollectionRemoveEvent(IEventSink* sink, CXmlCollectionBase* coll,
                                          int index);
  static void FireOnCollectionRemoveCompleteEvent(IEventSink* sink, CXmlCollectionBase* coll,
                                                  int index);

  // The namespace rules and name matching of CXmlObjectHelper, for callers
  // holding plain texts (a null text is taken as empty).
  bool IsNamespaceValid(const char* namespaceUri, const char* rule,
                        const char* targetNamespace) const;
  bool TestNamespace(const char* namespaceUri, const char* rule,
                     const char* targetNamespace) const;
  bool DoesElementNameMatch(const CXmlSerializationContext& context, const CXmlElement* element,
                            const char* name, const char* namespaceUri) const;

  // Guards that generated setters call, so that every generated class checks
  // its members with the same rules and messages. A class whose content is a
  // choice keeps, per choice, the name of the member currently selected in
  // `selected` ("" for none); these operations read and update it and leave
  // it unchanged when they throw.

  /// Setter of an object-valued choice member, before it stores `newValue`:
  /// a null value deselects the member; a value for a member other than the
  /// selected one throws CVxInvalidStateException "The Property [%s] is
  /// already set. Only one element within this class bay be set at a time"
  /// naming the selected member.
  void Choice_SelectElement(const char* memberName, CXmlObjectBase* newValue,
                            std::string& selected) const;
  /// Setter of a simple-valued choice member: `valid` says whether the member
  /// now holds a value. false clears the selection (whichever member it
  /// named); true for a member other than the selected one throws
  /// CVxInvalidStateException "The Property %s is already set. Only one
  /// element within this class bay be set at a time".
  void Choice_SetElementValid(bool valid, const char* memberName, std::string& selected) const;
  /// The collection of a choice member changed to `count` items: 0 deselects
  /// it; a non-empty collection for a member other than the selected one
  /// throws as Choice_SelectElement.
  void Choice_CollectionChanged(const char* memberName, long count, std::string& selected) const;
  /// Reads one collection member of a choice while the class reads its
  /// content: does nothing when a member was already read (`readCount` > 0);
  /// otherwise lets the collection read from `cursor` and, when it took
  /// something, moves the cursor, checks the count (CXmlCollectionBase::
  /// ValidateCount) and adds 1 to `readCount`.
  void Choice_Read_Collection(CXmlCollectionBase* collection, CXmlElement* parent,
                              CXmlElement*& cursor, long& readCount,
                              const CXmlSerializationContext& context) const;
  /// Guard of a mandatory object-valued setter: a null value throws
  /// CVxInvalidParamException "The Property [%s] is mandatory, it may node be
  /// NULL".
  void Throw_IfPropertyIsNull(CXmlObjectBase* value, const char* memberName) const;
  /// Guard of a member bound to one element name: a non-null value whose
  /// element name differs (exactly, case-sensitive) throws
  /// CVxInvalidParamException "This property requrires an element with the
  /// name %s the element being set has the element name %s".
  void Throw_IfElementNameDiffers(CXmlObjectBase* value, const char* elementName) const;

 protected:
  /// Writes the object's attributes; the base writes nothing.
  virtual void AttributesToXml_Int(CXmlWriter* writer,
                                   const CXmlSerializationContext& context) const;
  /// Writes the object's element.
  virtual void ToXml_Int(CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                         const CXmlSerializationContext& context,
                         bool emptyChoiceAllowed) const = 0;
  /// Fills the object from an element; returns the first child element it did
  /// not consume, or null.
  virtual CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* firstChild,
                                   const CXmlSerializationContext& context,
                                   bool emptyChoiceAllowed) = 0;

 private:
  template <class T>
  friend class CSmartPtr;

  std::string m_elementName;
  std::atomic<int64_t> m_refCount;
};

/// Process-wide switches, set once at start-up. AsyncToXmlFile selects the
/// streaming path of ToXmlFile; AsyncFromXmlFile is kept for compatibility
/// and changes nothing.
VXXML_API extern bool ASYNC_TOXMLFILE;
VXXML_API extern bool ASYNC_FROMXMLFILE;
VXXML_API void AsyncToXmlFile(bool async);
VXXML_API void AsyncFromXmlFile(bool async);
/// Process-wide switch, set once at start-up (default true): FromXml (from
/// a char or wide string), FromXmlStream, FromXmlFile and the generated
/// ReadDocument fill a generated object straight from the reader's events,
/// without building a document tree, where the classes and the context allow
/// it (sequences, choices and all groups of values, enumerations, element
/// children, tagless groups and their collections, lists, untyped content,
/// attributes; every reading option but IgnoreUnknownElements,
/// IgnoreMissingMandatoryElements and IgnoreNamespaces); any other document,
/// and any failure, is read again through the tree, so objects, messages and
/// partial states are those of the tree. One difference remains: input that fails to load
/// (malformed text, a broken Fast Infoset document, a limit passed) after
/// the events began to fill the object leaves it as Init() makes it, with
/// its element name, where the tree leaves it untouched. A file is read in
/// pieces, so memory holds the objects and not the document. False reads
/// every input through the tree.
VXXML_API extern bool BIND_FROM_EVENTS;
VXXML_API void BindFromEvents(bool bind);

namespace detail {
/// Marks an object made a moment ago that no other thread can reach yet.
struct FreshObject {};
}  // namespace detail

/// Intrusive pointer to a CXmlObjectBase or a class derived from it.
template <class T>
class CSmartPtr {
 public:
  CSmartPtr() noexcept : m_ptr(nullptr) {}
  CSmartPtr(T* ptr) : m_ptr(ptr) {  // NOLINT: implicit by design
    if (m_ptr) m_ptr->AddRef();
  }
  CSmartPtr(const CSmartPtr& other) : CSmartPtr(other.m_ptr) {}
  template <class U>
  CSmartPtr(const CSmartPtr<U>& other) : CSmartPtr(other.Get()) {}  // NOLINT
  CSmartPtr(CSmartPtr&& other) noexcept : m_ptr(other.m_ptr) { other.m_ptr = nullptr; }
  /// Holds an object no other thread can reach yet: its count is raised
  /// without a locked instruction, which would wait for the stores of its
  /// construction to reach the cache.
  CSmartPtr(detail::FreshObject, T* fresh) noexcept : m_ptr(fresh) {
    std::atomic<int64_t>& count = static_cast<CXmlObjectBase*>(fresh)->m_refCount;
    count.store(count.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  }
  ~CSmartPtr() {
    if (m_ptr) m_ptr->Release();
  }

  CSmartPtr& operator=(T* ptr) {
    if (ptr) ptr->AddRef();
    T* old = m_ptr;
    m_ptr = ptr;
    if (old) old->Release();
    return *this;
  }
  CSmartPtr& operator=(const CSmartPtr& other) { return *this = other.m_ptr; }
  CSmartPtr& operator=(CSmartPtr&& other) noexcept {
    if (this != &other) {
      T* old = m_ptr;
      m_ptr = other.m_ptr;
      other.m_ptr = nullptr;
      if (old) old->Release();
    }
    return *this;
  }

  T* Get() const noexcept { return m_ptr; }
  T* operator->() const noexcept { return m_ptr; }
  T& operator*() const noexcept { return *m_ptr; }
  operator T*() const noexcept { return m_ptr; }  // NOLINT: implicit by design
  bool IsNull() const noexcept { return m_ptr == nullptr; }
  /// Gives up the object without releasing it: the caller takes over the
  /// reference this pointer held.
  T* Detach() noexcept {
    T* const ptr = m_ptr;
    m_ptr = nullptr;
    return ptr;
  }

 private:
  T* m_ptr;
};

}  // namespace VxXmlLib10

#endif  // VXXML_OBJECTBASE_H
