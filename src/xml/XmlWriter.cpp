// The writer core: element stack, namespace scopes and generated prefixes.
#include "vxxml/XmlWriter.h"

#include <set>

#include "xml/XmlMessages.h"

namespace VxXmlLib10 {

const char* const CXmlWriter::XML_NAMESPACE = "http://www.w3.org/XML/1998/namespace";

// ---- CXmlWriterContext -------------------------------------------------------

CXmlWriter::CXmlWriterContext::CXmlWriterContext(const std::string& localName,
                                                 const std::string& namespaceURI,
                                                 CXmlWriterContext* parent)
    : CInstanceMonitor("CXmlWriterContext"),
      m_childCount(0),
      m_startTagOpen(true),
      m_depth(parent ? parent->m_depth + 1 : 0),
      m_namespaceURI(namespaceURI),
      m_localName(localName),
      m_parent(parent),
      m_hasAttributes(false),
      m_map(nullptr),
      m_sharesParentMap(parent != nullptr),
      m_ownsMap(parent == nullptr),
      m_scope(parent ? parent->m_scope : this) {
  // Without a parent there is nothing to share: start from an empty map.
  if (!parent) m_map = new NamespaceMap();
}

CXmlWriter::CXmlWriterContext::CXmlWriterContext(const std::string& localName,
                                                 const std::string& namespaceURI,
                                                 const std::string& defaultNamespace,
                                                 const NamespaceMap* map,
                                                 CXmlWriterContext* parent)
    : CInstanceMonitor("CXmlWriterContext"),
      m_childCount(0),
      m_startTagOpen(true),
      m_depth(0),
      m_namespaceURI(namespaceURI),
      m_localName(localName),
      m_parent(parent),
      m_hasAttributes(false),
      m_defaultNamespace(defaultNamespace),
      m_map(map ? new NamespaceMap(*map) : new NamespaceMap()),
      m_sharesParentMap(false),
      m_ownsMap(true),
      m_scope(this) {}

CXmlWriter::CXmlWriterContext::~CXmlWriterContext() {
  if (m_ownsMap) delete m_map;
  // Delete the parent chain iteratively: deep documents must not recurse.
  CXmlWriterContext* p = m_parent;
  m_parent = nullptr;
  while (p) {
    CXmlWriterContext* next = p->m_parent;
    p->m_parent = nullptr;
    delete p;
    p = next;
  }
}

void CXmlWriter::CXmlWriterContext::Reset(const std::string& localName,
                                          const std::string& namespaceURI,
                                          CXmlWriterContext* parent) {
  if (m_ownsMap) delete m_map;
  m_map = nullptr;
  m_childCount = 0;
  m_startTagOpen = true;
  m_depth = parent->m_depth + 1;
  m_namespaceURI = namespaceURI;
  m_localName = localName;
  m_parent = parent;
  m_hasAttributes = false;
  m_prefix.clear();
  m_defaultNamespace.clear();
  m_sharesParentMap = true;
  m_ownsMap = false;
  m_scope = parent->m_scope;
}

CXmlWriter::NamespaceMap& CXmlWriter::CXmlWriterContext::GetNamespaceMap() {
  return *m_scope->m_map;
}

const std::string& CXmlWriter::CXmlWriterContext::GetDefaultNamespace() const {
  return m_scope->m_defaultNamespace;
}

void CXmlWriter::CXmlWriterContext::MakeOwnMap() {
  if (m_ownsMap) return;
  m_map = new NamespaceMap(*m_scope->m_map);
  m_defaultNamespace = m_scope->m_defaultNamespace;
  m_sharesParentMap = false;
  m_ownsMap = true;
  m_scope = this;
}

void CXmlWriter::CXmlWriterContext::SetDefaultNamespace(const std::string& uri) {
  MakeOwnMap();
  m_defaultNamespace = uri;
}

void CXmlWriter::CXmlWriterContext::SetNamespaceMapValue(const std::string& uri,
                                                         const std::string& prefix) {
  MakeOwnMap();
  (*m_map)[uri] = prefix;
}

std::string& CXmlWriter::CXmlWriterContext::GetNamespaceMapValue(const std::string& uri) {
  return GetNamespaceMap()[uri];
}

std::string& CXmlWriter::CXmlWriterContext::GetNamespaceMapValue(const char* uri) {
  return GetNamespaceMap()[uri ? uri : ""];
}

const std::string* CXmlWriter::CXmlWriterContext::FindPrefix(const std::string& uri) const {
  const NamespaceMap& map = *m_scope->m_map;
  auto it = map.find(uri);
  return it == map.end() ? nullptr : &it->second;
}

// ---- CXmlWriter ----------------------------------------------------------------

CXmlWriter::CXmlWriter(const char* instanceName)
    : CInstanceMonitor(instanceName), m_current(nullptr), m_map(new NamespaceMap()) {
  (*m_map)[XML_NAMESPACE] = "xml";
}

CXmlWriter::~CXmlWriter() {
  delete m_current;
  delete m_map;
  for (CXmlWriterContext* spare : m_spare) delete spare;
}

void CXmlWriter::Open() {}

void CXmlWriter::Close() {
  if (m_current) detail::ThrowElementNotClosed();
}

void CXmlWriter::SetDefaultNamespace(const std::string& namespaceURI) {
  if (m_current)
    m_current->SetDefaultNamespace(namespaceURI);
  else
    m_defaultNamespace = namespaceURI;
}

void CXmlWriter::AddNamespace(const std::string& prefix, const std::string& namespaceURI) {
  if (m_current)
    m_current->SetNamespaceMapValue(namespaceURI, prefix);
  else
    (*m_map)[namespaceURI] = prefix;
}

std::string CXmlWriter::NsIntToString(int n) {
  // Two letters for the first 26^2 numbers, then three letters for the next
  // 26^3, and so on: every number has its own prefix.
  uint64_t rest = n < 0 ? 0 : static_cast<uint64_t>(n);
  size_t letters = 2;
  uint64_t count = 26 * 26;
  while (rest >= count) {
    rest -= count;
    ++letters;
    count *= 26;
  }
  std::string prefix(letters, 'A');
  for (size_t i = letters; i-- > 0;) {
    prefix[i] = static_cast<char>('A' + rest % 26);
    rest /= 26;
  }
  return prefix;
}

std::string CXmlWriter::GetUniquePrefix(const NamespaceMap& map) {
  std::set<std::string> used;
  for (const auto& pair : map) used.insert(pair.second);
  for (int n = 0;; ++n) {
    std::string candidate = NsIntToString(n);
    // Names starting with "XML" (any case) are reserved.
    if (candidate.compare(0, 3, "XML") == 0) continue;
    if (used.find(candidate) == used.end()) return candidate;
  }
}

CXmlWriter::CXmlWriterContext* CXmlWriter::PushContext(const std::string& localName,
                                                       const std::string& namespaceURI) {
  CXmlWriterContext* context;
  if (!m_current) {
    context = new CXmlWriterContext(localName, namespaceURI, m_defaultNamespace, m_map, nullptr);
  } else if (!m_spare.empty()) {
    context = m_spare.back();
    m_spare.pop_back();
    context->Reset(localName, namespaceURI, m_current);
  } else {
    context = new CXmlWriterContext(localName, namespaceURI, m_current);
  }
  m_current = context;
  return context;
}

void CXmlWriter::PopContext() {
  CXmlWriterContext* context = m_current;
  if (!context) return;
  m_current = context->m_parent;
  context->m_parent = nullptr;
  if (m_current && m_spare.size() < 64) {
    m_spare.push_back(context);
  } else {
    delete context;
  }
}

}  // namespace VxXmlLib10
