// The document model: elements, attributes, loading and the builder
// operations the readers use.
#include "vxxml/XmlDocument.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "base/XmlNamespaces.h"
#include "types/Inflate.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Encoder.h"
#include "vxxml/ExpatReader.h"
#include "vxxml/FastInfosetReader.h"
#include "vxxml/XmlEventHandler.h"
#include "xml/Messages.h"
#include "xml/NodeMemory.h"

namespace VxXmlLib10 {

namespace {

const std::string kEmpty;

bool InInstanceOrXmlnsNamespace(const std::string& uri) {
  return uri == detail::kXsiNamespace || uri == detail::kXmlnsNamespace;
}

}  // namespace

// ---- CXmlAttribute ---------------------------------------------------------

CXmlAttribute::CXmlAttribute(std::string localName, std::string value, std::string namespaceURI)
    : CInstanceMonitor("CXmlAttribute"),
      m_localName(std::move(localName)),
      m_value(std::move(value)),
      m_namespaceURI(std::move(namespaceURI)) {}

CXmlAttribute::~CXmlAttribute() = default;

bool CXmlAttribute::IsNamespaceAttribute() const {
  return InInstanceOrXmlnsNamespace(m_namespaceURI) &&
         (m_localName == "xmlns" || m_localName == "type" || m_localName == "schemaLocation" ||
          m_localName == "noNamespaceSchemaLocation");
}

bool CXmlAttribute::IsNilAttribute() const {
  return InInstanceOrXmlnsNamespace(m_namespaceURI) && m_localName == "nil";
}

// ---- CXmlElement -----------------------------------------------------------

CXmlElement::CXmlElement(const CXmlDocument* document)
    : CInstanceMonitor("CXmlElement"),
      m_document(document),
      m_nextSibling(nullptr),
      m_firstChild(nullptr),
      m_lastChild(nullptr) {}

static_assert(alignof(CXmlElement) <= detail::kNodeAlignment &&
                  alignof(CXmlAttribute) <= detail::kNodeAlignment,
              "node headers keep nodes aligned");

void* CXmlAttribute::operator new(std::size_t size) { return detail::NewHeapNode(size); }
void CXmlAttribute::operator delete(void* node) noexcept { detail::DeleteNode(node); }
void* CXmlElement::operator new(std::size_t size) { return detail::NewHeapNode(size); }
void CXmlElement::operator delete(void* node) noexcept { detail::DeleteNode(node); }

CXmlElement::~CXmlElement() {
  // Delete the subtree without recursion: keep one list of elements still to
  // delete, chained through their sibling links. Each element taken from its
  // head has its children spliced in front of its siblings before it is
  // deleted childless, so the work is linear and the stack depth constant.
  CXmlElement* pending = m_firstChild;
  while (pending) {
    CXmlElement* element = pending;
    if (element->m_firstChild) {
      element->m_lastChild->m_nextSibling = element->m_nextSibling;
      pending = element->m_firstChild;
    } else {
      pending = element->m_nextSibling;
    }
    element->m_firstChild = element->m_lastChild = element->m_nextSibling = nullptr;
    delete element;
  }
  for (CXmlAttribute* attribute : m_attributes) delete attribute;
}

const std::string& CXmlElement::GetAttribute(const std::string& localName,
                                             const std::string& namespaceURI) const {
  for (const CXmlAttribute* attribute : m_attributes)
    if (attribute->GetLocalName() == localName && attribute->GetNamespaceURI() == namespaceURI)
      return attribute->GetValue();
  return kEmpty;
}

CXmlAttribute* CXmlElement::AddAttribute(std::string localName, std::string value,
                                         std::string namespaceURI) {
  if (m_attributes.empty()) m_attributes.reserve(4);  // one allocation for most elements
  std::unique_ptr<CXmlAttribute> attribute(
      new CXmlAttribute(std::move(localName), std::move(value), std::move(namespaceURI)));
  m_attributes.push_back(attribute.get());
  return attribute.release();
}

CXmlElement* CXmlElement::CreateNewChildElement() {
  CXmlElement* child = new CXmlElement(m_document);
  child->m_textOffset = static_cast<std::uint32_t>(std::min<std::size_t>(m_text.size(), UINT32_MAX));
  if (m_lastChild)
    m_lastChild->m_nextSibling = child;
  else
    m_firstChild = child;
  m_lastChild = child;
  return child;
}

CXmlElement* CXmlElement::RemoveLastChildElement() {
  CXmlElement* last = m_lastChild;
  if (!last) return nullptr;
  // The caller may keep the child beyond the document's arena: an arena
  // child is handed over as a heap copy.
  std::unique_ptr<CXmlElement> copy(detail::InArena(last) ? last->CopyToHeap() : nullptr);
  if (m_firstChild == last) {
    m_firstChild = m_lastChild = nullptr;
  } else {
    CXmlElement* before = m_firstChild;
    while (before->m_nextSibling != last) before = before->m_nextSibling;
    UnlinkLastChild(before);
  }
  if (!copy) return last;
  delete last;
  return copy.release();
}

CXmlElement* CXmlElement::CopyToHeap() const {
  // Depth-first with an explicit list of pending copies, so any depth is safe.
  std::unique_ptr<CXmlElement> root(new CXmlElement(m_document));
  std::vector<std::pair<const CXmlElement*, CXmlElement*>> pending{{this, root.get()}};
  while (!pending.empty()) {
    const CXmlElement* from = pending.back().first;
    CXmlElement* to = pending.back().second;
    pending.pop_back();
    to->m_localName = from->m_localName;
    to->m_text = from->m_text;
    to->m_namespaceURI = from->m_namespaceURI;
    to->m_textOffset = from->m_textOffset;
    if (from->m_declarations)
      to->m_declarations.reset(new NamespaceDeclarations(*from->m_declarations));
    for (const CXmlAttribute* a : from->m_attributes)
      to->AddAttribute(a->GetLocalName(), a->GetValue(), a->GetNamespaceURI());
    for (const CXmlElement* child = from->m_firstChild; child; child = child->m_nextSibling)
      pending.push_back({child, to->CreateNewChildElement()});
  }
  return root.release();
}

const std::string& CXmlElement::NoNamespace() { return kEmpty; }

const CXmlElement::NamespaceDeclarations& CXmlElement::GetNamespaceDeclarations() const {
  static const NamespaceDeclarations kNone;
  return m_declarations ? *m_declarations : kNone;
}

void CXmlElement::AddNamespaceDeclaration(std::string prefix, std::string namespaceURI) {
  if (!m_declarations) m_declarations.reset(new NamespaceDeclarations());
  m_declarations->emplace_back(std::move(prefix), std::move(namespaceURI));
}

void CXmlElement::SetNamespace(const std::string& namespaceURI) {
  m_namespaceURI = namespaceURI.empty() ? nullptr : std::make_shared<const std::string>(namespaceURI);
}

void CXmlElement::UnlinkLastChild(CXmlElement* before) {
  if (before) {
    before->m_nextSibling = nullptr;
  } else {
    m_firstChild = nullptr;
  }
  m_lastChild = before;
}

void CXmlElement::AppendText(const char* text, int length) {
  if (text && length > 0) AppendTextBytes(text, length);
}

void CXmlElement::AppendText(const char* text) {
  if (text) AppendTextBytes(text, std::strlen(text));
}

void CXmlElement::AppendTextBytes(const char* text, std::size_t length) {
  const std::size_t needed = m_text.size() + length;
  // Grow geometrically, so text delivered in many small chunks is copied a
  // logarithmic number of times.
  if (needed > m_text.capacity()) m_text.reserve(std::max(2 * m_text.capacity(), needed));
  m_text.append(text, length);
}

// ---- CXmlDocument ----------------------------------------------------------

namespace {

// zlib and gzip streams are recognised by their header; anything else cannot
// be inflated, so the inflater is not even started for plain text.
bool LooksCompressed(const unsigned char* p, std::uint64_t n) {
  if (n < 2) return false;
  if (p[0] == 0x1F && p[1] == 0x8B) return true;                       // gzip
  return (p[0] & 0x0F) == 8 && (p[0] >> 4) <= 7 && ((p[0] << 8) | p[1]) % 31 == 0;  // zlib
}

// The document's own input buffers come from std::malloc (and are freed with
// std::free): inflated input grows with std::realloc.
unsigned char* NewBuffer(std::size_t length) {
  void* buffer = std::malloc(length ? length : 1);
  if (!buffer) detail::ThrowOutOfMemory();
  return static_cast<unsigned char*>(buffer);
}

}  // namespace

CXmlDocument::CXmlDocument() : CXmlDocument(nullptr, CXmlSerializationContext::m_defaultContext) {}

CXmlDocument::CXmlDocument(const CXmlSerializationContext& context)
    : CXmlDocument(nullptr, context) {}

CXmlDocument::CXmlDocument(ElementFilter filter)
    : CXmlDocument(filter, CXmlSerializationContext::m_defaultContext) {}

CXmlDocument::CXmlDocument(ElementFilter filter, const CXmlSerializationContext& context)
    : CInstanceMonitor("CXmlDocument"),
      m_documentElement(nullptr),
      m_arenaNext(nullptr),
      m_arenaEnd(nullptr),
      m_buffer(nullptr),
      m_input(nullptr),
      m_inputLength(0),
      m_parsedLength(0),
      m_elementCount(0),
      m_schemaType(SchemaType_Default),
      m_filter(filter),
      m_context(&context) {
  Init();
}

CXmlDocument::~CXmlDocument() { CXmlDocument::Cleanup(); }

void CXmlDocument::Init() {
  m_documentElement = nullptr;
  m_schemaType = m_context->GetSchemaType();
}

void CXmlDocument::Cleanup() {
  delete m_documentElement;
  m_documentElement = nullptr;
  ReleaseArena();
  ReleaseInput();
  m_elementStack.clear();
  m_prefixMap.clear();
  m_pendingDeclarations.clear();
  m_namespaceNames.clear();
  m_sourceInfo.clear();
  m_parsedLength = 0;
  m_elementCount = 0;
}

void CXmlDocument::TakeBuffer(unsigned char* buffer, std::uint64_t length) {
  std::free(m_buffer);
  m_buffer = buffer;
  m_input = buffer;
  m_inputLength = length;
}

void* CXmlDocument::ArenaAllocate(std::size_t size) {
  const std::size_t needed = detail::ArenaNodeSize(size);
  if (static_cast<std::size_t>(m_arenaEnd - m_arenaNext) < needed) {
    // Blocks grow with the document: 16 KB, doubling up to 1 MB.
    const std::size_t grown = std::size_t(16384) << std::min<std::size_t>(m_arenaBlocks.size(), 6);
    const std::size_t blockSize = std::max(grown, needed);
    m_arenaBlocks.reserve(m_arenaBlocks.size() + 1);
    char* block = static_cast<char*>(::operator new(blockSize));
    m_arenaBlocks.push_back({block, block + blockSize});
    m_arenaNext = block;
    m_arenaEnd = block + blockSize;
  }
  void* node = detail::PlaceArenaNode(m_arenaNext);
  m_arenaNext += needed;
  return node;
}

bool CXmlDocument::InArenaBlocks(const void* node) const {
  // The reader adds attributes to the element it has just built, which sits
  // in the newest block: the search starts there.
  const char* p = static_cast<const char*>(node);
  const std::less<const char*> before;  // a total order across allocations
  for (auto block = m_arenaBlocks.rbegin(); block != m_arenaBlocks.rend(); ++block)
    if (!before(p, block->first) && before(p, block->second)) return true;
  return false;
}

void CXmlDocument::ReleaseArena() {
  for (const auto& block : m_arenaBlocks) ::operator delete(block.first);
  m_arenaBlocks.clear();
  m_arenaNext = m_arenaEnd = nullptr;
}

void CXmlDocument::AddElementAttribute(CXmlElement* element, std::string localName,
                                       std::string value, std::string namespaceURI) {
  if (!element) return;
  if (!InArenaBlocks(element)) {
    element->AddAttribute(std::move(localName), std::move(value), std::move(namespaceURI));
    return;
  }
  std::vector<CXmlAttribute*>& attributes = element->m_attributes;
  // Room first, so that nothing can fail once the attribute is built.
  if (attributes.size() == attributes.capacity())
    attributes.reserve(std::max<std::size_t>(4, 2 * attributes.size()));
  attributes.push_back(new (ArenaAllocate(sizeof(CXmlAttribute))) CXmlAttribute(
      std::move(localName), std::move(value), std::move(namespaceURI)));
}

void CXmlDocument::AddNewAttribute(CXmlElement* element, std::string_view localName,
                                   std::string_view value, std::string_view namespaceURI) {
  std::vector<CXmlAttribute*>& attributes = element->m_attributes;
  if (attributes.size() == attributes.capacity())
    attributes.reserve(std::max<std::size_t>(4, 2 * attributes.size()));
  attributes.push_back(new (ArenaAllocate(sizeof(CXmlAttribute))) CXmlAttribute(
      std::string(localName), std::string(value), std::string(namespaceURI)));
}

void CXmlDocument::ReleaseInput() {
  std::free(m_buffer);
  m_buffer = nullptr;
  m_input = nullptr;
  m_inputLength = 0;
}

void CXmlDocument::ParseInput(bool text) {
  try {
    if (text)
      ParseText();
    else
      Parse();
  } catch (...) {
    ReleaseInput();
    throw;
  }
  ReleaseInput();
}

void CXmlDocument::Load(const char* path) {
  Cleanup();
  FILE* file = path ? std::fopen(path, "rt") : nullptr;
  if (!file) detail::ThrowFileOpenFailed(path);

  // A directory opens but cannot be read; say so before its length is
  // taken for a number of bytes.
  struct stat info;
  if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file);
    detail::ThrowFileReadFailed(path, EISDIR);
  }
  errno = 0;
  const unsigned long fileLength = _filelength(file);
  if (fileLength == static_cast<unsigned long>(-1)) {
    const int error = errno;
    std::fclose(file);
    detail::ThrowFileSizeFailed(path, error);
  }
  const std::size_t length = fileLength;

  unsigned char* buffer = nullptr;
  std::size_t read = 0;
  int error = 0;
  if (length > 0) {
    buffer = static_cast<unsigned char*>(std::malloc(length));
    if (!buffer) {
      error = ENOMEM;
    } else {
      errno = 0;
      read = std::fread(buffer, 1, length, file);
      error = errno;
    }
  }
  std::fclose(file);
  if (read == 0 || read < length) {
    std::free(buffer);
    detail::ThrowFileReadFailed(path, error);
  }
  TakeBuffer(buffer, read);
  ParseInput(false);
}

void CXmlDocument::LoadXml(const char* text) {
  Cleanup();
  const std::size_t length = text ? std::strlen(text) : 0;
  if (length == 0) detail::ThrowXmlStringEmpty();
  unsigned char* buffer = NewBuffer(length);
  std::memcpy(buffer, text, length);
  TakeBuffer(buffer, length);
  ParseInput(true);
}

void CXmlDocument::TakeWide(const wchar_t* text) {
  Cleanup();
  const std::size_t length = text ? std::wcslen(text) : 0;
  if (length == 0) detail::ThrowXmlStringEmpty();

  // UTF-16LE after a byte order mark. Characters beyond U+FFFF become
  // surrogate pairs; a pair already spelled out in two wchar_t passes as it
  // is; a lone surrogate or a value beyond U+10FFFF becomes U+FFFD.
  auto isHigh = [](std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; };
  auto isLow = [](std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
  unsigned char* buffer = NewBuffer(2 + 4 * length);  // at most two units each
  unsigned char* out = buffer;
  auto put = [&out](std::uint32_t unit) {
    *out++ = static_cast<unsigned char>(unit & 0xFF);
    *out++ = static_cast<unsigned char>((unit >> 8) & 0xFF);
  };
  put(0xFEFF);
  for (std::size_t i = 0; i < length; ++i) {
    const auto c = static_cast<std::uint32_t>(text[i]);
    if (isHigh(c) && i + 1 < length && isLow(static_cast<std::uint32_t>(text[i + 1]))) {
      put(c);
      put(static_cast<std::uint32_t>(text[++i]));
    } else if (isHigh(c) || isLow(c) || c > 0x10FFFF) {
      put(0xFFFD);
    } else if (c > 0xFFFF) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  TakeBuffer(buffer, static_cast<std::uint64_t>(out - buffer));
}

void CXmlDocument::LoadXml(const wchar_t* text) {
  TakeWide(text);
  ParseInput(true);
}

void CXmlDocument::LoadXml(const wchar_t* text, CXmlEventHandler& handler) {
  TakeWide(text);
  // UTF-16 after a byte order mark starts like neither compressed data nor
  // Fast Infoset, so the bytes are read as text.
  const std::vector<unsigned char> bytes(m_input, m_input + m_inputLength);
  ReleaseInput();
  LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()), handler);
}

void CXmlDocument::LoadXmlStream(const unsigned char* bytes, unsigned long length) {
  Cleanup();
  if (!bytes || length == 0) detail::ThrowXmlStreamEmpty();
  // The bytes are parsed, or inflated, where they lie.
  m_input = bytes;
  m_inputLength = length;
  ParseInput(false);
}

void CXmlDocument::InflateInput() {
  if (m_input && LooksCompressed(m_input, m_inputLength)) {
    // Compressed input must inflate completely, within the context's
    // bounds; the inflated text replaces it.
    const detail::InflateLimits limits{m_context->GetMaxDecompressedSize(),
                                       m_context->GetMaxCompressionRatio()};
    std::uint64_t length = 0;
    unsigned char* inflated = detail::InflateToHeap(m_input, m_inputLength, limits, &length);
    TakeBuffer(inflated, length);
  }
  m_parsedLength = m_inputLength;
}

void CXmlDocument::Parse() {
  try {
    InflateInput();
    // The Fast Infoset reader answers false, having built nothing, when the
    // buffer does not start like Fast Infoset.
    CFastInfosetReader reader(m_context->GetFIContext(), *this);
    if (reader.Parse()) return;
  } catch (const std::bad_alloc&) {  // e.g. data that inflates beyond memory
    detail::ThrowOutOfMemory();
  }
  ParseText();
}

void CXmlDocument::LoadXmlStream(const unsigned char* bytes, unsigned long length,
                                 CXmlEventHandler& handler) {
  Cleanup();
  if (!bytes || length == 0) detail::ThrowXmlStreamEmpty();
  m_input = bytes;
  m_inputLength = length;
  try {
    try {
      InflateInput();
      CFastInfosetReader reader(m_context->GetFIContext(), *this);
      if (!reader.Parse(handler)) {
        CExpatReader text(*m_context, handler);
        text.Parse(reinterpret_cast<const char*>(m_input), m_inputLength, true);
      }
    } catch (const std::bad_alloc&) {
      detail::ThrowOutOfMemory();
    }
  } catch (...) {
    ReleaseInput();
    throw;
  }
  ReleaseInput();
}

void CXmlDocument::ParseText() {
  m_parsedLength = m_inputLength;
  try {
    CExpatReader reader(*this);
    reader.CreateParser();
    reader.Parse(true);
  } catch (const std::bad_alloc&) {
    detail::ThrowOutOfMemory();
  }
}

const std::string& CXmlDocument::LookupNamespaceFromAlias(const char* prefix) const {
  const auto found = m_prefixMap.find(prefix ? prefix : "");
  return found == m_prefixMap.end() ? kEmpty : found->second;
}

void CXmlDocument::SetNamespaceAlias(const std::string& prefix, const std::string& namespaceURI) {
  m_prefixMap[prefix] = namespaceURI;
  m_pendingDeclarations.emplace_back(prefix, namespaceURI);
}

CXmlElement* CXmlDocument::NewElement(std::string_view namespaceURI,
                                      std::string_view localName) {
  std::unique_ptr<CXmlElement> element(new (ArenaAllocate(sizeof(CXmlElement)))
                                           CXmlElement(this));
  element->m_localName.assign(localName.data(), localName.size());
  if (!m_pendingDeclarations.empty()) {
    element->m_declarations.reset(new CXmlElement::NamespaceDeclarations());
    element->m_declarations->swap(m_pendingDeclarations);
  }
  if (!namespaceURI.empty()) {
    // A document uses few namespaces: a short list of the recent ones finds
    // nearly every URI without copying it again.
    for (const auto& known : m_namespaceNames) {
      if (*known == namespaceURI) {
        element->m_namespaceURI = known;
        return element.release();
      }
    }
    element->m_namespaceURI = std::make_shared<const std::string>(namespaceURI);
    const std::size_t kKept = 8;
    if (m_namespaceNames.size() < kKept)
      m_namespaceNames.push_back(element->m_namespaceURI);
    else
      m_namespaceNames[m_namespaceNames.size() - 1] = element->m_namespaceURI;
  }
  return element.release();
}

void CXmlDocument::CountElement() {
  const unsigned int maxDepth = m_context->GetMaxDepth();
  if (maxDepth && m_elementStack.size() >= maxDepth) detail::ThrowDepthLimit(maxDepth);
  const std::uint64_t maxElements = m_context->GetMaxElements();
  if (maxElements && m_elementCount >= maxElements) detail::ThrowElementLimit(maxElements);
  ++m_elementCount;
}

namespace {
std::string_view View(const char* text) { return text ? std::string_view(text) : std::string_view(); }
}  // namespace

CXmlElement* CXmlDocument::AddElement(std::string_view namespaceURI, std::string_view localName) {
  if (m_documentElement) return AddChild(namespaceURI, localName);
  return AddDocElement(std::string(namespaceURI).c_str(), std::string(localName).c_str());
}

CXmlElement* CXmlDocument::AddDocElement(const char* namespaceURI, const char* localName) {
  // A reader adds the document element once; a second one replaces the tree.
  delete m_documentElement;
  m_documentElement = nullptr;
  m_elementStack.clear();
  CountElement();

  CXmlElement* element = NewElement(View(namespaceURI), View(localName));
  m_documentElement = element;
  m_elementStack.push_back({element, nullptr});
  return element;
}

CXmlElement* CXmlDocument::AddChildElement(const char* namespaceURI, const char* localName) {
  if (m_elementStack.empty()) detail::ThrowNoOpenElement(localName ? localName : "");
  return AddChild(View(namespaceURI), View(localName));
}

CXmlElement* CXmlDocument::AddChild(std::string_view namespaceURI, std::string_view localName) {
  if (m_elementStack.empty()) detail::ThrowNoOpenElement(std::string(localName).c_str());
  CountElement();
  CXmlElement* parent = m_elementStack.back().element;
  CXmlElement* before = parent->m_lastChild;
  CXmlElement* element = NewElement(namespaceURI, localName);
  element->m_textOffset = static_cast<std::uint32_t>(
      std::min<std::size_t>(parent->m_text.size(), UINT32_MAX));
  if (before)
    before->m_nextSibling = element;
  else
    parent->m_firstChild = element;
  parent->m_lastChild = element;
  m_elementStack.push_back({element, before});
  return element;
}

void CXmlDocument::AppendTextExcludingCR(CXmlElement* element, const char* text,
                                         unsigned long length) {
  if (!element || !text) return;
  const char* end = text + strnlen(text, length);
  while (text < end) {
    const char* cr = static_cast<const char*>(std::memchr(text, '\r', end - text));
    const char* runEnd = cr ? cr : end;
    if (runEnd > text) element->AppendTextBytes(text, runEnd - text);
    text = cr ? cr + 1 : end;
  }
}

void CXmlDocument::AppendTextExcludingCR(CXmlElement* element, const char* text) {
  AppendTextExcludingCR(element, text, 0xFFFFFFFFul);
}

void CXmlDocument::EndElement() {
  if (m_elementStack.empty()) return;
  const OpenElement closed = m_elementStack.back();
  m_elementStack.pop_back();
  if (m_filter && !m_elementStack.empty() && m_filter(closed.element)) {
    // The closed element is its parent's last child, and the child before it
    // was recorded when it was added: unlinking costs no walk of the list.
    m_elementStack.back().element->UnlinkLastChild(closed.before);
    delete closed.element;
  }
}

void CXmlDocument::RecordSourceInfo(const CXmlElement* element, unsigned long line) {
  // The element was just opened: its parent is the one below it on the stack.
  const std::size_t depth = m_elementStack.size();
  const CXmlElement* parent = depth >= 2 ? m_elementStack[depth - 2].element : nullptr;
  m_sourceInfo[element] = SourceInfo{parent, line};
}

unsigned long CXmlDocument::GetLineNumber(const CXmlElement* element) const {
  const auto found = m_sourceInfo.find(element);
  return found == m_sourceInfo.end() ? 0 : found->second.line;
}

const std::string* CXmlDocument::LookupNamespace(const CXmlElement* element,
                                                 const std::string& prefix) const {
  static const std::string kXmlNamespace = detail::kXmlNamespace;
  if (prefix == "xml") return &kXmlNamespace;
  while (element) {
    // A start tag declares each prefix once.
    for (const auto& declaration : element->GetNamespaceDeclarations())
      if (declaration.first == prefix) return &declaration.second;
    const auto found = m_sourceInfo.find(element);
    if (found == m_sourceInfo.end()) return nullptr;
    element = found->second.parent;
  }
  return nullptr;
}

void CXmlDocument::PopElement() {
  if (m_elementStack.empty()) return;
  m_elementStack.pop_back();
}

}  // namespace VxXmlLib10
