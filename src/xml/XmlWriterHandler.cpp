// Events to writer calls.
#include "vxxml/XmlWriterHandler.h"

#include <cstring>
#include <utility>

#include "vxxml/XmlTextWriter.h"

namespace VxXmlLib10 {

namespace {
bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Copies a name unless it is there already: the namespace of a document
// seldom changes, nor do the names of siblings.
void Take(std::string& to, std::string_view from) {
  if (to.size() != from.size() || std::memcmp(to.data(), from.data(), to.size()) != 0)
    to.assign(from.data(), from.size());
}
}  // namespace

CXmlWriterHandler::CXmlWriterHandler(CXmlWriter& writer)
    : m_writer(writer), m_markCDATA(false), m_format(false) {
  if (const auto* text = dynamic_cast<const CXmlTextWriter*>(&writer)) {
    m_markCDATA = true;
    m_format = text->GetFormat();
  }
}

CXmlWriterHandler::~CXmlWriterHandler() = default;

void CXmlWriterHandler::WriteText() {
  if (m_text.empty()) return;
  if (m_format) {
    // Whitespace alone is layout, which the writer makes anew; other text
    // keeps its element's content as it is.
    if (IsBlank(m_text)) {
      m_text.clear();
      return;
    }
    m_writer.SetMixedContent();
  }
  m_writer.WriteString(m_text, ItemType_string);
  m_text.clear();
}

void CXmlWriterHandler::DocumentType(std::string_view name, std::string_view systemId,
                                     std::string_view publicId) {
  m_writer.WriteDocumentType(std::string(name), std::string(systemId), std::string(publicId));
}

void CXmlWriterHandler::StartElement(const CXmlStartElement& element) {
  WriteText();
  if (element.declarationCount) {
    m_declarations.resize(element.declarationCount);
    for (std::size_t i = 0; i < element.declarationCount; ++i) {
      m_declarations[i].prefix.assign(element.declarations[i].prefix);
      m_declarations[i].uri.assign(element.declarations[i].namespaceURI);
    }
    m_writer.DeclareOnNextElement(std::move(m_declarations));
    m_declarations.clear();  // moved from: empty again, for the next element
  }
  Take(m_name, element.localName);
  Take(m_namespaceURI, element.namespaceURI);
  m_writer.WriteStartElement(m_name, m_namespaceURI);
  for (std::size_t i = 0; i < element.attributeCount; ++i) {
    const CXmlEventAttribute& attribute = element.attributes[i];
    Take(m_attributeName, attribute.localName);
    Take(m_attributeURI, attribute.namespaceURI);
    m_value.assign(attribute.value);
    m_writer.WriteAttributeString(m_attributeName, m_attributeURI, m_value, ItemType_string);
  }
}

void CXmlWriterHandler::EndElement() {
  WriteText();
  m_writer.WriteEndElement();
}

// The text writer writes a text that is one marked section as CDATA.
void CXmlWriterHandler::StartCDATA() {
  if (!m_markCDATA) return;
  WriteText();
  m_text = "<![CDATA[";
  m_inCDATA = true;
}

void CXmlWriterHandler::EndCDATA() {
  if (!m_inCDATA) return;
  m_inCDATA = false;
  m_text += "]]>";
  // Marked text is never layout.
  if (m_format) m_writer.SetMixedContent();
  m_writer.WriteString(m_text, ItemType_string);
  m_text.clear();
}

void CXmlWriterHandler::Comment(std::string_view text) {
  WriteText();
  m_other.assign(text);
  m_writer.WriteContentComment(m_other);
}

void CXmlWriterHandler::ProcessingInstruction(std::string_view target, std::string_view data) {
  WriteText();
  m_name.assign(target);
  m_other.assign(data);
  m_writer.WriteProcessingInstruction(m_name, m_other);
}

}  // namespace VxXmlLib10
