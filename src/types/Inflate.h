// Bounded, strict inflation of gzip and zlib data, shared by CVxZip::Inflate
// and the document's loading.
#ifndef VXXML_SRC_TYPES_INFLATE_H
#define VXXML_SRC_TYPES_INFLATE_H

#include <cstdint>

namespace VxXmlLib10 {
namespace detail {

/// The bounds of one inflation; 0 switches a bound off.
struct InflateLimits {
  std::uint64_t maxSize;   // most inflated bytes
  unsigned int maxRatio;   // most inflated bytes per compressed byte read
};

/// Past this many inflated bytes the ratio bound applies: small inputs may
/// compress far better than documents of any size do.
constexpr std::uint64_t kRatioCheckedFrom = std::uint64_t(4) << 20;

/// Inflates a complete gzip stream (all its members, one after the other)
/// or zlib stream, recognised from its header, with the failures listed at
/// CVxZip::Inflate. The result comes from std::malloc, grown with
/// std::realloc (so a large output is not copied as it grows), and is freed
/// with std::free; *inflatedLength receives its length. Never null.
unsigned char* InflateToHeap(const unsigned char* data, std::uint64_t length,
                             const InflateLimits& limits, std::uint64_t* inflatedLength);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_INFLATE_H
