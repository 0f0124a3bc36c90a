// Fuzz target for compressed input: a document is compressed here (so the
// checksums are right), the compressed bytes are then damaged in ways the
// input chooses, and the result is loaded. Every input must load or fail
// with a CVxException.
//
// Input: [control] [edits: 2 bytes each] [document...]
//   control bit 0     gzip (1) or zlib (0)
//   control bits 1-2  compression level 0 (stored blocks), 1, 6 or 9
//   control bits 3-5  the number of edits, 0 to 7; with none the stream is
//                     intact and the document itself is read
//   control bits 6-7  then appended: nothing, the document compressed again
//                     (a second gzip member or zlib stream), one junk byte
//                     (the last edit byte or 0), or nothing
//   each edit (at, value), at a position past the header scaled by `at`
//     value % 4 == 0  flip bit (value >> 2) % 8 of the byte there
//     value % 4 == 1  insert the byte `value` there
//     value % 4 == 2  erase the byte there
//     value % 4 == 3  cut the stream there
#include <cstddef>
#include <cstdint>
#include <string>

#include <zlib.h>

#include "FuzzTree.h"
#include "vxxml/Exception.h"
#include "vxxml/XmlDocument.h"

using namespace VxXmlLib10;

namespace {

std::string Compress(const std::string& document, bool gzip, int level) {
  z_stream stream{};
  if (deflateInit2(&stream, level, Z_DEFLATED, gzip ? 15 + 16 : 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return std::string();
  std::string out(deflateBound(&stream, document.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(document.data()));
  stream.avail_in = static_cast<uInt>(document.size());
  stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return status == Z_STREAM_END ? out : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t control = data[0];
  const bool gzip = control & 1;
  static const int kLevels[] = {0, 1, 6, 9};
  const int level = kLevels[(control >> 1) & 3];
  size_t edits = (control >> 3) & 7;
  if (1 + 2 * edits > size) edits = (size - 1) / 2;
  const uint8_t* edit = data + 1;
  const std::string document(reinterpret_cast<const char*>(edit + 2 * edits),
                             size - 1 - 2 * edits);

  std::string bytes = Compress(document, gzip, level);
  const size_t header = gzip ? 10 : 2;
  if (bytes.size() <= header) return 0;
  for (size_t i = 0; i < edits && bytes.size() > header; ++i, edit += 2) {
    const size_t at = header + edit[0] * (bytes.size() - header) / 256;
    const uint8_t value = edit[1];
    switch (value % 4) {
      case 0: bytes[at] = static_cast<char>(bytes[at] ^ (1 << ((value >> 2) % 8))); break;
      case 1: bytes.insert(at, 1, static_cast<char>(value)); break;
      case 2: bytes.erase(at, 1); break;
      case 3: bytes.resize(at); break;
    }
  }
  switch (control >> 6) {
    case 1: bytes += Compress(document, gzip, level); break;
    case 2: bytes += edits ? static_cast<char>(edit[-1]) : '\0'; break;
  }

  CXmlDocument loaded;
  try {
    loaded.LoadXmlStream(reinterpret_cast<const unsigned char*>(bytes.data()),
                         static_cast<unsigned long>(bytes.size()));
  } catch (const CVxException&) {
  }
  (void)fuzz::Dump(loaded.GetDocumentElement());  // also a partial tree
  return 0;
}

#include "FuzzReplay.h"
