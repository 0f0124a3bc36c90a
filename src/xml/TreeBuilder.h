// The document tree as one consumer of reader events: builds a CXmlDocument's
// elements, attributes, text and namespace declarations through its builder
// operations, so every reader fills a tree the same way.
#ifndef VXXML_SRC_XML_TREEBUILDER_H
#define VXXML_SRC_XML_TREEBUILDER_H

#include <string_view>

#include "vxxml/XmlDocument.h"
#include "vxxml/XmlEventHandler.h"

namespace VxXmlLib10 {
namespace detail {

class CTreeBuilder final : public CXmlEventHandler {
 public:
  /// `text`: the events come from XML text, whose elements end through
  /// CXmlDocument::EndElement, which applies the document's element filter,
  /// and whose lines are kept when the document asks; Fast Infoset's
  /// elements are only popped.
  CTreeBuilder(CXmlDocument& document, bool text) : m_document(document), m_text(text) {}

  void StartElement(const CXmlStartElement& element) override;
  void EndElement() override {
    if (m_text)
      m_document.EndElement();  // the element filter may run user code
    else
      m_document.PopElement();
  }
  void Characters(std::string_view text) override {
    if (CXmlElement* element = m_document.GetCurrentElement())
      element->AppendTextBytes(text.data(), text.size());
  }
  // A CDATA section stays marked in the element text, so that it is written
  // again as CDATA.
  void StartCDATA() override { Marker("<![CDATA["); }
  void EndCDATA() override { Marker("]]>"); }

 private:
  void Marker(const char* marker) {
    if (CXmlElement* element = m_document.GetCurrentElement()) element->AppendText(marker);
  }

  CXmlDocument& m_document;
  bool m_text;
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_TREEBUILDER_H
