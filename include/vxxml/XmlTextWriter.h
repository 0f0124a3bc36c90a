// The writer that turns writer calls into XML text appended to a CTextStream.
//
// Example (format on, LF line ends):
//
//   CTextStream stream(XmlEncoding_UTF8);
//   CXmlTextWriter writer(stream);
//   writer.Open();
//   writer.WriteStartDocument();
//   writer.SetDefaultNamespace("urn:a");
//   writer.AddNamespace("p", "urn:b");
//   writer.WriteStartElement("r", "urn:a");
//   writer.WriteStartElement("c", "urn:a");
//   writer.WriteString("text", ItemType_string);
//   writer.WriteEndElement();
//   writer.WriteStartElement("d", "urn:b");
//   writer.WriteEndElement();
//   writer.WriteEndElement();
//   writer.Close();
//
// gives
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <r xmlns="urn:a" xmlns:p="urn:b">
//   	<c>text</c>
//   	<p:d/>
//   </r>
//
// Namespaces: an element in its in-scope default namespace (or in none) is
// written unprefixed, any other element and every namespaced attribute with a
// prefix; prefixes unknown in scope are generated ("AA", "AB", ...) and
// declared where they are first needed. Pairings made before the root are
// declared on the root. An unprefixed element whose namespace differs from
// the default in effect in the output declares xmlns="..." (xmlns="" for no
// namespace). A pairing added inside an element is declared on its start tag
// while it is open, otherwise on each of its child elements. These are the
// writer core's decisions (CXmlWriter), which the Fast Infoset writer shares.
//
// Characters. The output is always well-formed XML 1.0, or the writer
// throws: a name that is not an XML name, a character XML 1.0 cannot carry
// (the controls below U+0020 other than TAB, LF and CR, NUL included; U+FFFE,
// U+FFFF), and, where local text is UTF-8, ill-formed UTF-8 are refused, as
// is the same attribute twice on one start tag. In attribute values TAB, LF
// and CR are written as &#9; &#10; &#13;, and in text CR as &#13;, so that a
// parser reads them back as they were (it would turn them into spaces or line
// ends); LF in text is the line end.
//
// Failures (CVxException): "Invalid EOL type.", "Headed directives must
// appear before an Element has been added.", "Attributes must be added before
// elements", "An Element has not been closed.", "Invalid XML name [%s].",
// "Character U+%04X cannot be written in XML 1.0.", "Ill-formed UTF-8
// sequence starting with the octet 0x%02X cannot be written in XML.", "The
// attribute [%s] is written twice on one element."; text or an end tag with
// no open element throws CVxInvalidStateException.
#ifndef VXXML_XMLTEXTWRITER_H
#define VXXML_XMLTEXTWRITER_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Streams.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {

namespace detail {
class TagNames;
}

class VXXML_API CXmlTextWriter : public CXmlWriter {
 public:
  /// The stream is not owned; it must outlive the writer.
  explicit CXmlTextWriter(CTextStream& stream);
  ~CXmlTextWriter() override;

  /// Opens the stream (clears it; a file stream opens its file).
  void Open() override;
  /// Closes the stream, then throws if an element is still open.
  void Close() override;

  /// Format on: start and end tags on their own lines, one tab per level.
  bool GetFormat() const { return m_format; }
  void SetFormat(bool format) { m_format = format; }
  void SetMixedContent() override;
  EOLType GetEOLType() const { return m_eolType; }
  /// EOLType_CRLF or EOLType_LF; anything else throws "Invalid EOL type.".
  void SetEOLType(EOLType type);

  /// The XML declaration naming the stream's encoding, then a line end.
  void WriteStartDocument();
  /// Text and a line end; only before the first element.
  void WriteHeaderDirective(const std::string& text);
  /// Text as given (no escaping), then a line end when formatting.
  void WriteRawElement(const std::string& text);
  /// Closes the pending start tag of the current element and counts a child.
  void CloseParentElm();

  /// "<!--text-->" and a line end; closes a pending start tag first. The
  /// text is escaped, and a space goes between two hyphens and after a final
  /// hyphen, so the comment is always well-formed.
  void WriteComment(const std::string& text) override;
  /// The instruction as given, then two line ends.
  void WritePI(const std::string& text) override;
  /// "<!--text-->", made safe as WriteComment makes it; "<?target data?>";
  /// both closing a pending start tag, and followed by a line end only
  /// outside the document element. "<!DOCTYPE name PUBLIC "publicId"
  /// "systemId">" (SYSTEM "systemId" without a public identifier, the name
  /// alone without either) and a line end, before the document element
  /// only ("Headed directives must appear before an Element has been
  /// added.").
  void WriteContentComment(const std::string& text) override;
  void WriteProcessingInstruction(const std::string& target, const std::string& data) override;
  void WriteDocumentType(const std::string& name, const std::string& systemId,
                         const std::string& publicId) override;
  /// A space, a line end, the schema as given, a line end (inside the
  /// current element: a pending start tag is closed first).
  void WriteInlineSchema(const std::string& text) override;
  void WriteStartElement(const std::string& localName, const std::string& namespaceURI) override;
  /// Escaped text; an empty text writes nothing. A text that starts with a
  /// CDATA section ("<![CDATA[...]]>", as the reader marks them) keeps its
  /// complete sections as they are and escapes what lies between them.
  void WriteString(const std::string& text, ItemType type) override;
  void WriteEndElement() override;
  void WriteAttributeString(const std::string& localName, const std::string& namespaceURI,
                            const std::string& value, ItemType type) override;
  /// An xsi:type attribute naming typeName in typeNamespaceURI.
  void WriteAttributeType(const std::string& typeNamespaceURI, const std::string& typeName,
                          ItemType type) override;
  /// xsi:nil="true".
  void WriteAttributeNil() override;

  /// Appends a NUL-terminated text escaped for element content (inAttribute
  /// false) or for an attribute value in double quotes (inAttribute true).
  /// Throws for a character XML 1.0 cannot carry.
  void PadAndAppend(const char* text, bool inAttribute);

 private:
  void AppendLineEnd() { m_stream.Append(m_lineEnd, m_lineEndLength); }
  void AppendTabs(int32_t count);
  void FlushCheck() {
    if (m_stream.GetLength() > 4095) m_stream.Flush();
  }
  void ClosePendingStartTag();
  // Pairings added with AddNamespace on the open element are declared on its
  // start tag while it is open, else on each of its children.
  inline void DeclarePending();
  // Chooses the escaping tables for the local text (UTF-8 or not).
  void SelectTables();
  // `length` bytes escaped by one of the tables (text, attribute or raw).
  void AppendEscaped(const char* text, size_t length, const unsigned char* table);
  // A text that starts with a CDATA section.
  void AppendMarkedText(const std::string& text);
  // Writes the declarations in m_due as xmlns attributes and empties it.
  void AppendDeclarations();

  char m_lineEnd[3];
  size_t m_lineEndLength;
  EOLType m_eolType;
  bool m_format;
  // The depth of the element whose content is written exactly (mixed
  // content), -1 for none: no formatting inside it.
  int32_t m_exactDepth = -1;
  // Whether formatting may add whitespace to the content of an element at
  // `depth`.
  bool Formats(int32_t depth) const { return m_format && (m_exactDepth < 0 || depth < m_exactDepth); }
  CTextStream& m_stream;
  NamespaceDeclarations m_due;  // declarations due on the open start tag
  bool m_utf8;                  // local text is UTF-8: its sequences are checked
  const unsigned char* m_textTable;
  const unsigned char* m_attributeTable;
  const unsigned char* m_rawTable;
  // The names written on the open start tag.
  std::unique_ptr<detail::TagNames> m_tagNames;
};

}  // namespace VxXmlLib10

#endif  // VXXML_XMLTEXTWRITER_H
