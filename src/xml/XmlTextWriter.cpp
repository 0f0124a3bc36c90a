// XML text output: declaration, escaping, indentation and line ends.
#include "vxxml/XmlTextWriter.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "xml/XmlMessages.h"

namespace VxXmlLib10 {

namespace {

const char kXsiNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";

// Byte classes of the escaping tables. Class 0 bytes are copied as runs; the
// NUL terminator has its own class so the run scan needs no length test.
enum ByteClass : unsigned char {
  kClean = 0,
  kEnd,
  kAmp,
  kLt,
  kGt,
  kQuot,
  kLineFeedRef,  // LF in an attribute value
  kDrop,         // CR
  kLineEnd       // LF in text: the writer's line end
};

struct EscapeTables {
  unsigned char text[256];
  unsigned char attribute[256];
  EscapeTables() : text(), attribute() {
    text[0] = attribute[0] = kEnd;
    text['&'] = attribute['&'] = kAmp;
    text['<'] = attribute['<'] = kLt;
    text['>'] = attribute['>'] = kGt;
    text['\r'] = attribute['\r'] = kDrop;
    text['\n'] = kLineEnd;
    attribute['\n'] = kLineFeedRef;
    attribute['"'] = kQuot;
  }
};

const EscapeTables kTables;

const char kTabs[] = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";

bool StartsWithCData(const std::string& text) {
  return text.size() >= 9 && text[0] == '<' && std::memcmp(text.data(), "<![CDATA[", 9) == 0;
}

}  // namespace

CXmlTextWriter::CXmlTextWriter(CTextStream& stream)
    : CXmlWriter("CXmlTextWriter"),
      m_lineEnd{'\n', 0, 0},
      m_lineEndLength(1),
      m_eolType(EOLType_LF),
      m_format(true),
      m_stream(stream) {}

CXmlTextWriter::~CXmlTextWriter() = default;

void CXmlTextWriter::Open() {
  CXmlWriter::Open();
  m_stream.Open();
}

void CXmlTextWriter::Close() {
  m_stream.Close();
  CXmlWriter::Close();
}

void CXmlTextWriter::SetEOLType(EOLType type) {
  switch (type) {
    case EOLType_CRLF:
      m_lineEnd[0] = '\r';
      m_lineEnd[1] = '\n';
      m_lineEndLength = 2;
      break;
    case EOLType_LF:
      m_lineEnd[0] = '\n';
      m_lineEndLength = 1;
      break;
    default:
      detail::ThrowInvalidEOLType();
  }
  m_eolType = type;
}

void CXmlTextWriter::AppendTabs(int32_t count) {
  const int32_t chunk = static_cast<int32_t>(sizeof(kTabs) - 1);
  for (; count > chunk; count -= chunk) m_stream.Append(kTabs, static_cast<size_t>(chunk));
  if (count > 0) m_stream.Append(kTabs, static_cast<size_t>(count));
}

void CXmlTextWriter::PadAndAppend(const char* text, bool inAttribute) {
  if (text) AppendEscaped(text, std::strlen(text), inAttribute);
}

// Finds the next byte of p..end that is not clean (class other than 0).
static const unsigned char* NextSpecial(const unsigned char* p, const unsigned char* end,
                                        const unsigned char* table, bool inAttribute) {
#if defined(__SSE2__)
  // Sixteen bytes per step: compare with each byte that the tables escape.
  const __m128i amp = _mm_set1_epi8('&'), lt = _mm_set1_epi8('<'), gt = _mm_set1_epi8('>');
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), nul = _mm_setzero_si128();
  const __m128i quot = _mm_set1_epi8(inAttribute ? '"' : 0);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hit = _mm_or_si128(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_cmpeq_epi8(v, lt)),
                     _mm_or_si128(_mm_cmpeq_epi8(v, gt), _mm_cmpeq_epi8(v, cr))),
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, nul)),
                     _mm_cmpeq_epi8(v, quot)));
    const int mask = _mm_movemask_epi8(hit);
    if (mask) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#else
  (void)inAttribute;
#endif
  while (p < end && table[*p] == kClean) ++p;
  return p;
}

void CXmlTextWriter::AppendEscaped(const char* text, size_t length, bool inAttribute) {
  const unsigned char* table = inAttribute ? kTables.attribute : kTables.text;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* const end = p + length;
  for (;;) {
    const unsigned char* run = p;
    p = NextSpecial(p, end, table, inAttribute);
    if (p != run) m_stream.Append(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run));
    if (p == end) return;
    switch (table[*p]) {
      case kEnd:  // the text ends at a NUL byte
        return;
      case kAmp:
        m_stream.Append("&amp;", 5);
        break;
      case kLt:
        m_stream.Append("&lt;", 4);
        break;
      case kGt:
        m_stream.Append("&gt;", 4);
        break;
      case kQuot:
        m_stream.Append("&quot;", 6);
        break;
      case kLineFeedRef:
        m_stream.Append("&#xA;", 5);
        break;
      case kLineEnd:
        AppendLineEnd();
        break;
      default:  // kDrop
        break;
    }
    ++p;
  }
}

void CXmlTextWriter::AppendDeclarations() {
  for (const NamespaceDeclaration& d : m_due) {
    if (d.prefix.empty()) {
      m_stream.Append(" xmlns=\"", 8);
    } else {
      m_stream.Append(" xmlns:", 7);
      m_stream.Append(d.prefix);
      m_stream.Append("=\"", 2);
    }
    AppendEscaped(d.uri.data(), d.uri.size(), true);
    m_stream.Append('"');
  }
  m_due.clear();
}

void CXmlTextWriter::WriteStartDocument() {
  m_stream.Append("<?xml version=\"1.0\"", 19);
  switch (m_stream.GetEncoding()) {
    case XmlEncoding_UTF8:
      m_stream.Append(" encoding=\"UTF-8\"", 17);
      break;
    case XmlEncoding_UTF16:
      m_stream.Append(" encoding=\"UTF-16\"", 18);
      break;
    default:
      break;
  }
  m_stream.Append("?>", 2);
  AppendLineEnd();
  FlushCheck();
}

void CXmlTextWriter::WriteHeaderDirective(const std::string& text) {
  if (m_current) detail::ThrowHeaderDirectiveAfterElement();
  m_stream.Append(text);
  AppendLineEnd();
  FlushCheck();
}

void CXmlTextWriter::WriteRawElement(const std::string& text) {
  DeclarePending();
  m_stream.Append(text);
  if (m_format) AppendLineEnd();
}

void CXmlTextWriter::CloseParentElm() {
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context) return;
  ++context->m_childCount;
  if (context->m_startTagOpen) {
    context->m_startTagOpen = false;
    m_stream.Append('>');
    if (m_format) AppendLineEnd();
  }
}

void CXmlTextWriter::ClosePendingStartTag() {
  if (m_current && m_current->m_startTagOpen) CloseParentElm();
}

void CXmlTextWriter::WriteComment(const std::string& text) {
  DeclarePending();
  ClosePendingStartTag();
  // "--" may not appear inside a comment, nor "-" right before its end; CR
  // is dropped by the escaping, so it must not keep two hyphens apart.
  std::string safe;
  const char* body = text.c_str();
  if (std::strchr(body, '-')) {
    safe.reserve(text.size() * 2);
    for (const char* p = body; *p; ++p) {
      if (*p == '\r') continue;
      if (*p == '-' && !safe.empty() && safe.back() == '-') safe += ' ';
      safe += *p;
    }
    if (!safe.empty() && safe.back() == '-') safe += ' ';
    body = safe.c_str();
  }
  m_stream.Append("<!--", 4);
  PadAndAppend(body, false);
  m_stream.Append("-->", 3);
  AppendLineEnd();
  FlushCheck();
}

void CXmlTextWriter::WritePI(const std::string& text) {
  DeclarePending();
  ClosePendingStartTag();
  m_stream.Append(text);
  AppendLineEnd();
  AppendLineEnd();
  FlushCheck();
}

void CXmlTextWriter::WriteInlineSchema(const std::string& text) {
  DeclarePending();
  ClosePendingStartTag();
  m_stream.Append(' ');
  AppendLineEnd();
  m_stream.Append(text);
  AppendLineEnd();
  FlushCheck();
}

void CXmlTextWriter::WriteStartElement(const std::string& localName,
                                       const std::string& namespaceURI) {
  DeclarePending();
  CloseParentElm();
  CXmlWriterContext* context = PushContext(localName, namespaceURI);
  PlanStartElement(m_due);
  if (m_format && context->m_depth > 0) AppendTabs(context->m_depth);
  m_stream.Append('<');
  if (!context->m_prefix.empty()) {
    m_stream.Append(context->m_prefix);
    m_stream.Append(':');
  }
  m_stream.Append(localName);
  AppendDeclarations();
  FlushCheck();
}

void CXmlTextWriter::WriteString(const std::string& text, ItemType) {
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context) detail::ThrowNoOpenElementForText();
  if (text.empty()) return;
  if (context->m_startTagOpen) {
    m_stream.Append('>');
    context->m_startTagOpen = false;
  }
  if (StartsWithCData(text))
    m_stream.Append(text);
  else
    AppendEscaped(text.data(), text.size(), false);
  FlushCheck();
}

void CXmlTextWriter::WriteEndElement() {
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context) detail::ThrowNoOpenElementToEnd();
  if (context->m_startTagOpen) {
    m_stream.Append("/>", 2);
  } else {
    if (m_format && context->m_childCount > 0 && context->m_depth > 0)
      AppendTabs(context->m_depth);
    m_stream.Append("</", 2);
    if (!context->m_prefix.empty()) {
      m_stream.Append(context->m_prefix);
      m_stream.Append(':');
    }
    m_stream.Append(context->m_localName);
    m_stream.Append('>');
  }
  if (m_format) AppendLineEnd();
  FlushCheck();
  PopContext();
}

void CXmlTextWriter::WriteAttributeString(const std::string& localName,
                                          const std::string& namespaceURI,
                                          const std::string& value, ItemType) {
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  const std::string& prefix = PlanAttributePrefix(namespaceURI, m_due);
  AppendDeclarations();
  m_stream.Append(' ');
  if (!prefix.empty()) {
    m_stream.Append(prefix);
    m_stream.Append(':');
  }
  m_stream.Append(localName);
  m_stream.Append("=\"", 2);
  AppendEscaped(value.data(), value.size(), true);
  m_stream.Append('"');
  FlushCheck();
}

void CXmlTextWriter::WriteAttributeType(const std::string& typeNamespaceURI,
                                        const std::string& typeName, ItemType type) {
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  const std::string value = PlanTypeValue(typeNamespaceURI, typeName, m_due);
  if (!m_due.empty()) {
    AppendDeclarations();
    m_stream.Append(' ');
  }
  WriteAttributeString("type", kXsiNamespace, value, type);
}

void CXmlTextWriter::WriteAttributeNil() {
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  WriteAttributeString("nil", kXsiNamespace, "true", ItemType_boolean);
}

}  // namespace VxXmlLib10
