// Bounded, strict inflation of gzip and zlib data, shared by CVxZip::Inflate
// and the document's loading.
#ifndef VXXML_SRC_TYPES_INFLATE_H
#define VXXML_SRC_TYPES_INFLATE_H

#include <cstddef>
#include <cstdint>
#include <memory>

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

/// Bytes that arrive a piece at a time.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  /// Up to `room` bytes into `out`; 0 only at the end of the input.
  virtual std::size_t Read(unsigned char* out, std::size_t room) = 0;
};

/// Inflates a gzip or zlib stream as its compressed bytes arrive, holding
/// one piece of input at a time, with the failures and bounds of
/// InflateToHeap: a stream that stops short, data after its end and a bound
/// passed are told as soon as they are seen.
class InflateSource final : public ByteSource {
 public:
  InflateSource(ByteSource& compressed, const InflateLimits& limits);
  ~InflateSource() override;
  InflateSource(const InflateSource&) = delete;
  InflateSource& operator=(const InflateSource&) = delete;

  std::size_t Read(unsigned char* out, std::size_t room) override;

 private:
  struct State;
  // Moves the unread input to the front and reads more behind it; false at
  // the end of the input.
  bool Refill();

  ByteSource& m_in;
  InflateLimits m_limits;
  std::unique_ptr<State> m_state;
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_INFLATE_H
