// The tree builder's start tags, and the event handler's anchor.
#include "xml/TreeBuilder.h"

#include <string>
#include <utility>

namespace VxXmlLib10 {

CXmlEventHandler::~CXmlEventHandler() = default;

namespace detail {

void CTreeBuilder::StartElement(const CXmlStartElement& event) {
  // Declarations first: the element takes those recorded before it.
  for (std::size_t i = 0; i < event.declarationCount; ++i) {
    const CXmlEventNamespace& declaration = event.declarations[i];
    m_document.SetNamespaceAlias(std::string(declaration.prefix),
                                 std::string(declaration.namespaceURI));
  }
  CXmlElement* element = m_document.GetDocumentElement()
                             ? m_document.AddChild(event.namespaceURI, event.localName)
                             : m_document.AddElement(event.namespaceURI, event.localName);
  if (m_text && m_document.GetKeepSourceInfo()) m_document.RecordSourceInfo(element, event.line);
  for (std::size_t i = 0; i < event.attributeCount; ++i) {
    const CXmlEventAttribute& attribute = event.attributes[i];
    m_document.AddNewAttribute(element, attribute.localName, attribute.value,
                               attribute.namespaceURI);
  }
}

}  // namespace detail
}  // namespace VxXmlLib10
