// Message texts of binary data, Base64 and compression.
#include "types/BinaryErrors.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

// The texts print indexes and counts with %d: values beyond int are shown
// truncated, as the message format allows no more.
void ThrowIndexOutOfRange(unsigned long index) {
  throw CVxException(FormatString("Index Out of range [%d]", static_cast<int>(index)));
}

void ThrowReleaseShared(int64_t remaining) {
  throw CVxException(FormatString("Failed to release data. [RefCount=%d]",
                                  static_cast<int>(remaining)));
}

void ThrowAppendShared(int64_t refCount) {
  throw CVxException(FormatString("Failed to append. [RefCount=%d]", static_cast<int>(refCount)));
}

void ThrowInvalidHexLength() { throw CVxException("Invalid length in hex string"); }

void ThrowInvalidHexChar(char c) {
  throw CVxException(FormatString("Invalid char in hex string [%c]", c));
}

void ThrowCompressFailed(int zlibCode) {
  throw CVxException(FormatString("Failed to compress data. [Error Code: %d]", zlibCode));
}

void ThrowDecompressFailed(const char* reason) {
  throw CVxException(FormatString("Failed to decompress data. [%s]",
                                  reason ? reason : "invalid compressed data"));
}

void ThrowDecompressTruncated() {
  throw CVxException("Failed to decompress data. [the compressed data is truncated]");
}

void ThrowDecompressTrailingData() {
  throw CVxException("Failed to decompress data. [data follows the end of the compressed stream]");
}

void ThrowDecompressedTooLarge(uint64_t maxSize) {
  throw CVxException(FormatString("Decompressed data exceeds the limit MaxDecompressedSize [%llu bytes]",
                                  static_cast<unsigned long long>(maxSize)));
}

void ThrowDecompressedRatio(unsigned int maxRatio) {
  throw CVxException(
      FormatString("Decompressed data exceeds the limit MaxCompressionRatio [%u:1]", maxRatio));
}

}  // namespace detail
}  // namespace VxXmlLib10
