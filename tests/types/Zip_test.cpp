#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

#include "TestUtil.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Exception.h"
#include "xml/TreeDump.h"

using namespace VxXmlLib10;
using vxtest::Bytes;
using vxtest::FromBytes;

namespace {

// Document-like text with runs of random bytes: compressible overall, but not
// trivially so.
std::string Mixed(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s;
  s.reserve(n + 256);
  for (size_t block = 0; s.size() < n; ++block) {
    if (block % 4 == 3) {
      for (int i = 0; i < 1024; ++i) s += static_cast<char>(rng());
    } else {
      for (int i = 0; i < 40 && s.size() < n + 128; ++i)
        s += "<item id=\"" + std::to_string(rng() % 100000) + "\">value</item>\n";
    }
  }
  s.resize(n);
  return s;
}

std::string Vx(const std::string& message) { return vxtest::Named<CVxException>(message); }

// What Inflate gives: the bytes, or what vxtest::Failure gives.
std::string Inflated(const std::string& compressed, uint64_t maxSize = 0, unsigned maxRatio = 0) {
  std::string bytes;
  const std::string failure = vxtest::Failure([&] {
    bytes = Bytes(CVxZip().Inflate(reinterpret_cast<const unsigned char*>(compressed.data()),
                                   static_cast<unsigned long>(compressed.size()), maxSize,
                                   maxRatio));
  });
  return failure.empty() ? bytes : failure;
}

const std::string kTruncated = Vx("Failed to decompress data. [the compressed data is truncated]");

// Decompress must leave an input it cannot inflate exactly as it was; Inflate
// refuses it with `refusal`.
void ExpectDecompressRefuses(const std::string& input, const std::string& what,
                             const std::string& refusal = kTruncated) {
  EXPECT_EQ(Inflated(input), refusal) << what;
  unsigned long length = static_cast<unsigned long>(input.size());
  unsigned char* data = new unsigned char[input.size() + 1];
  std::memcpy(data, input.data(), input.size());
  unsigned char* const original = data;
  CVxZip().Decompress(&data, &length);
  EXPECT_TRUE(data == original && length == input.size() &&
              std::memcmp(original, input.data(), input.size()) == 0)
      << what;
  delete[] original;
}

std::string Inflate(const std::string& compressed) {
  CBinaryData d = FromBytes(compressed);
  unsigned long length = d.GetLength();
  unsigned char* data = d.ReleaseData();
  CVxZip().Decompress(&data, &length);
  return Bytes(CBinaryData(data, length, true));
}

std::string Compressed(const std::string& plain, CompressionType type) {
  CBinaryData d = FromBytes(plain);
  CVxZip().CompressData(d, type);
  return Bytes(d);
}

}  // namespace

TEST(Zip, SmallInputDoesNotFitAndNoneIsLeftAlone) {
  // zlib's last answer: gzip runs out of room in its 10-byte header (no
  // progress possible, Z_BUF_ERROR); zlib still makes progress (Z_OK).
  for (CompressionType type : {CompressionType_GZip, CompressionType_ZLib}) {
    CBinaryData d("hello");
    EXPECT_EQ(vxtest::Failure([&] { CVxZip().CompressData(d, type); }),
              Vx(type == CompressionType_GZip ? "Failed to compress data. [Error Code: -5]"
                                              : "Failed to compress data. [Error Code: 0]"));
    EXPECT_EQ(Bytes(d), "hello");  // the value is given back untouched
  }
  const std::string text = std::string(1000, 'a');
  for (int type : {0, 3, -1}) EXPECT_EQ(Compressed(text, static_cast<CompressionType>(type)), text);
  CBinaryData empty;
  CVxZip().CompressData(empty, CompressionType_GZip);
  EXPECT_EQ(empty, CBinaryData());
}

TEST(Zip, FormatsAreStandard) {
  const std::string plain = Mixed(200000, 5);
  const std::string gz = Compressed(plain, CompressionType_GZip);
  const std::string zl = Compressed(plain, CompressionType_ZLib);
  EXPECT_EQ(gz.substr(0, 3), "\x1F\x8B\x08");
  EXPECT_EQ(zl.substr(0, 2), "\x78\x01");  // deflate, 32K window, fastest level
  // zlib itself reads what we write...
  std::vector<unsigned char> out(plain.size());
  uLongf outLength = static_cast<uLongf>(out.size());
  ASSERT_EQ(uncompress(out.data(), &outLength, reinterpret_cast<const Bytef*>(zl.data()),
                       static_cast<uLong>(zl.size())),
            Z_OK);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data()), outLength), plain);
  // ...and we read what zlib writes at its default level, gzip of zero bytes too.
  EXPECT_EQ(Inflate(vxxml_test::Zlib(plain)), plain);
  const std::string gzEmpty = vxxml_test::Gzip("");
  EXPECT_EQ(Inflate(gzEmpty), "");
  EXPECT_EQ(Inflated(gzEmpty + gzEmpty), "");
}

// Inflate reads every gzip member, refuses anything else after the stream,
// and stops at its bounds.
TEST(Zip, InflateReadsWholeStreamsWithinBounds) {
  const std::string a = Mixed(3000, 2), b = Mixed(5000, 3);
  const std::string gzA = Compressed(a, CompressionType_GZip);
  const std::string zlA = Compressed(a, CompressionType_ZLib);
  const std::string gzB = Compressed(b, CompressionType_GZip);
  const std::string zeros = Compressed(std::string(5 << 20, '\0'), CompressionType_GZip);
  const std::string trailing =
      Vx("Failed to decompress data. [data follows the end of the compressed stream]");
  const std::string size = "Decompressed data exceeds the limit MaxDecompressedSize [";
  const struct {
    std::string input;
    uint64_t maxSize;
    unsigned maxRatio;
    std::string expected;
  } cases[] = {
      {gzA + gzB, 0, 0, a + b},
      {gzA + "\x1F", 0, 0, trailing},
      {zlA + gzB, 0, 0, trailing},  // only gzip has members
      {gzA + std::string(8, '\0'), 0, 0, trailing},
      {gzA + gzB.substr(0, 20), 0, 0, kTruncated},
      {gzA, a.size(), 0, a},
      {gzA, a.size() - 1, 0, Vx(size + "2999 bytes]")},
      {gzA + gzB, a.size() + 1, 0, Vx(size + "3001 bytes]")},
      // Small data may compress better than the ratio: it is checked past 4 MiB.
      {Compressed(std::string(4 << 20, '\0'), CompressionType_GZip), 0, 200,
       std::string(4 << 20, '\0')},
      {zeros, 0, 200, Vx("Decompressed data exceeds the limit MaxCompressionRatio [200:1]")},
      {zeros, 0, 1100, std::string(5 << 20, '\0')},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Inflated(c.input, c.maxSize, c.maxRatio), c.expected)
        << c.input.size() << " " << c.maxSize << " " << c.maxRatio;
}

TEST(Zip, DecompressLeavesUncompressedInputAlone) {
  const std::string garbage = Mixed(100000, 3).substr(5000);
  const std::string damaged = "Failed to decompress data. [";
  ExpectDecompressRefuses("<?xml version=\"1.0\"?><a>plain text</a>", "plain text",
                          Vx(damaged + "incorrect header check]"));
  ExpectDecompressRefuses(std::string("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03", 10) + garbage,
                          "gzip header, garbage body",
                          Vx(damaged + "invalid stored block lengths]"));
  ExpectDecompressRefuses("\x78\x01", "zlib header only");
  // Damage in the trailer (checksum) is noticed too.
  for (CompressionType type : {CompressionType_GZip, CompressionType_ZLib}) {
    std::string packed = Compressed(Mixed(100000, 1), type);
    packed[packed.size() - (type == CompressionType_GZip ? 6 : 1)] ^= 0x55;
    ExpectDecompressRefuses(packed, "bad check", Vx(damaged + "incorrect data check]"));
  }
  unsigned char* none = nullptr;
  unsigned long zero = 0;
  CVxZip().Decompress(&none, &zero);
  EXPECT_EQ(none, nullptr);
}

TEST(Zip, EveryTruncationIsRefused) {
  for (CompressionType type : {CompressionType_GZip, CompressionType_ZLib}) {
    const std::string small = Compressed(Mixed(3000, 11), type);
    for (size_t cut = 0; cut < small.size(); ++cut)
      ExpectDecompressRefuses(small.substr(0, cut), "small cut " + std::to_string(cut));
  }
  // A stream spanning many inflate chunks: a sample of cut points, plus every
  // cut inside the trailer.
  const std::string big = Compressed(Mixed(2u << 20, 13), CompressionType_GZip);
  for (size_t cut = 1; cut < big.size(); cut += big.size() / 40 + 1)
    ExpectDecompressRefuses(big.substr(0, cut), "big cut " + std::to_string(cut));
  for (size_t back = 1; back <= 12; ++back)
    ExpectDecompressRefuses(big.substr(0, big.size() - back), "tail cut " + std::to_string(back));
  EXPECT_EQ(Inflate(big), Mixed(2u << 20, 13));
}
