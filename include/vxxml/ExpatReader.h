// The XML text reader: parses XML text with expat and hands it on as events
// (XmlEventHandler.h), to a handler of the caller's or to the builder of a
// CXmlDocument's tree.
#ifndef VXXML_EXPATREADER_H
#define VXXML_EXPATREADER_H

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlEventHandler.h"

// expat's parser object; only the reader's source file sees its definition.
struct XML_ParserStruct;

namespace VxXmlLib10 {

class CXmlDocument;
class CXmlElement;
namespace detail {
class CTreeBuilder;
}

/// Reads one XML text document. With the schema type SchemaType_NoNamespaces
/// names stay as written ("p:a"); otherwise expat resolves namespaces and
/// every element and attribute gets its namespace URI, local name and prefix,
/// and the declarations arrive with the start tag that makes them. Names,
/// values and text are converted from UTF-8 to the local code page. CDATA
/// sections are marked (StartCDATA, EndCDATA; in a tree, "<![CDATA[" and
/// "]]>" in the element text) unless the serialization context strips CDATA.
/// Text keeps what the parser reports: line ends arrive as LF (XML
/// normalises CR LF and CR), and a carriage return written as a character
/// reference (&#13;) stays a carriage return. The input's encoding is any
/// expat knows (UTF-8, UTF-16 with a byte order mark, ISO-8859-1,
/// US-ASCII), detected from its first bytes.
///
///   CExpatReader reader(document);        // builds the document's tree
///   reader.CreateParser();
///   reader.Parse(true);   // CVxException "mismatched tag at line 3", ...
///
///   CExpatReader events(context, handler);  // events, input in pieces
///   while (more) events.Parse(piece, length, false);
///   events.Parse(nullptr, 0, true);
class VXXML_API CExpatReader : public CInstanceMonitor {
 public:
  /// Reads the document's input buffer into its tree.
  explicit CExpatReader(CXmlDocument& document);
  /// Reads input handed to Parse(bytes, length, isFinal) as events for the
  /// handler. Neither is owned; both must outlive the reader.
  CExpatReader(const CXmlSerializationContext& context, CXmlEventHandler& handler);
  ~CExpatReader() override;
  CExpatReader(const CExpatReader&) = delete;
  CExpatReader& operator=(const CExpatReader&) = delete;

  /// Creates and configures the parser.
  void CreateParser();
  /// Hands the whole document buffer to the parser. On malformed input throws
  /// CVxException "%s at line %d" (expat's error text, line). With isFinal the
  /// parser is freed on both outcomes.
  void Parse(bool isFinal);
  /// Hands the next piece of the input to the parser (the first call creates
  /// it and starts the document); isFinal marks the last piece, which may be
  /// empty. Errors as above; a truncated input fails on the last piece with
  /// the same message as when given whole.
  void Parse(const char* bytes, std::uint64_t length, bool isFinal);
  /// Report the line of every start tag (CXmlStartElement::line).
  void SetReportLines(bool report) { m_reportLines = report; }
  /// Frees the scratch buffer.
  void Cleanup();

 private:
  static void FnStartElement(void* userData, const char* name, const char** attributes);
  static void FnEndElement(void* userData, const char* name);
  static void FnStartNamespace(void* userData, const char* prefix, const char* uri);
  static void FnEndNamespace(void* userData, const char* prefix);
  static void FnText(void* userData, const char* text, int length);
  static void FnStartCDATA(void* userData);
  static void FnEndCDATA(void* userData);
  static void FnComment(void* userData, const char* text);
  static void FnProcessingInstruction(void* userData, const char* target, const char* data);
  static void FnStartDoctype(void* userData, const char* name, const char* systemId,
                             const char* publicId, int hasInternalSubset);

  void StartElement(const char* name, const char** attributes);
  void TakeAttributes(const char** attributes);
  void TakeDeclarations();
  void CheckName(const char* name, std::size_t length);
  static void Text(void* userData, const char* text, int length);
  void Comment(const char* text);
  void ProcessingInstruction(const char* target, const char* data);
  void Doctype(const char* name, const char* systemId, const char* publicId);
  // The string in the local code page: the UTF-8 itself when no conversion
  // is needed, else a conversion into `work`.
  std::string_view Local(const char* utf8, std::size_t length, std::string& work);
  void Convert(std::string& out, const char* utf8, std::size_t length);
  void Abort();
  void FreeParser();
  void Feed(const char* bytes, std::uint64_t length, bool isFinal);
  // One piece to expat (the held-back rest first); an XML_Status.
  int Give(const char* bytes, std::size_t length, bool isFinal);

  CXmlDocument* m_document;  // null when reading for a caller's handler
  const CXmlSerializationContext& m_context;
  std::unique_ptr<detail::CTreeBuilder> m_builder;
  CXmlEventHandler* m_handler;
  // Set while the handler drops any text (detail::CTextFilter).
  const bool* m_dropsText;
  char* m_scratch = nullptr;
  std::uint64_t m_scratchSize = 0;
  XML_ParserStruct* m_parser = nullptr;
  // Decided once per parse: names and text need no conversion.
  bool m_identity = true;
  bool m_reportLines = false;
  bool m_started = false;
  // Work strings and event records reused from callback to callback.
  std::string m_namespaceURI;
  std::string m_localName;
  std::string m_prefix;
  std::string m_text;
  std::vector<std::string> m_strings;
  CXmlStartElement m_event;
  std::vector<CXmlEventAttribute> m_attributes;
  std::vector<CXmlEventNamespace> m_declarations;
  std::vector<std::string> m_declared;  // prefix, URI, prefix, URI, ...
  std::size_t m_declaredCount = 0;
  // The end of the last piece after its last '>', not parsed yet; the bytes
  // parsed before it; whether a '>' is one byte or two, and in which order.
  std::string m_heldBack;
  std::uint64_t m_given = 0;
  enum class Form { Unknown, Bytes, Utf16LE, Utf16BE } m_form = Form::Unknown;
  // The first exception thrown inside a callback; the parse is stopped and
  // it is rethrown once expat has returned.
  std::exception_ptr m_error;
};

}  // namespace VxXmlLib10

#endif  // VXXML_EXPATREADER_H
