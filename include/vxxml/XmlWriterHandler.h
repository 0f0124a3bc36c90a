// Writing events: a handler that passes a document's events to a writer, so
// that converting is a reader feeding a writer with no tree in between.
//
//   CFileTextStream stream("out.xml", XmlEncoding_UTF8);
//   CXmlTextWriter writer(stream);   // or a CFastInfosetWriter
//   writer.Open();
//   writer.WriteStartDocument();
//   CXmlWriterHandler handler(writer);
//   ReadXmlEvents("in.fi", CXmlSerializationContext(), handler);
//   writer.Close();
//
// Everything the events carry is written where it stood: elements with the
// namespace declarations their start tags made (CXmlWriter::
// DeclareOnNextElement), attributes, text runs (adjacent runs as one text),
// CDATA sections (as CDATA by the text writer, as text otherwise),
// comments, processing instructions and the document type declaration.
// Prefixes are the writer's choice among the declared ones. A formatting
// text writer drops text that is only whitespace and writes an element with
// other text as mixed content (CXmlWriter::SetMixedContent).
//
// The writer's failures reach the reader's caller; the writer is not owned.
#ifndef VXXML_XMLWRITERHANDLER_H
#define VXXML_XMLWRITERHANDLER_H

#include <string>

#include "vxxml/Export.h"
#include "vxxml/XmlEventHandler.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {

class VXXML_API CXmlWriterHandler : public CXmlEventHandler {
 public:
  explicit CXmlWriterHandler(CXmlWriter& writer);
  ~CXmlWriterHandler() override;

  void DocumentType(std::string_view name, std::string_view systemId,
                    std::string_view publicId) override;
  void StartElement(const CXmlStartElement& element) override;
  void EndElement() override;
  void Characters(std::string_view text) override { m_text.append(text.data(), text.size()); }
  void StartCDATA() override;
  void EndCDATA() override;
  void Comment(std::string_view text) override;
  void ProcessingInstruction(std::string_view target, std::string_view data) override;
  void EndDocument() override { WriteText(); }

 private:
  // Writes the text gathered since the last other event.
  void WriteText();

  CXmlWriter& m_writer;
  bool m_markCDATA;  // the writer keeps CDATA sections (XML text)
  bool m_format;     // the writer indents
  bool m_inCDATA = false;
  std::string m_text;
  std::string m_name, m_namespaceURI, m_value, m_other;
  std::string m_attributeName, m_attributeURI;  // kept apart from the element's
  CXmlWriter::NamespaceDeclarations m_declarations;
};

}  // namespace VxXmlLib10

#endif  // VXXML_XMLWRITERHANDLER_H
