// The writer that turns writer calls into a Fast Infoset document appended to
// a CBinaryStream.
//
// It writes elements, attributes, character chunks and namespace attributes;
// qualified names as literals or table indices; attribute values and
// character chunks as UTF-8, a built-in restricted alphabet or a built-in
// encoding algorithm (chosen per ItemType by the CFastInfosetContext), or as
// table indices; and, with a generated vocabulary, an initial vocabulary
// naming the external vocabulary. The cdata algorithm is used for character
// chunks only: an attribute value of a kind mapped to it is a plain string.
//
// Namespaces: the writer core (CXmlWriter) decides every prefix and every
// declaration, for this writer and the XML text writer alike; this writer
// renders each declaration the text writer writes as xmlns:PREFIX="URI",
// xmlns="URI" or xmlns="" as a namespace attribute on the same element, and
// names (and a prefixed xsi:type value) use the same prefixes, referring to
// the declared prefix and namespace name by index. So the document element
// declares the default namespace and the pairs given before it; an element
// declares a generated prefix its name or an attribute needs, a default
// namespace (or its undeclaration) where its unprefixed name needs one, and
// pairings added with AddNamespace while it is open (or, once its start tag
// has closed, each of its children declares them). Because namespace
// attributes come before an element's name and its attributes after it, an
// element is written when its start tag closes: at its first child, its
// first non-empty text, a processing instruction, or its end.
//
// Example:
//
//   CFastInfosetContext fi;
//   CBinaryStream stream;
//   CFastInfosetWriter writer(fi, stream);
//   writer.Open();
//   writer.WriteStartDocument(FInfoDecl_None);
//   writer.WriteStartElement("a", "");
//   writer.WriteEndElement();
//   writer.WriteEndDocument();
//   writer.Close();
//   // stream: E0 00 00 01 00 38 F0 3C 00 61 FF
//
// Failures (CVxException):
//   "Attributes must be added before elements"
//   "Failed to write FastInfoset. Unsupported Feature UTF16BE in EncodedCharacterStringBit5."
//   "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit5." (attribute values)
//   "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit7." (character chunks)
//   "Failed to write FastInfoset. Invalid Restricted Alphabet value [n]"
//   "Failed to write FastInfoset. Invalid Encoding Algorithm value [n]"
//   "Failed to write FastInfoset. Invalid Restricted Alphabet. Alphabet must contain between 2 and 2^20 characters."
//   "Failed to write FastInfoset. Invalid character not found for Restricted Alphabet."
//   "Failed to write FastInfoset. Unsupported Feature in AppendRestrictedAlphabetString."
//   "Failed to write FastInfoset. Integer [n] out of range." (an encoder given an integer outside its range)
//   "Failed to write FastInfoset. Empty string in a non-empty string encoding." (likewise)
//   "Failed to write FastInfoset. String of [n] octets is too long." (beyond the 32-bit length forms)
//   "An Element has not been closed." (Close with an element open)
// Values that an encoding algorithm cannot read fail with the conversion's
// own exception, thrown by the attribute or text call that carries them.
// Text or an end with no open element throws CVxInvalidStateException, as
// the XML text writer does. Bytes already appended stay in the stream.
#ifndef VXXML_FASTINFOSETWRITER_H
#define VXXML_FASTINFOSETWRITER_H

#include <cstddef>
#include <string>

#include "vxxml/BinaryData.h"
#include "vxxml/Export.h"
#include "vxxml/FastInfosetContext.h"
#include "vxxml/ItemType.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Streams.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {

namespace detail {
struct FIWriterState;
}

/// The external vocabulary named by a document written with a generated
/// vocabulary when the context names none.
VXXML_API extern const char* const ORVANE_URI;

class VXXML_API CFastInfosetWriter : public CXmlWriter {
 public:
  /// Neither the context nor the stream is owned; both must outlive the
  /// writer. The vocabulary of the document starts as a copy of the
  /// context's when it uses a generated vocabulary, else as the initial one.
  CFastInfosetWriter(const CFastInfosetContext& context, CBinaryStream& stream);
  ~CFastInfosetWriter() override;

  /// Throws "An Element has not been closed." while an element is open.
  void Close() override;

  /// The XML declaration for decl (none for FInfoDecl_None), the four
  /// identification and version octets E0 00 00 01, and the optional
  /// components: 0x20 0x10 0x00 and the external vocabulary URI with a
  /// generated vocabulary, else 0x00.
  void WriteStartDocument(FInfoDecl decl);
  /// The document's terminator (shared with a pending element terminator).
  void WriteEndDocument();

  /// Comments and inline schemas are not written.
  void WriteComment(const std::string& text) override;
  void WriteInlineSchema(const std::string& text) override;
  /// Processing instructions are not written; a pending start tag is closed.
  void WritePI(const std::string& text) override;
  /// A comment and a processing instruction where they stand (literal
  /// strings), and a document type declaration with its identifiers (Fast
  /// Infoset keeps no name), before the document element.
  void WriteContentComment(const std::string& text) override;
  void WriteProcessingInstruction(const std::string& target, const std::string& data) override;
  void WriteDocumentType(const std::string& name, const std::string& systemId,
                         const std::string& publicId) override;
  void WriteStartElement(const std::string& localName, const std::string& namespaceURI) override;
  /// A character chunk; an empty text writes nothing.
  void WriteString(const std::string& text, ItemType type) override;
  void WriteEndElement() override;
  /// An attribute of the open start tag. An attribute with a namespace is
  /// always prefixed (a prefix is generated and declared when none is in
  /// scope). The value is encoded at once, so a bad value fails here.
  void WriteAttributeString(const std::string& localName, const std::string& namespaceURI,
                            const std::string& value, ItemType type) override;
  /// xsi:type; a type namespace other than "" and the default namespace in
  /// effect is written as PREFIX:typeName, the prefix declared like any other.
  void WriteAttributeType(const std::string& typeNamespaceURI, const std::string& typeName,
                          ItemType type) override;
  /// xsi:nil="true", as a boolean value.
  void WriteAttributeNil() override;

  /// The vocabulary of this document as written so far.
  const CFIVocabulary& GetVocabulary() const { return *m_vocabulary; }

  // ---- Primitive encoders -------------------------------------------------
  // Each appends to the stream. `bits` holds the bits already set in the
  // current octet (bit 1 is 0x80); the encoding starts at the named bit.
  // Integers outside the encoder's range and empty strings where a
  // non-empty one is required throw (see above).

  /// An index 1..2^20 from bit 2: 1, 2 or 3 octets.
  void Integer1To2pw20Bit2(unsigned char bits, unsigned long value) {
    if (value - 1 < 64) {
      m_stream.Append(static_cast<unsigned char>(bits | (value - 1)));
      return;
    }
    Integer1To2pw20Bit2Long(bits, value);
  }
  /// 0..2^20 from bit 2: 0 is the one octet bits | 0x7F, the rest as above.
  void Integer0To2pw20Bit2(unsigned char bits, unsigned long value) {
    if (value == 0)
      m_stream.Append(static_cast<unsigned char>(bits | 0x7F));
    else
      Integer1To2pw20Bit2(bits, value);
  }
  /// An index 1..2^20 from bit 3: 1 to 4 octets.
  void Integer1To2pw20Bit3(unsigned char bits, unsigned long value) {
    if (value - 1 < 32) {
      m_stream.Append(static_cast<unsigned char>(bits | (value - 1)));
      return;
    }
    Integer1To2pw20Bit3Long(bits, value);
  }
  /// An index 1..2^20 from bit 4: 1 to 4 octets.
  void Integer1To2pw20Bit4(unsigned char bits, unsigned long value) {
    if (value - 1 < 16) {
      m_stream.Append(static_cast<unsigned char>(bits | (value - 1)));
      return;
    }
    Integer1To2pw20Bit4Long(bits, value);
  }
  /// Length (from bit 5) and octets of a non-empty octet string.
  void NonEmptyOctetStringBit5(unsigned char bits, const unsigned char* octets, size_t length) {
    if (length - 1 < 8) {
      m_stream.Append(static_cast<unsigned char>(bits | (length - 1)));
      m_stream.AppendBytes(octets, length);
      return;
    }
    NonEmptyOctetStringBit5Long(bits, octets, length);
  }
  /// Length (from bit 7) and octets of a non-empty octet string.
  void NonEmptyOctetStringBit7(unsigned char bits, const unsigned char* octets, size_t length) {
    if (length - 1 < 2) {
      m_stream.Append(static_cast<unsigned char>(bits | (length - 1)));
      m_stream.AppendBytes(octets, length);
      return;
    }
    NonEmptyOctetStringBit7Long(bits, octets, length);
  }
  /// Length (from bit 2) and octets of a non-empty octet string.
  void NonEmptyOctetStringBit2(unsigned char bits, const unsigned char* octets, size_t length);
  /// A non-empty text, converted from the local code page to UTF-8, from bit 2.
  void NonEmptyOctetUTF8StringBit2(unsigned char bits, const std::string& text);
  /// A literal attribute value (bits 1 and 2 set by the caller) in the
  /// encoding the context gives to `type`.
  void EncodedCharacterStringBit3(unsigned char bits, const std::string& value, ItemType type);
  /// A literal character chunk (bits 1 to 4 set by the caller) in the
  /// encoding the context gives to `type`.
  void EncodedCharacterStringBit5(unsigned char bits, const std::string& value, ItemType type);
  /// The text packed in the vocabulary's restricted alphabet alphabetIndex
  /// (1 or 2): two characters per octet for alphabets of up to 15
  /// characters (an odd count ends with 0xF), one per octet up to 255.
  CBinaryData AppendRestrictedAlphabetString(unsigned long alphabetIndex, const char* text);

 private:
  void Integer1To2pw20Bit2Long(unsigned char bits, unsigned long value);
  void Integer1To2pw20Bit3Long(unsigned char bits, unsigned long value);
  void Integer1To2pw20Bit4Long(unsigned char bits, unsigned long value);
  void NonEmptyOctetStringBit5Long(unsigned char bits, const unsigned char* octets,
                                   size_t length);
  void NonEmptyOctetStringBit7Long(unsigned char bits, const unsigned char* octets,
                                   size_t length);

  void CloseStartTag();
  void WriteElementHeader(CXmlWriterContext* context);
  void WriteTerminatorBeforeSibling();

  CBinaryStream& m_stream;
  const CFastInfosetContext& m_context;
  bool m_terminatorPending;
  CFIVocabulary* m_vocabulary;
  detail::FIWriterState* m_state;
};

}  // namespace VxXmlLib10

#endif  // VXXML_FASTINFOSETWRITER_H
