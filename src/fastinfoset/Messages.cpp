// The message texts of Fast Infoset.
#include "fastinfoset/Messages.h"

#include "vxxml/Exception.h"
#include "xml/XmlChars.h"

namespace VxXmlLib10 {
namespace detail {

// ---- the writer and the encoding algorithms -----------------------------------------------------

void ThrowFIUnsupportedUtf16() {
  throw CVxException(
      "Failed to write FastInfoset. Unsupported Feature UTF16BE in EncodedCharacterStringBit5.");
}

void ThrowFIUnknownEncodingBit3() {
  throw CVxException(
      "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit5.");
}

void ThrowFIUnknownEncodingBit5() {
  throw CVxException(
      "Failed to write FastInfoset. Unknown encoding in EncodedCharacterStringBit7.");
}

void ThrowFIInvalidAlphabetIndex(unsigned long index) {
  throw CVxException(FormatString(
      "Failed to write FastInfoset. Invalid Restricted Alphabet value [%d]",
      static_cast<int>(index)));
}

void ThrowFIInvalidAlgorithmIndex(unsigned long index) {
  throw CVxException(FormatString(
      "Failed to write FastInfoset. Invalid Encoding Algorithm value [%d]",
      static_cast<int>(index)));
}

void ThrowFIInvalidAlphabetLength() {
  throw CVxException(
      "Failed to write FastInfoset. Invalid Restricted Alphabet. Alphabet must contain between 2 "
      "and 2^20 characters.");
}

void ThrowFICharacterNotInAlphabet() {
  throw CVxException(
      "Failed to write FastInfoset. Invalid character not found for Restricted Alphabet.");
}

void ThrowFIUnsupportedAlphabetWidth() {
  throw CVxException(
      "Failed to write FastInfoset. Unsupported Feature in AppendRestrictedAlphabetString.");
}

void ThrowFIIntegerOutOfRange(unsigned long value) {
  throw CVxException(
      FormatString("Failed to write FastInfoset. Integer [%lu] out of range.", value));
}

void ThrowFIEmptyString() {
  throw CVxException("Failed to write FastInfoset. Empty string in a non-empty string encoding.");
}

void ThrowFIStringTooLong(uint64_t length) {
  throw CVxException(
      FormatString("Failed to write FastInfoset. String of [%llu] octets is too long.",
                   static_cast<unsigned long long>(length)));
}

// ---- the reader ---------------------------------------------------------------------------------

void ThrowFIEndOfFile() { throw CVxException("Failed to parse FastInfoset. Unexpected End of File."); }

void ThrowFIReadFailed() {
  throw CVxException("Failed to parse FastInfoset. The input could not be read.");
}

void ThrowFIInvalidElementType() {
  throw CVxException("Failed to parse FastInfoset. Invalid Encoding of Element type.");
}

void ThrowFIInvalidDocumentChild() {
  throw CVxException("Failed to parse FastInfoset. Invalid Encoding of Document child type.");
}

void ThrowFIPrefixWithoutNamespace() {
  throw CVxException("Failed to parse FastInfoset. Invalid QName type Prefix without Namespace.");
}

void ThrowFIInvalidInteger0(const char* bit) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. Invalid Encoding of integers 0 To 2^20 type  on the %s bit of "
      "an octet.",
      bit));
}

void ThrowFIInvalidInteger1(const char* bit) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. Invalid Encoding of integers 1 To 2^20 type  on the %s bit of "
      "an octet.",
      bit));
}

void ThrowFIInvalidOctetStringLength(const char* bit) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. Invalid NonEmptyOctetString type  on the %s bit of an octet.",
      bit));
}

void ThrowFIInvalidAlphabetSize() {
  throw CVxException(
      "Failed to parse FastInfoset. Invalid Encoding of Restricted Alphabet. Alphabet must "
      "contain between 2 and 2^20 characters.");
}

void ThrowFIIndexBeyondTable(uint64_t index, const char* table) {
  throw CVxException(
      FormatString("Failed to parse FastInfoset. Index [%llu] beyond the end of the %s table.",
                   static_cast<unsigned long long>(index), table));
}

void ThrowFIBeyondAlphabet(uint64_t position, uint64_t alphabet, uint64_t length) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. Character [%llu] beyond the end of restricted alphabet [%llu] "
      "of [%llu] characters.",
      static_cast<unsigned long long>(position), static_cast<unsigned long long>(alphabet),
      static_cast<unsigned long long>(length)));
}

void ThrowFIInvalidTerminator(const char* list) {
  throw CVxException(FormatString("Failed to parse FastInfoset. Invalid terminator of the %s.", list));
}

void ThrowFISecondDocumentElement() {
  throw CVxException("Failed to parse FastInfoset. More than one document element.");
}

void ThrowFINoDocumentElement() {
  throw CVxException("Failed to parse FastInfoset. No document element.");
}

void ThrowFILongString(uint64_t length) {
  throw CVxException(
      FormatString("Failed to parse FastInfoset. String of [%llu] octets is too long.",
                   static_cast<unsigned long long>(length)));
}

void ThrowFIIllFormedUtf8(unsigned octet) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. Ill-formed UTF-8 sequence starting with the octet 0x%02X.",
      octet));
}

void ThrowFICharacterNotAllowed(uint32_t codePoint) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. Character U+%04X is not allowed in XML 1.0.",
      static_cast<unsigned>(codePoint)));
}

void ThrowFIUnpairedSurrogate(uint32_t unit) {
  throw CVxException(FormatString("Failed to parse FastInfoset. Unpaired UTF-16 surrogate U+%04X.",
                                  static_cast<unsigned>(unit)));
}

void ThrowFIOddUtf16Length(uint64_t length) {
  throw CVxException(
      FormatString("Failed to parse FastInfoset. UTF-16 string of an odd number [%llu] of octets.",
                   static_cast<unsigned long long>(length)));
}

void ThrowFIInvalidName(const std::string& utf8) {
  throw CVxException(FormatString("Failed to parse FastInfoset. Invalid XML name [%s].",
                                  Printable(utf8.data(), utf8.size()).c_str()));
}

void ThrowFIReservedNamespace(const std::string& namespaceName) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. The namespace [%s] is reserved for namespace declarations.",
      namespaceName.c_str()));
}

void ThrowFIInvalidNamespaceDeclaration(const std::string& prefix,
                                        const std::string& namespaceName) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. Invalid namespace declaration of the prefix [%s] as [%s].",
      prefix.c_str(), namespaceName.c_str()));
}

void ThrowFIDuplicateNamespaceDeclaration(const std::string& prefix) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. The prefix [%s] is declared twice on one element.",
      prefix.c_str()));
}

void ThrowFIXmlnsAttribute() {
  throw CVxException(
      "Failed to parse FastInfoset. An attribute named [xmlns] without a namespace is not "
      "allowed.");
}

void ThrowFIDuplicateAttribute(const std::string& localName, const std::string& namespaceName) {
  throw CVxException(FormatString(
      "Failed to parse FastInfoset. The attribute [%s] of the namespace [%s] appears twice on "
      "one element.",
      localName.c_str(), namespaceName.c_str()));
}

// ---- the byte encodings of CFastInfosetBinaryData -----------------------------------------------

void ThrowFIUnknownByteEncoding() { throw CVxException("Unknown byte encoding."); }

void ThrowFIBadByteEncodingLength(const char* name) {
  throw CVxException(FormatString("Invalid value for %s byte encoding.", name));
}

}  // namespace detail
}  // namespace VxXmlLib10
