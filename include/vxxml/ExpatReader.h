// The XML text reader: parses a CXmlDocument's input buffer with expat and
// builds the document's tree through its builder operations.
#ifndef VXXML_EXPATREADER_H
#define VXXML_EXPATREADER_H

#include <cstdint>
#include <exception>
#include <string>

#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"

// expat's parser object; only the reader's source file sees its definition.
struct XML_ParserStruct;

namespace VxXmlLib10 {

class CXmlDocument;
class CXmlElement;

/// Reads one XML text document into a CXmlDocument. With the document's
/// schema type SchemaType_NoNamespaces names stay as written ("p:a");
/// otherwise expat resolves namespaces and every element and attribute gets
/// its namespace URI and local name. Names, values and text are converted
/// from UTF-8 to the local code page. CDATA sections keep their markers
/// "<![CDATA[" and "]]>" in the element text unless the document's
/// serialization context strips CDATA. Text keeps what the parser reports:
/// line ends arrive as LF (XML normalises CR LF and CR), and a carriage
/// return written as a character reference (&#13;) stays a carriage return.
///
///   CExpatReader reader(document);
///   reader.CreateParser();
///   reader.Parse(true);   // CVxException "mismatched tag at line 3", ...
class VXXML_API CExpatReader : public CInstanceMonitor {
 public:
  explicit CExpatReader(CXmlDocument& document);
  ~CExpatReader() override;
  CExpatReader(const CExpatReader&) = delete;
  CExpatReader& operator=(const CExpatReader&) = delete;

  /// Creates and configures the parser for the document.
  void CreateParser();
  /// Hands the whole document buffer to the parser. On malformed input throws
  /// CVxException "%s at line %d" (expat's error text, line). With isFinal the
  /// parser is freed on both outcomes.
  void Parse(bool isFinal);
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

  void StartElement(const char* name, const char** attributes);
  void CheckName(const char* name);
  void Text(const char* text, int length);
  void AppendMarker(const char* marker);
  void Convert(std::string& out, const char* utf8, std::size_t length);
  void Abort();
  void FreeParser();

  CXmlDocument& m_document;
  char* m_scratch;
  std::uint64_t m_scratchSize;
  XML_ParserStruct* m_parser;
  // Decided once per parse: names and text need no conversion.
  bool m_identity;
  // Work strings reused from callback to callback.
  std::string m_namespaceURI;
  std::string m_localName;
  std::string m_text;
  // The first exception thrown inside a callback; the parse is stopped and
  // it is rethrown once expat has returned.
  std::exception_ptr m_error;
};

}  // namespace VxXmlLib10

#endif  // VXXML_EXPATREADER_H
