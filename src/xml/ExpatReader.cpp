// The XML text reader: expat callbacks feeding the document's builder.
#include "vxxml/ExpatReader.h"

#include <expat.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/LocalText.h"
#include "vxxml/Encoder.h"
#include "vxxml/XmlDocument.h"
#include "xml/Messages.h"
#include "xml/XmlChars.h"

namespace VxXmlLib10 {

namespace {

constexpr std::uint64_t kScratchSize = 1024;
// expat refuses a document whose namespace names hold the separator, so it
// is a character no XML 1.0 document can hold, even as a reference: a URI
// with '|' reads like any other.
constexpr char kNamespaceSeparator = '\x01';

// Splits an expanded name "URI<separator>local" at its separator. Without a
// separator the whole name is local and the namespace is "".
const char* FindSeparator(const char* name) { return std::strrchr(name, kNamespaceSeparator); }

}  // namespace

CExpatReader::CExpatReader(CXmlDocument& document)
    : CInstanceMonitor("CExpatReader"),
      m_document(document),
      m_scratch(nullptr),
      m_scratchSize(0),
      m_parser(nullptr),
      m_identity(true) {}

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
  m_error = nullptr;
  m_parser = m_document.GetSchemaType() == SchemaType_NoNamespaces
                 ? XML_ParserCreate(nullptr)
                 : XML_ParserCreateNS(nullptr, kNamespaceSeparator);
  if (!m_parser) detail::ThrowParserCreateFailed();

  XML_SetUserData(m_parser, this);
  XML_SetElementHandler(m_parser, FnStartElement, FnEndElement);
  XML_SetNamespaceDeclHandler(m_parser, FnStartNamespace, FnEndNamespace);
  XML_SetCharacterDataHandler(m_parser, FnText);
  if (!m_document.GetSerializationContext().GetStripCDATA())
    XML_SetCdataSectionHandler(m_parser, FnStartCDATA, FnEndCDATA);
  // expat reports well-formed UTF-8; only locales other than UTF-8 need a
  // conversion.
  m_identity = detail::Utf8IsLocalText();
}

void CExpatReader::Parse(bool isFinal) {
  if (!m_parser) CreateParser();
  const unsigned char* data = m_document.GetBuffer();
  std::uint64_t left = m_document.GetBufferLength();
  static const char kNothing[] = "";
  const char* p = data ? reinterpret_cast<const char*>(data) : kNothing;

  // expat copies what it is given into a buffer of its own before parsing
  // it, so the document goes in pieces: the copy stays small however large
  // the document. Errors and line numbers do not depend on the pieces.
  const std::uint64_t kPiece = std::uint64_t(1) << 24;
  XML_Status status;
  do {
    const int piece = static_cast<int>(left > kPiece ? kPiece : left);
    left -= static_cast<std::uint64_t>(piece);
    status = XML_Parse(m_parser, p, piece, isFinal && left == 0);
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
  if (isFinal) FreeParser();
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

void CExpatReader::FnStartElement(void* userData, const char* name, const char** attributes) {
  auto* self = static_cast<CExpatReader*>(userData);
  if (self->m_error) return;
  try {
    self->StartElement(name, attributes);
  } catch (...) {
    self->Abort();
  }
}

// expat's tables for single-byte encodings take a few characters in names
// (U+00AA, U+00B5, U+00BA) that XML 1.0 does not; such a name could not be
// written again. Names are UTF-8 here; an ASCII one expat has checked fully.
void CExpatReader::CheckName(const char* name) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(name);
  const std::size_t n = std::strlen(name);
  for (std::size_t i = 0; i < n; ++i) {
    if (p[i] < 0x80) continue;
    if (!detail::IsXmlName(p, n, m_document.GetSchemaType() == SchemaType_NoNamespaces))
      detail::ThrowXmlParseError("not well-formed (invalid token)",
                                 XML_GetCurrentLineNumber(m_parser));
    return;
  }
}

void CExpatReader::StartElement(const char* name, const char** attributes) {
  const char* separator = FindSeparator(name);
  const char* local = separator ? separator + 1 : name;
  CheckName(local);
  m_namespaceURI.clear();
  if (separator) Convert(m_namespaceURI, name, static_cast<std::size_t>(separator - name));
  if (!m_identity) {
    m_localName.clear();
    Convert(m_localName, local, std::strlen(local));
    local = m_localName.c_str();
  }
  CXmlElement* element = m_document.GetDocumentElement()
                             ? m_document.AddChildElement(m_namespaceURI.c_str(), local)
                             : m_document.AddDocElement(m_namespaceURI.c_str(), local);
  if (m_document.GetKeepSourceInfo())
    m_document.RecordSourceInfo(element, XML_GetCurrentLineNumber(m_parser));

  for (const char** pair = attributes; pair && pair[0]; pair += 2) {
    const char* attributeName = pair[0];
    const char* attributeValue = pair[1] ? pair[1] : "";
    const char* attributeSeparator = FindSeparator(attributeName);
    const char* attributeLocal = attributeSeparator ? attributeSeparator + 1 : attributeName;
    CheckName(attributeLocal);
    // Fresh strings, moved into the attribute: each byte is copied once.
    std::string localName, value, namespaceURI;
    if (attributeSeparator)
      Convert(namespaceURI, attributeName,
              static_cast<std::size_t>(attributeSeparator - attributeName));
    Convert(localName, attributeLocal, std::strlen(attributeLocal));
    Convert(value, attributeValue, std::strlen(attributeValue));
    m_document.AddElementAttribute(element, std::move(localName), std::move(value),
                                   std::move(namespaceURI));
  }
}

void CExpatReader::FnEndElement(void* userData, const char*) {
  auto* self = static_cast<CExpatReader*>(userData);
  if (self->m_error) return;
  try {
    self->m_document.EndElement();  // the element filter may run user code
  } catch (...) {
    self->Abort();
  }
}

void CExpatReader::FnStartNamespace(void* userData, const char* prefix, const char* uri) {
  auto* self = static_cast<CExpatReader*>(userData);
  if (self->m_error) return;
  try {
    self->m_localName.clear();
    self->m_namespaceURI.clear();
    if (prefix) self->CheckName(prefix);
    if (prefix) self->Convert(self->m_localName, prefix, std::strlen(prefix));
    if (uri) self->Convert(self->m_namespaceURI, uri, std::strlen(uri));
    self->m_document.SetNamespaceAlias(self->m_localName, self->m_namespaceURI);
  } catch (...) {
    self->Abort();
  }
}

void CExpatReader::FnEndNamespace(void*, const char*) {}

void CExpatReader::FnText(void* userData, const char* text, int length) {
  auto* self = static_cast<CExpatReader*>(userData);
  if (self->m_error || length <= 0) return;
  try {
    self->Text(text, length);
  } catch (...) {
    self->Abort();
  }
}

// expat has already turned line ends into LF; a CR it reports came from a
// character reference and is kept.
void CExpatReader::Text(const char* text, int length) {
  CXmlElement* element = m_document.GetCurrentElement();
  if (!element) return;
  if (m_identity) {
    element->AppendTextBytes(text, static_cast<std::size_t>(length));
    return;
  }
  m_text.clear();
  Convert(m_text, text, static_cast<std::size_t>(length));
  element->AppendTextBytes(m_text.data(), m_text.size());
}

void CExpatReader::AppendMarker(const char* marker) {
  if (CXmlElement* element = m_document.GetCurrentElement()) element->AppendText(marker);
}

void CExpatReader::FnStartCDATA(void* userData) {
  auto* self = static_cast<CExpatReader*>(userData);
  if (self->m_error) return;
  try {
    self->AppendMarker("<![CDATA[");
  } catch (...) {
    self->Abort();
  }
}

void CExpatReader::FnEndCDATA(void* userData) {
  auto* self = static_cast<CExpatReader*>(userData);
  if (self->m_error) return;
  try {
    self->AppendMarker("]]>");
  } catch (...) {
    self->Abort();
  }
}

}  // namespace VxXmlLib10
