// The octets the Fast Infoset reader decodes: a window onto its input.
//
// In memory the window is the whole buffer and nothing is copied or pulled.
// From a stream, file or callback the window is refilled in pieces: it keeps
// a bounded size (64 KB by default) and grows only for one item that is
// longer, and then only as that item's octets actually arrive, so a length
// claimed by a truncated or hostile document never allocates more than about
// twice what was read. After a long item it shrinks back.
//
// The reader holds no pointer into the window across a refill: an item's
// octets are used before the next one is taken.
#ifndef VXXML_SRC_FASTINFOSET_FASTINFOSETBYTESOURCE_H
#define VXXML_SRC_FASTINFOSET_FASTINFOSETBYTESOURCE_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace VxXmlLib10 {
namespace detail {

class FIByteSource {
 public:
  /// Fills up to `capacity` octets at `buffer`, returns how many; 0 only at
  /// the end of the input.
  using Pull = std::function<size_t(unsigned char* buffer, size_t capacity)>;

  /// The whole input, in memory; it must outlive the source.
  FIByteSource(const unsigned char* data, size_t size) : p(data), end(data + size) {}
  /// Input pulled in pieces into a window of `window` octets (at least 1).
  FIByteSource(Pull pull, size_t window);

  FIByteSource(FIByteSource&&) = default;
  FIByteSource& operator=(FIByteSource&&) = default;

  /// Makes at least `n` octets readable from `p` on, pulling more input.
  /// False when the input ends first; [p, end) then holds all that is left.
  bool Fill(uint64_t n);

  /// Whether the input is one buffer in memory: its octets then stay where
  /// they are for the whole parse.
  bool InMemory() const { return !m_pull; }

  const unsigned char* p;    // the next unread octet
  const unsigned char* end;  // the end of the octets read so far

 private:
  // Replaces the window's storage by one of `capacity` octets, keeping the
  // unread octets at its start.
  void Reallocate(size_t capacity);

  Pull m_pull;  // empty in memory
  std::unique_ptr<unsigned char[]> m_window;
  size_t m_capacity = 0;
  size_t m_size = 0;  // the window's usual size
  bool m_ended = false;
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_FASTINFOSET_FASTINFOSETBYTESOURCE_H
