// Failures of the binary-data classes. Every message text of binary data,
// Base64 and compression is in BinaryErrors.cpp.
#ifndef VXXML_SRC_TYPES_BINARYERRORS_H
#define VXXML_SRC_TYPES_BINARYERRORS_H

#include <cstdint>

namespace VxXmlLib10 {
namespace detail {

[[noreturn]] void ThrowIndexOutOfRange(unsigned long index);
[[noreturn]] void ThrowReleaseShared(int64_t remaining);
[[noreturn]] void ThrowAppendShared(int64_t refCount);
[[noreturn]] void ThrowInvalidHexLength();
[[noreturn]] void ThrowInvalidHexChar(char c);
[[noreturn]] void ThrowCompressFailed(int zlibCode);
[[noreturn]] void ThrowDecompressFailed(const char* reason);
[[noreturn]] void ThrowDecompressTruncated();
[[noreturn]] void ThrowDecompressTrailingData();
[[noreturn]] void ThrowDecompressedTooLarge(uint64_t maxSize);
[[noreturn]] void ThrowDecompressedRatio(unsigned int maxRatio);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_BINARYERRORS_H
