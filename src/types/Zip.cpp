// gzip and zlib compression of byte buffers.
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/Messages.h"
#include "types/Inflate.h"
#include "types/Messages.h"
#include "vxxml/BinaryData.h"

namespace VxXmlLib10 {

namespace {

constexpr int kLevel = 1;
constexpr int kGzipWindowBits = 15 + 16;  // gzip header and trailer
constexpr int kAutoWindowBits = 15 + 32;  // inflate recognises a zlib or gzip header
constexpr int kMemLevel = 8;
constexpr unsigned kInflateChunk = 65536;

// zlib counts in uInt: longer buffers are handed over in pieces.
uInt Piece(size_t remaining) { return static_cast<uInt>(std::min<size_t>(remaining, UINT_MAX)); }

// Deflate `length` bytes into `out` of the same size; returns zlib's last code
// (Z_STREAM_END on success) and the compressed size in `produced`. For
// buffers zlib can take at once this is one call without flushing and one
// with Z_FINISH.
int Deflate(z_stream& zs, const unsigned char* in, size_t length, unsigned char* out,
            size_t& produced) {
  size_t inLeft = length, outLeft = length;
  int code = Z_OK;
  // Feeds fresh input and output space to zlib, keeping the counts in step.
  auto step = [&](int flush) {
    const uInt givenIn = Piece(inLeft), givenOut = Piece(outLeft);
    zs.next_in = const_cast<Bytef*>(in + (length - inLeft));
    zs.avail_in = givenIn;
    zs.next_out = out + (length - outLeft);
    zs.avail_out = givenOut;
    code = deflate(&zs, flush);
    inLeft -= givenIn - zs.avail_in;
    outLeft -= givenOut - zs.avail_out;
  };
  do {
    step(Z_NO_FLUSH);
  } while (code == Z_OK && inLeft > 0 && zs.avail_in == 0);
  do {
    step(Z_FINISH);
    // Only output beyond what one call could take earns another round.
  } while (code == Z_OK && zs.avail_out == 0 && outLeft > 0);
  produced = length - outLeft;
  return code;
}

// ---- bounded inflation ---------------------------------------------------------

// Inflated bytes go to a buffer grown on demand.
class InflateOutput {
 public:
  virtual ~InflateOutput() = default;
  // Makes the capacity `wanted` (more than now), keeping the first `used` bytes.
  virtual void Grow(uint64_t used, uint64_t wanted) = 0;

  unsigned char* data = nullptr;
  uint64_t capacity = 0;
};

// std::malloc memory, grown with std::realloc: large blocks are remapped, not
// copied, so growing costs neither time nor a second copy in memory.
class HeapOutput : public InflateOutput {
 public:
  ~HeapOutput() override { std::free(data); }
  void Grow(uint64_t, uint64_t wanted) override {
    void* grown = std::realloc(data, wanted);
    if (!grown) detail::ThrowNoMemory();
    data = static_cast<unsigned char*>(grown);
    capacity = wanted;
  }
};

// An array from new[], the form CBinaryData adopts.
class ArrayOutput : public InflateOutput {
 public:
  ~ArrayOutput() override { delete[] data; }
  void Grow(uint64_t used, uint64_t wanted) override {
    unsigned char* grown = new unsigned char[wanted];
    if (used) std::memcpy(grown, data, used);
    delete[] data;
    data = grown;
    capacity = wanted;
  }
};

// Output handed to zlib per call: the bounds are checked between calls.
constexpr uint64_t kOutputStep = uint64_t(1) << 20;

// Inflates all of `in` into `out` and returns the inflated length; see
// detail::InflateToHeap.
uint64_t InflateAll(const unsigned char* in, uint64_t length, const detail::InflateLimits& limits,
                    InflateOutput& out) {
  z_stream zs;
  std::memset(&zs, 0, sizeof zs);
  const int init = inflateInit2(&zs, kAutoWindowBits);
  if (init == Z_MEM_ERROR) detail::ThrowNoMemory();
  if (init != Z_OK) detail::ThrowDecompressFailed(zs.msg);
  struct End {
    z_stream* zs;
    ~End() { inflateEnd(zs); }
  } end{&zs};

  const bool gzip = length >= 2 && in[0] == 0x1F && in[1] == 0x8B;
  // Room is never made for more than one byte beyond the size bound: that
  // byte tells that the bound is passed.
  const uint64_t room =
      limits.maxSize && limits.maxSize < UINT64_MAX ? limits.maxSize + 1 : UINT64_MAX;
  const uint64_t first = std::min<uint64_t>(std::max<uint64_t>(4 * length, kInflateChunk),
                                            uint64_t(64) << 20);
  uint64_t inLeft = length;  // not yet handed to zlib
  uint64_t done = 0;
  for (;;) {
    if (zs.avail_in == 0 && inLeft > 0) {
      zs.next_in = const_cast<Bytef*>(in + (length - inLeft));
      zs.avail_in = Piece(inLeft);
      inLeft -= zs.avail_in;
    }
    if (done == out.capacity) out.Grow(done, std::min(room, std::max(2 * out.capacity, first)));
    zs.next_out = out.data + done;
    const uInt given = static_cast<uInt>(std::min(out.capacity - done, kOutputStep));
    zs.avail_out = given;
    const int code = inflate(&zs, Z_NO_FLUSH);
    done += given - zs.avail_out;

    if (limits.maxSize && done > limits.maxSize) detail::ThrowDecompressedTooLarge(limits.maxSize);
    const uint64_t consumed = length - inLeft - zs.avail_in;
    if (limits.maxRatio && done > detail::kRatioCheckedFrom && done / limits.maxRatio > consumed)
      detail::ThrowDecompressedRatio(limits.maxRatio);

    switch (code) {
      case Z_STREAM_END: {
        const uint64_t rest = zs.avail_in + inLeft;
        if (rest == 0) return done;
        // A gzip file may hold several members, read as one text; anything
        // else after the end is refused.
        const unsigned char* next = in + (length - rest);
        if (!gzip || rest < 2 || next[0] != 0x1F || next[1] != 0x8B)
          detail::ThrowDecompressTrailingData();
        inflateReset(&zs);
        continue;
      }
      case Z_OK:
      case Z_BUF_ERROR:  // no progress: more input is needed
        // Room left over with all input read: the stream stops short.
        if (zs.avail_out > 0 && zs.avail_in == 0 && inLeft == 0) detail::ThrowDecompressTruncated();
        continue;
      case Z_MEM_ERROR:
        detail::ThrowNoMemory();
      case Z_NEED_DICT:
        detail::ThrowDecompressFailed("a preset dictionary is needed");
      default:
        detail::ThrowDecompressFailed(zs.msg);
    }
  }
}

}  // namespace

namespace detail {

unsigned char* InflateToHeap(const unsigned char* data, uint64_t length,
                             const InflateLimits& limits, uint64_t* inflatedLength) {
  HeapOutput out;
  const uint64_t n = InflateAll(data, length, limits, out);
  // Give back the room grown beyond the data (one byte at least).
  if (n + 1 < out.capacity || !out.data) {
    void* fitted = std::realloc(out.data, n ? n : 1);
    if (fitted) out.data = static_cast<unsigned char*>(fitted);
  }
  *inflatedLength = n;
  unsigned char* result = out.data;
  out.data = nullptr;
  return result;
}

}  // namespace detail

CVxZip::CVxZip() : CInstanceMonitor("CVxZip") {}
CVxZip::~CVxZip() = default;

void CVxZip::Compress(unsigned char** data, unsigned long* length, CompressionType type) {
  if (type != CompressionType_GZip && type != CompressionType_ZLib) return;
  if (!data || !length) return;
  const size_t inLength = *length;
  const unsigned char* in = *data;
  if (!in && inLength) return;

  z_stream zs;
  std::memset(&zs, 0, sizeof zs);
  int code = type == CompressionType_GZip
                 ? deflateInit2(&zs, kLevel, Z_DEFLATED, kGzipWindowBits, kMemLevel,
                                Z_DEFAULT_STRATEGY)
                 : deflateInit(&zs, kLevel);
  if (code != Z_OK) detail::ThrowCompressFailed(code);

  // The compressed form must fit in as many bytes as the input.
  unsigned char* out = new (std::nothrow) unsigned char[inLength ? inLength : 1];
  if (!out) {
    deflateEnd(&zs);
    detail::ThrowNoMemory();
  }
  size_t produced = 0;
  code = Deflate(zs, in, inLength, out, produced);
  deflateEnd(&zs);
  if (code != Z_STREAM_END) {
    delete[] out;
    detail::ThrowCompressFailed(code);
  }
  delete[] *data;
  *data = out;
  *length = static_cast<unsigned long>(produced);
}

void CVxZip::Decompress(unsigned char** data, unsigned long* length) {
  if (!data || !length || !*data || *length == 0) return;
  const unsigned char* const in = *data;
  size_t inLeft = *length;

  z_stream zs;
  std::memset(&zs, 0, sizeof zs);
  if (inflateInit2(&zs, kAutoWindowBits) != Z_OK) return;

  CBinaryData inflated;
  unsigned char chunk[kInflateChunk];
  int code = Z_OK;
  try {
    while (code == Z_OK) {
      if (zs.avail_in == 0 && inLeft > 0) {
        zs.next_in = const_cast<Bytef*>(in + (*length - inLeft));
        zs.avail_in = Piece(inLeft);
        inLeft -= zs.avail_in;
      }
      zs.next_out = chunk;
      zs.avail_out = kInflateChunk;
      // Every call either makes progress or answers Z_BUF_ERROR (input used
      // up before the end of the stream), so garbage cannot loop forever.
      code = inflate(&zs, Z_NO_FLUSH);
      if (code == Z_OK || code == Z_STREAM_END) inflated.Append(chunk, kInflateChunk - zs.avail_out);
    }
  } catch (...) {
    inflateEnd(&zs);
    throw;
  }
  inflateEnd(&zs);
  if (code != Z_STREAM_END) return;  // not compressed, damaged or truncated: keep the input

  const unsigned long inflatedLength = inflated.GetLength();
  unsigned char* result = inflated.ReleaseData();
  if (!result) result = new unsigned char[1];  // a stream of no bytes
  delete[] *data;
  *data = result;
  *length = inflatedLength;
}

CBinaryData CVxZip::Inflate(const unsigned char* data, unsigned long length,
                            std::uint64_t maxSize, unsigned int maxRatio) {
  ArrayOutput out;
  const uint64_t n = InflateAll(data, data ? length : 0, detail::InflateLimits{maxSize, maxRatio},
                                out);
  if (!out.data) out.Grow(0, 1);
  CBinaryData result(out.data, static_cast<unsigned long>(n), true);
  out.data = nullptr;
  return result;
}

void CVxZip::CompressData(CBinaryData& binaryData, CompressionType type) {
  if (binaryData.GetLength() == 0) return;
  if (type != CompressionType_GZip && type != CompressionType_ZLib) return;  // nothing to do
  unsigned long length = binaryData.GetLength();
  unsigned char* data = binaryData.ReleaseData();
  try {
    Compress(&data, &length, type);
  } catch (...) {
    binaryData = CBinaryData(data, length, true);  // give the bytes back untouched
    throw;
  }
  binaryData = CBinaryData(data, length, true);
}

}  // namespace VxXmlLib10
