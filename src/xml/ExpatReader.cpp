// The XML text reader: expat callbacks feeding the document's builder.
#include "vxxml/ExpatReader.h"

#include <expat.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/Hints.h"
#include "base/LocalText.h"
#include "base/Utf8.h"
#include "vxxml/Encoder.h"
#include "vxxml/XmlDocument.h"
#include "xml/Messages.h"
#include "xml/TextFilter.h"
#include "xml/TreeBuilder.h"
#include "xml/XmlChars.h"

namespace VxXmlLib10 {

namespace {

constexpr std::uint64_t kScratchSize = 1024;
// The flag of a handler that takes every run of text.
constexpr bool kKeepsText = false;
// expat refuses a document whose namespace names hold the separator, so it
// is a character no XML 1.0 document can hold, even as a reference: a URI
// with '|' reads like any other.
constexpr char kNamespaceSeparator = '\x01';

// The part of a NUL-terminated string up to its first byte that is NUL or
// `stop`: its length, and whether all of it is ASCII.
struct Scan {
  std::size_t length;
  bool ascii;
};

#if defined(__SANITIZE_ADDRESS__)
#define VXXML_BLOCK_SCAN 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VXXML_BLOCK_SCAN 0
#endif
#endif
#if !defined(VXXML_BLOCK_SCAN) && defined(__SSE2__)
#define VXXML_BLOCK_SCAN 1
#endif

#if VXXML_BLOCK_SCAN
// Sixteen bytes at a time, from the aligned block that holds the first: a
// load never reaches past the block that holds the end, so never into a
// page the string does not touch. (The sanitizer builds take the byte loop:
// the bytes around the string are not the string's.)
inline Scan ScanTo(const char* s, char stop) {
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(s);
  std::uintptr_t block = start & ~std::uintptr_t{15};
  const __m128i zero = _mm_setzero_si128();
  const __m128i stops = _mm_set1_epi8(stop);
  unsigned high = 0;
  unsigned mine = ~0u << (start - block);  // the block's bytes that belong to s
  for (;; block += 16, mine = ~0u) {
    const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
    const unsigned hit = static_cast<unsigned>(_mm_movemask_epi8(
                             _mm_or_si128(_mm_cmpeq_epi8(v, zero), _mm_cmpeq_epi8(v, stops)))) &
                         mine;
    const unsigned top = static_cast<unsigned>(_mm_movemask_epi8(v)) & mine;
    if (hit) {
      const unsigned first = static_cast<unsigned>(__builtin_ctz(hit));
      high |= top & ((1u << first) - 1);
      return {static_cast<std::size_t>(block + first - start), high == 0};
    }
    high |= top;
  }
}
#else
inline Scan ScanTo(const char* s, char stop) {
  unsigned char high = 0;
  const char* p = s;
  for (; *p && *p != stop; ++p) high |= static_cast<unsigned char>(*p);
  return {static_cast<std::size_t>(p - s), high < 0x80};
}
#endif

// An expanded name as expat reports it with prefixes, "URI<separator>local"
// or "URI<separator>local<separator>prefix"; without a separator the whole
// name is local and the namespace is "". Each part is scanned once, the local
// name's scan telling whether it is all ASCII.
struct SplitName {
  const char* uri;
  std::size_t uriLength;
  const char* local;
  std::size_t localLength;
  const char* prefix;
  std::size_t prefixLength;
  bool asciiLocal;
};

void Split(const char* name, SplitName& out) {
  const Scan first = ScanTo(name, kNamespaceSeparator);
  out.uri = name;
  out.prefix = name;
  out.prefixLength = 0;
  if (name[first.length] == '\0') {
    out.uriLength = 0;
    out.local = name;
    out.localLength = first.length;
    out.asciiLocal = first.ascii;
    return;
  }
  out.uriLength = first.length;
  out.local = name + first.length + 1;
  const Scan second = ScanTo(out.local, kNamespaceSeparator);
  out.localLength = second.length;
  out.asciiLocal = second.ascii;
  if (out.local[second.length] == '\0') return;
  out.prefix = out.local + second.length + 1;
  out.prefixLength = std::strlen(out.prefix);
}

}  // namespace

CExpatReader::CExpatReader(CXmlDocument& document)
    : CInstanceMonitor("CExpatReader"),
      m_document(&document),
      m_context(document.GetSerializationContext()),
      m_builder(new detail::CTreeBuilder(document, true)),
      m_handler(m_builder.get()),
      m_dropsText(&kKeepsText) {}

CExpatReader::CExpatReader(const CXmlSerializationContext& context, CXmlEventHandler& handler)
    : CInstanceMonitor("CExpatReader"),
      m_document(nullptr),
      m_context(context),
      m_handler(&handler),
      m_dropsText(&kKeepsText) {
  if (auto* filter = dynamic_cast<detail::CTextFilter*>(&handler))
    m_dropsText = filter->WatchDropsText();
}

CExpatReader::~CExpatReader() {
  Cleanup();
  FreeParser();
}

void CExpatReader::Cleanup() {
  delete[] m_scratch;
  m_scratch = nullptr;
  m_scratchSize = 0;
}

void CExpatReader::FreeParser() {
  if (m_parser) XML_ParserFree(m_parser);
  m_parser = nullptr;
}

void CExpatReader::CreateParser() {
  if (!m_scratch) {
    m_scratch = new char[kScratchSize];
    m_scratchSize = kScratchSize;
  }
  FreeParser();
  m_heldBack.clear();
  m_given = 0;
  m_form = Form::Unknown;
  m_error = nullptr;
  m_started = false;
  m_declaredCount = 0;
  const bool namespaces =
      (m_document ? m_document->GetSchemaType() : m_context.GetSchemaType()) !=
      SchemaType_NoNamespaces;
  m_parser = namespaces ? XML_ParserCreateNS(nullptr, kNamespaceSeparator)
                        : XML_ParserCreate(nullptr);
  if (!m_parser) detail::ThrowParserCreateFailed();
  if (m_document) m_reportLines = m_document->GetKeepSourceInfo();

  XML_SetUserData(m_parser, this);
  if (namespaces) XML_SetReturnNSTriplet(m_parser, XML_TRUE);
  XML_SetElementHandler(m_parser, FnStartElement, FnEndElement);
  XML_SetNamespaceDeclHandler(m_parser, FnStartNamespace, FnEndNamespace);
  XML_SetCharacterDataHandler(m_parser, FnText);
  if (!m_context.GetStripCDATA())
    XML_SetCdataSectionHandler(m_parser, FnStartCDATA, FnEndCDATA);
  XML_SetCommentHandler(m_parser, FnComment);
  XML_SetProcessingInstructionHandler(m_parser, FnProcessingInstruction);
  XML_SetStartDoctypeDeclHandler(m_parser, FnStartDoctype);
  // expat reports well-formed UTF-8; only locales other than UTF-8 need a
  // conversion.
  m_identity = detail::Utf8IsLocalText();
}

void CExpatReader::Parse(bool isFinal) {
  if (!m_parser) CreateParser();
  const unsigned char* data = m_document ? m_document->GetBuffer() : nullptr;
  const std::uint64_t length = m_document ? m_document->GetBufferLength() : 0;
  Feed(reinterpret_cast<const char*>(data), length, isFinal);
}

void CExpatReader::Parse(const char* bytes, std::uint64_t length, bool isFinal) {
  if (!m_parser) CreateParser();
  Feed(bytes, length, isFinal);
}

void CExpatReader::Feed(const char* bytes, std::uint64_t length, bool isFinal) {
  if (!m_started) {
    m_started = true;
    m_handler->StartDocument();
  }
  static const char kNothing[] = "";
  const char* p = bytes ? bytes : kNothing;
  std::uint64_t left = bytes ? length : 0;

  // expat copies what it is given into a buffer of its own before parsing
  // it, so a large input goes in pieces: the copy stays small however large
  // the document.
  const std::uint64_t kPiece = std::uint64_t(1) << 24;
  int status;
  do {
    const std::size_t piece = static_cast<std::size_t>(left > kPiece ? kPiece : left);
    left -= piece;
    status = Give(p, piece, isFinal && left == 0);
    p += piece;
  } while (status == XML_STATUS_OK && left > 0);

  if (m_error) {  // a callback failed and stopped the parse
    Cleanup();
    FreeParser();
    std::rethrow_exception(m_error);
  }
  if (status != XML_STATUS_OK) {
    const XML_Error code = XML_GetErrorCode(m_parser);
    const unsigned long line = XML_GetCurrentLineNumber(m_parser);
    const char* text = XML_ErrorString(code);
    Cleanup();
    FreeParser();
    detail::ThrowXmlParseError(text, line);
  }
  if (isFinal) {
    FreeParser();
    m_handler->EndDocument();
  }
}

// Errors must not depend on where the pieces end, but expat reports junk
// after the document element differently when a piece ends inside it: a name
// cut off at the end is "junk after document element", the same name seen
// whole before a character no name may be followed by is "invalid token". So
// a piece that is not the last is parsed only up to its last '>', where no
// token can be cut, and its rest waits for the next piece. A rest that grows
// past kHoldLimit without a '>' goes on as it is. In UTF-16 a '>' is two
// bytes at an even offset of the document.
int CExpatReader::Give(const char* bytes, std::size_t length, bool isFinal) {
  constexpr std::size_t kHoldLimit = 1 << 16;
  if (m_form == Form::Unknown) {
    // The first two bytes tell UTF-16 (with or without a byte order mark)
    // from the encodings of single bytes, where every 0x3E is a '>'.
    if (!isFinal && m_heldBack.size() + length < 2) {
      m_heldBack.append(bytes, length);
      return XML_STATUS_OK;
    }
    std::string head = m_heldBack.substr(0, 2);
    head.append(bytes, std::min<std::size_t>(length, 2 - head.size()));
    head.resize(2, '\x01');
    m_form = head == "\xFF\xFE" || head == std::string("<\0", 2)   ? Form::Utf16LE
             : head == "\xFE\xFF" || head == std::string("\0<", 2) ? Form::Utf16BE
                                                                : Form::Bytes;
  }
  std::size_t take = length;
  if (!isFinal) {
    take = 0;
    if (m_form == Form::Bytes) {
      const std::size_t gt = std::string_view(bytes, length).rfind('>');
      if (gt != std::string_view::npos) take = gt + 1;
    } else {
      // Where this piece starts in the document decides which offsets are even.
      const std::uint64_t start = m_given + m_heldBack.size();
      const char first = m_form == Form::Utf16LE ? '>' : '\0';
      const char second = m_form == Form::Utf16LE ? '\0' : '>';
      for (std::size_t i = length; i >= 2; --i) {
        if (bytes[i - 2] == first && bytes[i - 1] == second && (start + i) % 2 == 0) {
          take = i;
          break;
        }
      }
    }
    if (m_heldBack.size() + length - take > kHoldLimit) take = length;
  }
  if (!isFinal && take == 0) {
    m_heldBack.append(bytes, length);
    return XML_STATUS_OK;
  }
  const std::size_t total = m_heldBack.size() + take;
  if (total == 0) return XML_Parse(m_parser, bytes, 0, isFinal);
  void* buffer = XML_GetBuffer(m_parser, static_cast<int>(total));
  if (!buffer) return XML_STATUS_ERROR;
  std::memcpy(buffer, m_heldBack.data(), m_heldBack.size());
  std::memcpy(static_cast<char*>(buffer) + m_heldBack.size(), bytes, take);
  m_heldBack.assign(bytes + take, length - take);
  m_given += total;
  return XML_ParseBuffer(m_parser, static_cast<int>(total), isFinal);
}

// ---- callbacks -------------------------------------------------------------
//
// Exceptions must not cross expat's C frames: a callback that fails records
// the exception and stops the parser, and Parse rethrows it. expat may still
// deliver a few events after the stop; they are ignored.

void CExpatReader::Abort() {
  m_error = std::current_exception();
  XML_StopParser(m_parser, XML_FALSE);
}

void CExpatReader::Convert(std::string& out, const char* utf8, std::size_t length) {
  if (m_identity || length == 0) {
    out.append(utf8, length);
    return;
  }
  // The scratch buffer: its first half holds 128 wide characters, its second
  // half 512 bytes of output; longer strings use temporary space.
  wchar_t* wide = reinterpret_cast<wchar_t*>(m_scratch);
  char* local = m_scratch + m_scratchSize / 2;
  const unsigned long wideSize = m_scratch ? m_scratchSize / 2 / sizeof(wchar_t) : 0;
  const unsigned long localSize = m_scratch ? m_scratchSize / 2 : 0;
  const int n = length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
  out += CEncoder::Utf8ToLocalCodePage(
      reinterpret_cast<unsigned char*>(const_cast<char*>(utf8)), n, m_scratch ? wide : nullptr,
      wideSize, m_scratch ? local : nullptr, localSize);
}

std::string_view CExpatReader::Local(const char* utf8, std::size_t length, std::string& work) {
  if (m_identity) return std::string_view(utf8, length);
  work.clear();
  Convert(work, utf8, length);
  return work;
}

#define VXXML_EXPAT_CALLBACK(call)             \
  auto* self = static_cast<CExpatReader*>(userData); \
  if (self->m_error) return;                  \
  try {                                       \
    call;                                     \
  } catch (...) {                             \
    self->Abort();                            \
  }

void CExpatReader::FnStartElement(void* userData, const char* name, const char** attributes) {
  VXXML_EXPAT_CALLBACK(self->StartElement(name, attributes))
}

// expat's tables for single-byte encodings take a few characters in names
// (U+00AA, U+00B5, U+00BA) that XML 1.0 does not; such a name could not be
// written again. Names are UTF-8 here; an ASCII one expat has checked fully,
// so the callers pass only names that are not.
void CExpatReader::CheckName(const char* name, std::size_t n) {
  const bool noNamespaces =
      (m_document ? m_document->GetSchemaType() : m_context.GetSchemaType()) ==
      SchemaType_NoNamespaces;
  bool ascii;  // expat has taken the name: only the ranges are left to check
  if (!detail::IsNameInRanges(reinterpret_cast<const unsigned char*>(name), n, noNamespaces,
                              &ascii))
    detail::ThrowXmlParseError("not well-formed (invalid token)",
                               XML_GetCurrentLineNumber(m_parser));
}

void CExpatReader::StartElement(const char* name, const char** attributes) {
  SplitName split;
  Split(name, split);
  if (VXXML_UNLIKELY(!split.asciiLocal)) CheckName(split.local, split.localLength);
  // The reader's own event, every field set below: a fresh one would be
  // cleared as a block first, for each element.
  CXmlStartElement& event = m_event;
  event.namespaceURI = Local(split.uri, split.uriLength, m_namespaceURI);
  event.localName = Local(split.local, split.localLength, m_localName);
  event.prefix = Local(split.prefix, split.prefixLength, m_prefix);
  event.line = VXXML_UNLIKELY(m_reportLines) ? XML_GetCurrentLineNumber(m_parser) : 0;
  event.attributes = nullptr;
  event.attributeCount = 0;
  if (attributes && attributes[0]) TakeAttributes(attributes);
  event.declarations = nullptr;
  event.declarationCount = 0;
  if (VXXML_UNLIKELY(m_declaredCount)) TakeDeclarations();
  m_handler->StartElement(event);
}

// The attributes of the start tag under way, into its event.
void CExpatReader::TakeAttributes(const char** attributes) {
  std::size_t count = 0;
  for (const char** pair = attributes; pair[0]; pair += 2) ++count;
  if (m_attributes.size() < count) m_attributes.resize(count);
  // Work strings for the conversions: unused when the names and values are
  // taken as they are.
  if (m_strings.size() < 4 * count) m_strings.resize(4 * count);
  SplitName split;
  for (std::size_t i = 0; i < count; ++i) {
    const char* attributeName = attributes[2 * i];
    const char* attributeValue = attributes[2 * i + 1] ? attributes[2 * i + 1] : "";
    Split(attributeName, split);
    if (VXXML_UNLIKELY(!split.asciiLocal)) CheckName(split.local, split.localLength);
    CXmlEventAttribute& attribute = m_attributes[i];
    std::string* work = &m_strings[4 * i];
    attribute.namespaceURI = Local(split.uri, split.uriLength, work[0]);
    attribute.localName = Local(split.local, split.localLength, work[1]);
    attribute.prefix = Local(split.prefix, split.prefixLength, work[2]);
    attribute.value = Local(attributeValue, std::strlen(attributeValue), work[3]);
  }
  m_event.attributes = m_attributes.data();
  m_event.attributeCount = count;
}

// The namespace declarations met since the last start tag, into its event.
void CExpatReader::TakeDeclarations() {
  if (m_declarations.size() < m_declaredCount) m_declarations.resize(m_declaredCount);
  for (std::size_t i = 0; i < m_declaredCount; ++i)
    m_declarations[i] = CXmlEventNamespace{m_declared[2 * i], m_declared[2 * i + 1]};
  m_event.declarations = m_declarations.data();
  m_event.declarationCount = m_declaredCount;
  m_declaredCount = 0;
}

void CExpatReader::FnEndElement(void* userData, const char*) {
  VXXML_EXPAT_CALLBACK(self->m_handler->EndElement())
}

// Declarations arrive before the start tag that makes them; they are kept
// for it.
void CExpatReader::FnStartNamespace(void* userData, const char* prefix, const char* uri) {
  VXXML_EXPAT_CALLBACK({
    const std::size_t prefixLength = prefix ? std::strlen(prefix) : 0;
    if (!detail::IsAscii(prefix, prefixLength)) self->CheckName(prefix, prefixLength);
    const std::size_t at = 2 * self->m_declaredCount;
    if (self->m_declared.size() < at + 2) self->m_declared.resize(at + 2);
    self->m_declared[at].clear();
    self->m_declared[at + 1].clear();
    if (prefix) self->Convert(self->m_declared[at], prefix, prefixLength);
    if (uri) self->Convert(self->m_declared[at + 1], uri, std::strlen(uri));
    ++self->m_declaredCount;
  })
}

void CExpatReader::FnEndNamespace(void*, const char*) {}

// Most runs of indentation end here: the delivery is a function of its own
// (never inlined), so that this test runs before any register is saved.
void CExpatReader::FnText(void* userData, const char* text, int length) {
  if (length <= 0 || *static_cast<CExpatReader*>(userData)->m_dropsText) return;
  Text(userData, text, length);
}

// expat has already turned line ends into LF; a CR it reports came from a
// character reference and is kept.
VXXML_NOINLINE void CExpatReader::Text(void* userData, const char* text, int length) {
  VXXML_EXPAT_CALLBACK(self->m_handler->Characters(
      self->Local(text, static_cast<std::size_t>(length), self->m_text)))
}

void CExpatReader::FnStartCDATA(void* userData) {
  VXXML_EXPAT_CALLBACK(self->m_handler->StartCDATA())
}

void CExpatReader::FnEndCDATA(void* userData) {
  VXXML_EXPAT_CALLBACK(self->m_handler->EndCDATA())
}

void CExpatReader::FnComment(void* userData, const char* text) {
  VXXML_EXPAT_CALLBACK(self->Comment(text))
}

void CExpatReader::Comment(const char* text) {
  m_handler->Comment(Local(text, std::strlen(text), m_text));
}

void CExpatReader::FnProcessingInstruction(void* userData, const char* target, const char* data) {
  VXXML_EXPAT_CALLBACK(self->ProcessingInstruction(target, data))
}

void CExpatReader::ProcessingInstruction(const char* target, const char* data) {
  if (!data) data = "";
  m_handler->ProcessingInstruction(Local(target, std::strlen(target), m_localName),
                                   Local(data, std::strlen(data), m_text));
}

void CExpatReader::FnStartDoctype(void* userData, const char* name, const char* systemId,
                                  const char* publicId, int) {
  VXXML_EXPAT_CALLBACK(self->Doctype(name, systemId, publicId))
}

void CExpatReader::Doctype(const char* name, const char* systemId, const char* publicId) {
  if (!systemId) systemId = "";
  if (!publicId) publicId = "";
  m_handler->DocumentType(Local(name, std::strlen(name), m_localName),
                          Local(systemId, std::strlen(systemId), m_namespaceURI),
                          Local(publicId, std::strlen(publicId), m_prefix));
}

#undef VXXML_EXPAT_CALLBACK

}  // namespace VxXmlLib10
