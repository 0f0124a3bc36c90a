// gzip and zlib compression of byte buffers.
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "types/BinaryErrors.h"
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

}  // namespace

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
    throw std::bad_alloc();
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
