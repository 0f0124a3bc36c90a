// The writer core: element stack, namespace scopes and generated prefixes.
#include "vxxml/XmlWriter.h"

#include <cstring>
#include <set>
#include <unordered_map>
#include <utility>

#include "base/XmlNamespaces.h"
#include "xml/Messages.h"
#include "xml/NamespacePlanner.h"

namespace VxXmlLib10 {

const char* const CXmlWriter::XML_NAMESPACE = detail::kXmlNamespace;

namespace {

// The default namespace in effect outside any declaration: none.
const std::string kNoNamespace;
using detail::kXmlnsNamespace;

using PrefixIndex = CXmlWriter::PrefixIndex;

// Copies a name unless the text is there already.
void AssignIfChanged(std::string& to, const std::string& from) {
  if (to.size() != from.size() || std::memcmp(to.data(), from.data(), to.size()) != 0) to = from;
}

}  // namespace

// Maps every prefix of a namespace map to the URIs holding it (normally one),
// so that pairing a prefix or testing whether it is taken costs no walk of
// the map: a document may declare hundreds of thousands of prefixes.
struct CXmlWriter::PrefixIndex {
  std::unordered_multimap<std::string, std::string> uris;  // prefix -> URI

  explicit PrefixIndex(const NamespaceMap& map) {
    uris.reserve(map.size());
    for (const auto& pair : map)
      if (!pair.second.empty()) uris.emplace(pair.second, pair.first);
  }
  bool Holds(const std::string& prefix) const { return uris.count(prefix) != 0; }
  void Remove(const std::string& prefix, const std::string& uri) {
    const auto range = uris.equal_range(prefix);
    for (auto it = range.first; it != range.second; ++it) {
      if (it->second == uri) {
        uris.erase(it);
        return;
      }
    }
  }
};

namespace {

// map[uri] = prefix, keeping the index in step.
void Assign(CXmlWriter::NamespaceMap& map, PrefixIndex& index, const std::string& uri,
            const std::string& prefix) {
  std::string& held = map[uri];
  if (held == prefix) return;
  if (!held.empty()) index.Remove(held, uri);
  held = prefix;
  if (!prefix.empty()) index.uris.emplace(prefix, uri);
}

// Pairs uri with prefix and takes the prefix from every other URI: a prefix
// names one namespace at a time.
void AssignAlone(CXmlWriter::NamespaceMap& map, PrefixIndex& index, const std::string& uri,
                 const std::string& prefix) {
  Assign(map, index, uri, prefix);
  if (prefix.empty()) return;
  const auto range = index.uris.equal_range(prefix);
  for (auto it = range.first; it != range.second;) {
    if (it->second == uri) {
      ++it;
      continue;
    }
    map.erase(it->second);
    it = index.uris.erase(it);
  }
}

// A generated prefix: the first that no URI in scope holds and that this
// start tag has not bound already (a later pairing may have taken a
// generated prefix's URI away from it).
std::string NewPrefix(CXmlWriter::CXmlWriterContext* context) {
  for (int n = 0;; ++n) {
    std::string candidate = CXmlWriter::NsIntToString(n);
    // Names starting with "XML" (any case) are reserved.
    if (candidate.compare(0, 3, "XML") == 0) continue;
    if (context->m_declaredPrefixes.count(candidate) == 0 && !context->HoldsPrefix(candidate))
      return candidate;
  }
}

// A prefixed declaration due on the context's start tag; the prefix is bound
// there from now on.
void Declare(CXmlWriter::CXmlWriterContext* context, CXmlWriter::NamespaceDeclarations& due,
             const std::string& prefix, const std::string& uri) {
  context->m_declaredPrefixes.emplace(prefix, uri);
  due.push_back(CXmlWriter::NamespaceDeclaration{prefix, uri});
}

// The prefix for uri on the context: the one in scope, or a new one recorded
// on the context and declared on its start tag.
const std::string& FindOrDeclarePrefix(CXmlWriter::CXmlWriterContext* context,
                                       const std::string& uri,
                                       CXmlWriter::NamespaceDeclarations& due, bool* declared) {
  const std::string* known = context->FindPrefix(uri);
  if (known && !known->empty()) {
    *declared = false;
    return *known;
  }
  context->SetNamespaceMapValue(uri, NewPrefix(context));
  const std::string& prefix = *context->FindPrefix(uri);
  Declare(context, due, prefix, uri);
  *declared = true;
  return prefix;
}

}  // namespace

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
      m_outputDefault(parent ? parent->m_outputDefault : nullptr),
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
      m_outputDefault(nullptr),
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
  // A recycled context often holds these names already (siblings share a
  // namespace).
  AssignIfChanged(m_namespaceURI, namespaceURI);
  AssignIfChanged(m_localName, localName);
  m_parent = parent;
  m_hasAttributes = false;
  m_prefix.clear();
  m_pendingNamespaces.clear();
  m_childNamespaces.clear();
  // Clearing a set costs its bucket count, even when it is empty: an empty
  // set is left alone, and a set grown large on one element is dropped
  // rather than cleared for every element after it.
  if (!m_declaredPrefixes.empty()) {
    if (m_declaredPrefixes.bucket_count() > 64)
      std::unordered_map<std::string, std::string>().swap(m_declaredPrefixes);
    else
      m_declaredPrefixes.clear();
  }
  m_outputDefault = parent->m_outputDefault;
  m_defaultNamespace.clear();
  m_sharesParentMap = true;
  m_ownsMap = false;
  m_scope = parent->m_scope;
  m_index.reset();
}

CXmlWriter::NamespaceMap& CXmlWriter::CXmlWriterContext::GetNamespaceMap() {
  m_scope->m_index.reset();  // the caller may change the map
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
  if (m_index)
    Assign(*m_map, *m_index, uri, prefix);
  else
    (*m_map)[uri] = prefix;
}

std::string& CXmlWriter::CXmlWriterContext::GetNamespaceMapValue(const std::string& uri) {
  return GetNamespaceMap()[uri];
}

std::string& CXmlWriter::CXmlWriterContext::GetNamespaceMapValue(const char* uri) {
  return GetNamespaceMap()[uri ? uri : ""];
}

CXmlWriter::PrefixIndex& CXmlWriter::CXmlWriterContext::Index() {
  if (!m_index) m_index.reset(new PrefixIndex(*m_map));
  return *m_index;
}

bool CXmlWriter::CXmlWriterContext::HoldsPrefix(const std::string& prefix) {
  return m_scope->Index().Holds(prefix);
}

void CXmlWriter::CXmlWriterContext::BindPrefix(const std::string& uri,
                                               const std::string& prefix) {
  MakeOwnMap();
  AssignAlone(*m_map, Index(), uri, prefix);
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
  if (m_current) {
    if (prefix.empty()) {
      m_current->SetNamespaceMapValue(namespaceURI, prefix);
      return;
    }
    m_current->BindPrefix(namespaceURI, prefix);
    m_current->m_pendingNamespaces.emplace_back(prefix, namespaceURI);
    return;
  }
  if (!m_index) m_index.reset(new PrefixIndex(*m_map));
  AssignAlone(*m_map, *m_index, namespaceURI, prefix);
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

void CXmlWriter::DeclareOnNextElement(const NamespaceDeclarations& declarations) {
  m_nextDeclarations = declarations;
}

void CXmlWriter::DeclareOnNextElement(NamespaceDeclarations&& declarations) {
  m_nextDeclarations = std::move(declarations);
}

// ---- namespace decisions (xml/NamespacePlanner.h) -----------------------------------------------

namespace detail {

void NamespacePlanner::PlanPending(CXmlWriter& writer, Declarations& due) {
  CXmlWriter::CXmlWriterContext* context = writer.m_current;
  for (const auto& pair : context->m_pendingNamespaces) {
    if (context->m_startTagOpen && context->m_declaredPrefixes.count(pair.first) == 0) {
      Declare(context, due, pair.first, pair.second);
      continue;
    }
    if (context->m_startTagOpen) {
      // The same pairing made twice on this start tag: it is declared.
      const auto declared = context->m_declaredPrefixes.find(pair.first);
      if (declared != context->m_declaredPrefixes.end() && declared->second == pair.second)
        continue;
      // The prefix already names another namespace on this start tag: this
      // element keeps no pairing for it; its children declare the new one.
      CXmlWriter::CXmlWriterContext* scope = context->m_scope;
      auto it = scope->m_map->find(pair.second);
      if (it != scope->m_map->end() && it->second == pair.first) {
        if (scope->m_index) scope->m_index->Remove(pair.first, pair.second);
        scope->m_map->erase(it);
      }
    }
    // Too late for this element: its children declare the pairing.
    context->m_childNamespaces.push_back(pair);
  }
  context->m_pendingNamespaces.clear();
}

bool NamespacePlanner::PlanOwnDeclarations(CXmlWriter& writer, Declarations& due) {
  CXmlWriter::CXmlWriterContext* context = writer.m_current;
  bool ownDefault = false;
  due.reserve(due.size() + writer.m_nextDeclarations.size());
  for (const CXmlWriter::NamespaceDeclaration& d : writer.m_nextDeclarations) {
    const bool reserved =
        d.uri == kXmlnsNamespace || (d.uri == CXmlWriter::XML_NAMESPACE) != (d.prefix == "xml");
    if (d.prefix.empty()) {
      // A default namespace would take an element in no namespace out of it.
      if (ownDefault || reserved || (context->m_namespaceURI.empty() && !d.uri.empty())) continue;
      context->SetDefaultNamespace(d.uri);
      context->m_outputDefault = &context->GetDefaultNamespace();
      due.push_back(CXmlWriter::NamespaceDeclaration{std::string(), d.uri});
      ownDefault = true;
    } else if (!reserved && !d.uri.empty() && d.prefix != "xmlns" &&
               !context->m_declaredPrefixes.count(d.prefix)) {
      // A URI given two prefixes on one tag keeps the first for the names
      // written; the second is declared all the same.
      const std::string* held = context->FindPrefix(d.uri);
      if (!held || held->empty() || !context->m_declaredPrefixes.count(*held))
        context->BindPrefix(d.uri, d.prefix);
      Declare(context, due, d.prefix, d.uri);
    }
  }
  // A long list is not kept once planned: its element may hold the
  // document's every declaration.
  if (writer.m_nextDeclarations.capacity() > 64)
    CXmlWriter::NamespaceDeclarations().swap(writer.m_nextDeclarations);
  else
    writer.m_nextDeclarations.clear();
  return ownDefault;
}

void NamespacePlanner::PlanStartElement(CXmlWriter& writer, Declarations& due) {
  CXmlWriter::CXmlWriterContext* context = writer.m_current;
  if (context->m_parent == nullptr) context->m_outputDefault = &kNoNamespace;
  const bool ownDefault = !writer.m_nextDeclarations.empty() && PlanOwnDeclarations(writer, due);
  const std::string& namespaceURI = context->m_namespaceURI;
  const bool prefixed = !namespaceURI.empty() && namespaceURI != context->GetDefaultNamespace();
  if (prefixed) {
    bool declared;
    context->m_prefix = FindOrDeclarePrefix(context, namespaceURI, due, &declared);
  }

  if (context->m_parent == nullptr) {
    // The document default is declared on the outermost element, unless that
    // element is itself unprefixed in another namespace (no namespace) or
    // declares its own.
    if (!ownDefault && !writer.m_defaultNamespace.empty() &&
        (prefixed || namespaceURI == writer.m_defaultNamespace)) {
      due.push_back(CXmlWriter::NamespaceDeclaration{std::string(), writer.m_defaultNamespace});
      context->m_outputDefault = &writer.m_defaultNamespace;
    }
    // std::map orders the URIs by unsigned byte comparison.
    context->m_declaredPrefixes.reserve(writer.m_map->size());
    due.reserve(due.size() + writer.m_map->size());
    for (const auto& pair : *writer.m_map) {
      if (pair.second.empty() || pair.first == CXmlWriter::XML_NAMESPACE ||
          context->m_declaredPrefixes.count(pair.second))
        continue;
      Declare(context, due, pair.second, pair.first);
    }
  } else {
    // An unprefixed name must sit in its own namespace in the output: declare
    // the default (or undeclare it for no namespace) where the one in effect
    // differs, as after an element in no namespace or a change of default.
    if (!prefixed && *context->m_outputDefault != namespaceURI) {
      due.push_back(CXmlWriter::NamespaceDeclaration{std::string(), namespaceURI});
      context->m_outputDefault = &context->m_namespaceURI;
    }
    // Pairings made on the parent after its start tag closed; the last
    // pairing of a prefix wins.
    const auto& inherited = context->m_parent->m_childNamespaces;
    for (size_t i = inherited.size(); i-- > 0;) {
      if (context->m_declaredPrefixes.count(inherited[i].first) != 0) continue;
      context->BindPrefix(inherited[i].second, inherited[i].first);
      Declare(context, due, inherited[i].first, inherited[i].second);
    }
  }
  // The element's own prefix is bound on this tag from now on.
  if (prefixed) context->m_declaredPrefixes.emplace(context->m_prefix, namespaceURI);
}

const std::string& NamespacePlanner::PlanAttributePrefix(CXmlWriter& writer,
                                                        const std::string& namespaceURI,
                                                        Declarations& due) {
  if (namespaceURI.empty()) return kNoNamespace;
  CXmlWriter::CXmlWriterContext* context = writer.m_current;
  bool declared;
  const std::string& prefix = FindOrDeclarePrefix(context, namespaceURI, due, &declared);
  // A prefix found in scope is bound on this tag from now on as well.
  if (!declared) context->m_declaredPrefixes.emplace(prefix, namespaceURI);
  return prefix;
}

std::string NamespacePlanner::PlanTypeValue(CXmlWriter& writer,
                                            const std::string& typeNamespaceURI,
                                            const std::string& typeName, Declarations& due) {
  CXmlWriter::CXmlWriterContext* context = writer.m_current;
  // The bare name resolves against the default namespace in effect here.
  if (typeNamespaceURI.empty() || typeNamespaceURI == *context->m_outputDefault) return typeName;
  bool declared;
  std::string value = FindOrDeclarePrefix(context, typeNamespaceURI, due, &declared);
  value += ':';
  value += typeName;
  return value;
}

}  // namespace detail

void CXmlWriter::SetMixedContent() {}
void CXmlWriter::WriteContentComment(const std::string&) {}
void CXmlWriter::WriteProcessingInstruction(const std::string&, const std::string&) {}
void CXmlWriter::WriteDocumentType(const std::string&, const std::string&, const std::string&) {}

}  // namespace VxXmlLib10
