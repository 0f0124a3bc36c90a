// Message texts of the Fast Infoset reader. The texts of the integer and
// length readers hold two spaces before "on", as they always have.
#include "fastinfoset/FastInfosetReaderMessages.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowFIEndOfFile() { throw CVxException("Failed to parse FastInfoset. Unexpected End of File."); }

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

}  // namespace detail
}  // namespace VxXmlLib10
