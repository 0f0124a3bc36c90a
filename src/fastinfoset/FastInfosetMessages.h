// Every message of the Fast Infoset writer, thrown from one place so that the
// exact wording can be checked here.
#ifndef VXXML_SRC_FASTINFOSET_FASTINFOSETMESSAGES_H
#define VXXML_SRC_FASTINFOSET_FASTINFOSETMESSAGES_H

#include <cstdint>

namespace VxXmlLib10 {
namespace detail {

[[noreturn]] void ThrowFIUnsupportedUtf16();
[[noreturn]] void ThrowFIUnknownEncodingBit3();
[[noreturn]] void ThrowFIUnknownEncodingBit5();
[[noreturn]] void ThrowFIInvalidAlphabetIndex(unsigned long index);
[[noreturn]] void ThrowFIInvalidAlgorithmIndex(unsigned long index);
[[noreturn]] void ThrowFIInvalidAlphabetLength();
[[noreturn]] void ThrowFICharacterNotInAlphabet();
[[noreturn]] void ThrowFIUnsupportedAlphabetWidth();
[[noreturn]] void ThrowFIIntegerOutOfRange(unsigned long value);
[[noreturn]] void ThrowFIEmptyString();
[[noreturn]] void ThrowFIStringTooLong(uint64_t length);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_FASTINFOSET_FASTINFOSETMESSAGES_H
