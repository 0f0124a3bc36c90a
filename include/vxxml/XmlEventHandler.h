// The event interface every reader produces and every writer consumes: a
// document as a stream of calls, start to end, with nothing kept in between.
//
// A reader calls the handler in document order: StartDocument, then the
// document's content (the document type declaration, comments and
// processing instructions around the document element, the document element
// with everything inside it), then EndDocument. Text comes in runs, in
// order, between the child elements it stands among; one text may arrive in
// several runs. A CDATA section of XML text is bracketed by StartCDATA and
// EndCDATA (unless the serialization context strips CDATA, when its content
// is plain text).
//
// Every string is a view valid only during the call: names, values and text
// in the local code page of the process, like the document tree's. A view is
// not NUL-terminated; copy what must outlive the call. Nothing is allocated
// per event on the reader's side.
//
// A failure thrown from a handler stops the reader and reaches its caller
// unchanged.
//
//   // Counts the elements of a document of any size in constant memory.
//   class CCounter : public CXmlEventHandler {
//    public:
//     void StartElement(const CXmlStartElement&) override { ++count; }
//     unsigned long long count = 0;
//   };
//
//   CCounter counter;
//   CXmlSerializationContext context;
//   ReadXmlEvents("orders.xml.gz", context, counter);  // XmlEventReader.h
//   std::printf("%llu elements\n", counter.count);
#ifndef VXXML_XMLEVENTHANDLER_H
#define VXXML_XMLEVENTHANDLER_H

#include <cstddef>
#include <string_view>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

/// A namespace declaration made on a start tag: the prefix ("" for the
/// default namespace) and the namespace URI it names.
struct CXmlEventNamespace {
  std::string_view prefix;
  std::string_view namespaceURI;
};

/// An attribute of a start tag. The namespace URI is "" for none; the prefix
/// is the one written ("" for none, and where the input form keeps none).
struct CXmlEventAttribute {
  std::string_view namespaceURI;
  std::string_view localName;
  std::string_view prefix;
  std::string_view value;
};

/// A start tag: the element's names, the namespace declarations made on it
/// and its attributes (without the declarations), both in document order.
struct CXmlStartElement {
  std::string_view namespaceURI;
  std::string_view localName;
  std::string_view prefix;
  const CXmlEventNamespace* declarations = nullptr;
  std::size_t declarationCount = 0;
  const CXmlEventAttribute* attributes = nullptr;
  std::size_t attributeCount = 0;
  /// The line of the start tag (from 1) when the reader was asked to count
  /// lines, else 0.
  unsigned long line = 0;
};

/// Receives a document as events. Every function does nothing unless
/// overridden, so a handler overrides only what it needs.
class VXXML_API CXmlEventHandler {
 public:
  virtual ~CXmlEventHandler();

  virtual void StartDocument() {}
  virtual void EndDocument() {}
  /// The document type declaration: its name (XML text only) and its system
  /// and public identifiers ("" where absent).
  virtual void DocumentType(std::string_view /*name*/, std::string_view /*systemId*/,
                            std::string_view /*publicId*/) {}
  virtual void StartElement(const CXmlStartElement& /*element*/) {}
  /// Ends the innermost open element.
  virtual void EndElement() {}
  /// A run of character data.
  virtual void Characters(std::string_view /*text*/) {}
  virtual void StartCDATA() {}
  virtual void EndCDATA() {}
  virtual void Comment(std::string_view /*text*/) {}
  virtual void ProcessingInstruction(std::string_view /*target*/, std::string_view /*data*/) {}
};

}  // namespace VxXmlLib10

#endif  // VXXML_XMLEVENTHANDLER_H
