// Inflation as the compressed bytes arrive: a piece of input at a time, with
// the checks of the whole-buffer inflation made as the stream goes.
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "base/Messages.h"
#include "types/Inflate.h"
#include "types/Messages.h"

namespace VxXmlLib10 {
namespace detail {

namespace {
constexpr int kAutoWindowBits = 15 + 32;  // a zlib or gzip header, recognised
constexpr std::size_t kInputPiece = 65536;
}  // namespace

struct InflateSource::State {
  z_stream zs;
  std::vector<unsigned char> input;
  std::uint64_t read = 0;  // compressed bytes taken from the source
  std::uint64_t done = 0;  // bytes inflated
  bool gzip = false;
  bool first = true;
  bool inputEnded = false;
  bool finished = false;
};

InflateSource::InflateSource(ByteSource& compressed, const InflateLimits& limits)
    : m_in(compressed), m_limits(limits), m_state(new State()) {
  std::memset(&m_state->zs, 0, sizeof m_state->zs);
  m_state->input.resize(kInputPiece);
  const int init = inflateInit2(&m_state->zs, kAutoWindowBits);
  if (init == Z_MEM_ERROR) ThrowNoMemory();
  if (init != Z_OK) ThrowDecompressFailed(m_state->zs.msg);
}

InflateSource::~InflateSource() { inflateEnd(&m_state->zs); }

bool InflateSource::Refill() {
  State& s = *m_state;
  if (s.inputEnded) return false;
  const std::size_t kept = s.zs.avail_in;
  if (kept) std::memmove(s.input.data(), s.zs.next_in, kept);
  const std::size_t n = m_in.Read(s.input.data() + kept, s.input.size() - kept);
  if (n == 0) s.inputEnded = true;
  if (s.first && kept + n >= 2) {
    s.gzip = s.input[0] == 0x1F && s.input[1] == 0x8B;
    s.first = false;
  }
  s.read += n;
  s.zs.next_in = s.input.data();
  s.zs.avail_in = static_cast<uInt>(kept + n);
  return n > 0;
}

std::size_t InflateSource::Read(unsigned char* out, std::size_t room) {
  State& s = *m_state;
  if (s.finished || room == 0) return 0;
  const uInt given = static_cast<uInt>(std::min<std::size_t>(room, UINT_MAX));
  s.zs.next_out = out;
  s.zs.avail_out = given;
  for (;;) {
    if (s.zs.avail_in == 0) Refill();
    const uInt before = s.zs.avail_out;
    const int code = inflate(&s.zs, Z_NO_FLUSH);
    s.done += before - s.zs.avail_out;
    const std::size_t produced = given - s.zs.avail_out;

    if (m_limits.maxSize && s.done > m_limits.maxSize) ThrowDecompressedTooLarge(m_limits.maxSize);
    const std::uint64_t consumed = s.read - s.zs.avail_in;
    if (m_limits.maxRatio && s.done > kRatioCheckedFrom && s.done / m_limits.maxRatio > consumed)
      ThrowDecompressedRatio(m_limits.maxRatio);

    switch (code) {
      case Z_STREAM_END:
        // Only another gzip member may follow: two more bytes tell.
        while (s.zs.avail_in < 2 && Refill()) {
        }
        if (s.zs.avail_in == 0) {
          s.finished = true;
          return produced;
        }
        if (!s.gzip || s.zs.avail_in < 2 || s.zs.next_in[0] != 0x1F || s.zs.next_in[1] != 0x8B)
          ThrowDecompressTrailingData();
        inflateReset(&s.zs);
        if (produced) return produced;
        continue;
      case Z_OK:
      case Z_BUF_ERROR:  // no progress: more input is needed
        if (produced) return produced;
        if (s.zs.avail_in == 0 && !Refill()) ThrowDecompressTruncated();
        continue;
      case Z_MEM_ERROR:
        ThrowNoMemory();
      case Z_NEED_DICT:
        ThrowDecompressFailed("a preset dictionary is needed");
      default:
        ThrowDecompressFailed(s.zs.msg);
    }
  }
}

}  // namespace detail
}  // namespace VxXmlLib10
