// Message texts of the Fast Infoset writer.
#include "fastinfoset/FastInfosetMessages.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

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

}  // namespace detail
}  // namespace VxXmlLib10
