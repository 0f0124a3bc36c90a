// XML text output: declaration, escaping, indentation and line ends.
#include "vxxml/XmlTextWriter.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/LocalText.h"
#include "base/Utf8.h"
#include "base/XmlNamespaces.h"
#include "vxxml/Encoder.h"
#include "xml/CheckedNames.h"
#include "xml/Messages.h"
#include "xml/NamespacePlanner.h"
#include "xml/TagNames.h"
#include "xml/XmlChars.h"

namespace VxXmlLib10 {

using detail::NamespacePlanner;

namespace {

using detail::kXsiNamespace;

// Byte classes of the escaping tables. Class 0 bytes are copied as runs.
enum ByteClass : unsigned char {
  kClean = 0,
  kAmp,
  kLt,
  kGt,
  kQuot,
  kTabRef,             // TAB in an attribute value
  kLineFeedRef,        // LF in an attribute value
  kCarriageReturnRef,  // CR, which a parser would otherwise turn into a line end or a space
  kLineEnd,            // LF in text: the writer's line end
  kNotAllowed,         // a control character that XML 1.0 cannot carry (NUL included)
  kNonAscii            // an octet of a UTF-8 sequence, checked as a whole
};

// For text, attribute values and raw text (CDATA sections): one table for
// local text that is UTF-8 (checked), one for local text of another code page
// (its octets 0x80 and above are the encoder's business).
struct EscapeTables {
  unsigned char text[256];
  unsigned char attribute[256];
  unsigned char raw[256];
  explicit EscapeTables(bool utf8) : text(), attribute(), raw() {
    for (unsigned char* table : {text, attribute, raw}) {
      for (int b = 0; b < 0x20; ++b) table[b] = kNotAllowed;
      table[unsigned('\t')] = table[unsigned('\n')] = table[unsigned('\r')] = kClean;
      if (utf8)
        for (int b = 0x80; b < 0x100; ++b) table[b] = kNonAscii;
    }
    text[unsigned('&')] = attribute[unsigned('&')] = kAmp;
    text[unsigned('<')] = attribute[unsigned('<')] = kLt;
    text[unsigned('>')] = attribute[unsigned('>')] = kGt;
    text[unsigned('\r')] = attribute[unsigned('\r')] = kCarriageReturnRef;
    text[unsigned('\n')] = kLineEnd;
    attribute[unsigned('\t')] = kTabRef;
    attribute[unsigned('\n')] = kLineFeedRef;
    attribute[unsigned('"')] = kQuot;
  }
};

const EscapeTables kLocalTables(false);
const EscapeTables kUtf8Tables(true);

// Local text is UTF-8 when the locale says so, or when the ASCII-only switch
// passes its octets to UTF-8 output as they are (to UTF-16 it takes each
// octet for the character of that number, and every one is allowed).
bool LocalTextIsUtf8(XmlEncoding encoding) {
  if (ASCII_ONLY) return encoding != XmlEncoding_UTF16 && encoding != XmlEncoding_UTF16NoDecl;
  return detail::IsUtf8Locale();
}

// Length of the UTF-8 sequence at p, refused when ill-formed or not an XML
// character.
size_t CheckedSequence(const unsigned char* p, const unsigned char* end) {
  uint32_t cp;
  const int n = detail::DecodeUtf8(p, end, &cp);
  if (n == 0) detail::ThrowIllFormedText(*p);
  if (!detail::IsXmlChar(cp)) detail::ThrowCharacterNotAllowed(cp);
  return static_cast<size_t>(n);
}

const char kCDataStart[] = "<![CDATA[";
const std::string kXmlns = "xmlns";

// Name classes of every octet: those of ASCII names, the colon only in the
// table that allows it, none for the octets of 0x80 and above (checked as a
// whole by the slow path).
struct NameTables {
  unsigned char withColon[256] = {};
  unsigned char withoutColon[256] = {};
  constexpr NameTables() {
    for (int b = 0; b < 0x80; ++b) withColon[b] = withoutColon[b] = detail::kAsciiName.of[b];
    withoutColon[unsigned(':')] = 0;
  }
};
constexpr NameTables kNameTables;

[[noreturn]] void RefuseName(const std::string& name) { detail::ThrowInvalidName(name); }

// A name with octets of 0x80 and above is checked as UTF-8, which other local
// text is converted to first: octet by octet under the ASCII-only switch,
// else as the locale reads it (an octet it cannot read becomes '?', which no
// name holds).
void CheckNameSlowly(const std::string& name, bool colon, bool utf8) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(name.data());
  const size_t n = name.size();
  if (std::find_if(p, p + n, [](unsigned char b) { return b >= 0x80; }) == p + n)
    RefuseName(name);
  bool valid = false;
  if (utf8) {
    valid = detail::IsXmlName(p, n, colon);
  } else if (ASCII_ONLY) {
    std::string converted;
    for (size_t i = 0; i < n; ++i) {
      unsigned char bytes[4];
      converted.append(reinterpret_cast<const char*>(bytes),
                       static_cast<size_t>(detail::EncodeUtf8(p[i], bytes)));
    }
    valid = detail::IsXmlName(reinterpret_cast<const unsigned char*>(converted.data()),
                              converted.size(), colon);
  } else if (std::memchr(p, 0, n) == nullptr) {
    const CBinaryData converted = CEncoder::LocalCodePageToUtf8Binary(name.c_str());
    valid = detail::IsXmlName(converted.GetData(), converted.GetLength(), colon);
  }
  if (!valid) RefuseName(name);
}

// Throws unless `name` is an XML name (without a colon unless `colon`).
// Names are mostly ASCII and checked by table; any other goes the slow way.
inline void CheckName(const std::string& name, bool colon, bool utf8) {
  const unsigned char* table = colon ? kNameTables.withColon : kNameTables.withoutColon;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(name.data());
  const size_t n = name.size();
  if (n == 0 || !(table[p[0]] & detail::kNameStart)) return CheckNameSlowly(name, colon, utf8);
  for (size_t i = 1; i < n; ++i)
    if (!(table[p[i]] & detail::kNameChar)) return CheckNameSlowly(name, colon, utf8);
}

const char kTabs[] = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";

bool StartsWithCData(const std::string& text, size_t at = 0) {
  return text.size() >= at + 9 && text[at] == '<' &&
         std::memcmp(text.data() + at, kCDataStart, 9) == 0;
}

}  // namespace

CXmlTextWriter::CXmlTextWriter(CTextStream& stream)
    : CXmlWriter("CXmlTextWriter"),
      m_lineEnd{'\n', 0, 0},
      m_lineEndLength(1),
      m_eolType(EOLType_LF),
      m_format(true),
      m_stream(stream),
      m_tagNames(new detail::TagNames()) {
  SelectTables();
}

CXmlTextWriter::~CXmlTextWriter() = default;

void CXmlTextWriter::Open() {
  CXmlWriter::Open();
  m_exactDepth = -1;
  m_stream.Open();
  SelectTables();
}

void CXmlTextWriter::SelectTables() {
  m_utf8 = LocalTextIsUtf8(m_stream.GetEncoding());
  const EscapeTables& tables = m_utf8 ? kUtf8Tables : kLocalTables;
  m_textTable = tables.text;
  m_attributeTable = tables.attribute;
  m_rawTable = tables.raw;
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
  if (text) AppendEscaped(text, std::strlen(text), inAttribute ? m_attributeTable : m_textTable);
}

// Finds the next byte of p..end that is not clean (class other than 0).
static const unsigned char* NextSpecial(const unsigned char* p, const unsigned char* end,
                                        const unsigned char* table, bool utf8) {
#if defined(__SSE2__)
  // Sixteen bytes per step: a candidate is a byte some table escapes (&, <,
  // >, ", the controls below 0x20) or, for UTF-8, any byte of 0x80 or more;
  // the table decides about each candidate.
  const __m128i amp = _mm_set1_epi8('&'), lt = _mm_set1_epi8('<'), gt = _mm_set1_epi8('>');
  const __m128i quot = _mm_set1_epi8('"'), control = _mm_set1_epi8(0x1F);
  const unsigned high = utf8 ? 0xFFFFu : 0u;
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hit =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_cmpeq_epi8(v, lt)),
                     _mm_or_si128(_mm_cmpeq_epi8(v, gt), _mm_cmpeq_epi8(v, quot)));
    const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(v, control), v);  // v <= 0x1F
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(hit, low))) |
                    (static_cast<unsigned>(_mm_movemask_epi8(v)) & high);
    for (; mask; mask &= mask - 1) {
      const unsigned char* candidate = p + __builtin_ctz(mask);
      if (table[*candidate] != kClean) return candidate;
    }
    p += 16;
  }
#else
  (void)utf8;
#endif
  while (p < end && table[*p] == kClean) ++p;
  return p;
}

void CXmlTextWriter::AppendEscaped(const char* text, size_t length, const unsigned char* table) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* const end = p + length;
  const unsigned char* run = p;
  for (;;) {
    p = NextSpecial(p, end, table, m_utf8);
    if (p == end) break;
    const unsigned char c = table[*p];
    if (c == kNonAscii) {  // stays in the run once checked
      p += CheckedSequence(p, end);
      continue;
    }
    if (p != run) m_stream.Append(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run));
    switch (c) {
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
      case kTabRef:
        m_stream.Append("&#9;", 4);
        break;
      case kLineFeedRef:
        m_stream.Append("&#10;", 5);
        break;
      case kCarriageReturnRef:
        m_stream.Append("&#13;", 5);
        break;
      case kLineEnd:
        AppendLineEnd();
        break;
      default:  // kNotAllowed
        detail::ThrowCharacterNotAllowed(*p);
    }
    run = ++p;
  }
  if (p != run) m_stream.Append(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run));
}

// Text that starts with a CDATA section (as the reader marks them): each
// complete section as it is, what lies between sections escaped. A section
// that does not end is plain text.
void CXmlTextWriter::AppendMarkedText(const std::string& text) {
  size_t at = 0;
  while (at < text.size()) {
    if (StartsWithCData(text, at)) {
      const size_t close = text.find("]]>", at + 9);
      if (close != std::string::npos) {
        AppendEscaped(text.data() + at, close + 3 - at, m_rawTable);
        at = close + 3;
        continue;
      }
      AppendEscaped(text.data() + at, text.size() - at, m_textTable);
      return;
    }
    size_t next = text.find(kCDataStart, at);
    if (next == std::string::npos) next = text.size();
    AppendEscaped(text.data() + at, next - at, m_textTable);
    at = next;
  }
}

void CXmlTextWriter::AppendDeclarations() {
  for (const NamespaceDeclaration& d : m_due) {
    if (d.prefix.empty()) {
      if (!m_tagNames->Add(std::string(), kXmlns)) detail::ThrowDuplicateAttribute(kXmlns);
      m_stream.Append(" xmlns=\"", 8);
    } else {
      CheckName(d.prefix, false, m_utf8);
      if (!m_tagNames->Add(kXmlns, d.prefix)) detail::ThrowDuplicateAttribute("xmlns:" + d.prefix);
      m_stream.Append(" xmlns:", 7);
      m_stream.Append(d.prefix);
      m_stream.Append("=\"", 2);
    }
    AppendEscaped(d.uri.data(), d.uri.size(), m_attributeTable);
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
    if (Formats(context->m_depth)) AppendLineEnd();
  }
}

void CXmlTextWriter::SetMixedContent() {
  if (m_current && m_exactDepth < 0) m_exactDepth = m_current->m_depth;
}

inline void CXmlTextWriter::DeclarePending() {
  NamespacePlanner::TakePending(*this, m_due);
  if (!m_due.empty()) AppendDeclarations();
}

void CXmlTextWriter::ClosePendingStartTag() {
  if (m_current && m_current->m_startTagOpen) CloseParentElm();
}

void CXmlTextWriter::WriteComment(const std::string& text) {
  DeclarePending();
  ClosePendingStartTag();
  // "--" may not appear inside a comment, nor "-" right before its end. CR
  // is dropped (a reference means nothing in a comment), so it must not keep
  // two hyphens apart.
  std::string safe;
  const char* body = text.c_str();
  if (std::strpbrk(body, "-\r")) {
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

void CXmlTextWriter::WriteContentComment(const std::string& text) {
  DeclarePending();
  ClosePendingStartTag();
  // As in WriteComment, "--" and a final "-" are kept apart; the text is
  // otherwise the comment's own, not escaped.
  m_stream.Append("<!--", 4);
  if (text.find('-') == std::string::npos) {
    m_stream.Append(text);
  } else {
    char last = 0;
    for (const char c : text) {
      if (c == '-' && last == '-') m_stream.Append(' ');
      m_stream.Append(c);
      last = c;
    }
    if (last == '-') m_stream.Append(' ');
  }
  m_stream.Append("-->", 3);
  if (!m_current) AppendLineEnd();
  FlushCheck();
}

void CXmlTextWriter::WriteProcessingInstruction(const std::string& target,
                                                const std::string& data) {
  DeclarePending();
  ClosePendingStartTag();
  CheckName(target, false, m_utf8);
  m_stream.Append("<?", 2);
  m_stream.Append(target);
  if (!data.empty()) {
    m_stream.Append(' ');
    // "?>" would end the instruction early: a space keeps it apart.
    for (std::size_t at = 0, end; at < data.size(); at = end) {
      end = data.find("?>", at);
      if (end == std::string::npos) end = data.size(); else ++end;
      m_stream.Append(data.data() + at, end - at);
      if (end < data.size()) m_stream.Append(' ');
    }
  }
  m_stream.Append("?>", 2);
  if (!m_current) AppendLineEnd();
  FlushCheck();
}

void CXmlTextWriter::WriteDocumentType(const std::string& name, const std::string& systemId,
                                       const std::string& publicId) {
  // An identifier is quoted with the quote it does not hold.
  auto quoted = [](const std::string& id) {
    const char q = id.find('"') == std::string::npos ? '"' : '\'';
    return q + id + q;
  };
  std::string text = "<!DOCTYPE " + name;
  if (!publicId.empty())
    text += " PUBLIC " + quoted(publicId) + " " + quoted(systemId);
  else if (!systemId.empty())
    text += " SYSTEM " + quoted(systemId);
  text += '>';
  WriteHeaderDirective(text);
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
  const bool nameChecked = detail::CheckedNames::Take(*this);
  DeclarePending();
  CloseParentElm();
  CXmlWriterContext* context = PushContext(localName, namespaceURI);
  NamespacePlanner::PlanStartElement(*this, m_due);
  if (!nameChecked) CheckName(localName, context->m_prefix.empty(), m_utf8);
  m_tagNames->Clear();
  if (context->m_depth > 0 && Formats(context->m_depth - 1)) AppendTabs(context->m_depth);
  m_stream.Append('<');
  if (!context->m_prefix.empty()) {
    m_stream.Append(context->m_prefix);
    m_stream.Append(':');
  }
  m_stream.Append(localName);
  if (!m_due.empty()) AppendDeclarations();
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
    AppendMarkedText(text);
  else
    AppendEscaped(text.data(), text.size(), m_textTable);
  FlushCheck();
}

void CXmlTextWriter::WriteEndElement() {
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context) detail::ThrowNoOpenElementToEnd();
  if (context->m_startTagOpen) {
    m_stream.Append("/>", 2);
  } else {
    if (Formats(context->m_depth) && context->m_childCount > 0 && context->m_depth > 0)
      AppendTabs(context->m_depth);
    m_stream.Append("</", 2);
    if (!context->m_prefix.empty()) {
      m_stream.Append(context->m_prefix);
      m_stream.Append(':');
    }
    m_stream.Append(context->m_localName);
    m_stream.Append('>');
  }
  if (context->m_depth == 0 ? m_format : Formats(context->m_depth - 1)) AppendLineEnd();
  if (context->m_depth == m_exactDepth) m_exactDepth = -1;
  FlushCheck();
  PopContext();
}

void CXmlTextWriter::WriteAttributeString(const std::string& localName,
                                          const std::string& namespaceURI,
                                          const std::string& value, ItemType) {
  const bool nameChecked = detail::CheckedNames::Take(*this);
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  const std::string& prefix =
      NamespacePlanner::PlanAttributePrefix(*this, namespaceURI, m_due);
  if (!nameChecked) CheckName(localName, prefix.empty(), m_utf8);
  AppendDeclarations();
  if (!m_tagNames->Add(prefix, localName))
    detail::ThrowDuplicateAttribute(prefix.empty() ? localName : prefix + ":" + localName);
  m_stream.Append(' ');
  if (!prefix.empty()) {
    m_stream.Append(prefix);
    m_stream.Append(':');
  }
  m_stream.Append(localName);
  m_stream.Append("=\"", 2);
  AppendEscaped(value.data(), value.size(), m_attributeTable);
  m_stream.Append('"');
  FlushCheck();
}

void CXmlTextWriter::WriteAttributeType(const std::string& typeNamespaceURI,
                                        const std::string& typeName, ItemType type) {
  DeclarePending();
  CXmlWriterContext* context = m_current;
  if (!context || !context->m_startTagOpen) detail::ThrowAttributeAfterElement();
  const std::string value =
      NamespacePlanner::PlanTypeValue(*this, typeNamespaceURI, typeName, m_due);
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
