// Base64 encoding and decoding by table.
#include <cstdint>
#include <cstring>

#include "types/BinaryCodec.h"
#include "vxxml/BinaryData.h"

namespace VxXmlLib10 {

const char CBase64::m_sBase64Alphabet[65] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const int CBase64::m_nMask[9] = {0, 1, 3, 7, 15, 31, 63, 127, 255};

namespace detail {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Two output characters for every 12-bit group: three input bytes become two
// table lookups.
struct PairTable {
  char pairs[4096][2];
  constexpr PairTable() : pairs() {
    for (int i = 0; i < 4096; ++i) {
      pairs[i][0] = kAlphabet[i >> 6];
      pairs[i][1] = kAlphabet[i & 63];
    }
  }
};
constexpr PairTable kPairs;

// Decoding classes: 0..63 the sextet, kSkip for characters passed over,
// kInvalid for the rest. The high bit of a character is ignored, so the upper
// half of the table repeats the lower half.
constexpr uint8_t kSkip = 0x40;
constexpr uint8_t kInvalid = 0x80;
struct DecodeTable {
  uint8_t value[256];
  constexpr DecodeTable() : value() {
    for (int i = 0; i < 128; ++i) value[i] = kInvalid;
    for (int i = 0; i < 64; ++i) value[static_cast<unsigned char>(kAlphabet[i])] = static_cast<uint8_t>(i);
    value[static_cast<unsigned char>('=')] = kSkip;
    value[static_cast<unsigned char>(' ')] = kSkip;
    value[static_cast<unsigned char>('\t')] = kSkip;
    value[static_cast<unsigned char>('\r')] = kSkip;
    value[static_cast<unsigned char>('\n')] = kSkip;
    for (int i = 128; i < 256; ++i) value[i] = value[i - 128];
  }
};
constexpr DecodeTable kDecode;

}  // namespace

size_t Base64EncodedLength(size_t length) { return (length + 2) / 3 * 4; }

void Base64Encode(const unsigned char* data, size_t length, char* out) {
  const unsigned char* p = data;
  const unsigned char* const full = data + length / 3 * 3;
  for (; p != full; p += 3, out += 4) {
    const uint32_t v = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    std::memcpy(out, kPairs.pairs[v >> 12], 2);
    std::memcpy(out + 2, kPairs.pairs[v & 0xFFF], 2);
  }
  const size_t rest = length - static_cast<size_t>(full - data);
  if (rest == 0) return;
  // The last group is filled with zero bits and the output padded with '='.
  const uint32_t v = (uint32_t{p[0]} << 16) | (rest == 2 ? uint32_t{p[1]} << 8 : 0);
  out[0] = kAlphabet[v >> 18];
  out[1] = kAlphabet[(v >> 12) & 63];
  out[2] = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
  out[3] = '=';
}

size_t Base64Decode(const char* text, size_t length, unsigned char* out) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* const end = p + length;
  unsigned char* o = out;
  uint32_t bits = 0;  // accumulated bits not yet written, fewer than 8
  int count = 0;
  while (p != end) {
    if (count == 0) {
      // Byte-aligned: whole quadruples of alphabet characters in one step.
      while (end - p >= 4) {
        const uint32_t a = kDecode.value[p[0]], b = kDecode.value[p[1]];
        const uint32_t c = kDecode.value[p[2]], d = kDecode.value[p[3]];
        if ((a | b | c | d) >= 64) break;
        const uint32_t v = (a << 18) | (b << 12) | (c << 6) | d;
        o[0] = static_cast<unsigned char>(v >> 16);
        o[1] = static_cast<unsigned char>(v >> 8);
        o[2] = static_cast<unsigned char>(v);
        o += 3;
        p += 4;
      }
      if (p == end) break;
    }
    const uint8_t v = kDecode.value[*p++];
    if (v < 64) {
      bits = (bits << 6) | v;
      count += 6;
      if (count >= 8) {
        count -= 8;
        *o++ = static_cast<unsigned char>(bits >> count);
        bits &= (1u << count) - 1;
      }
    } else if (v == kInvalid) {
      return 0;
    }
  }
  return static_cast<size_t>(o - out);  // leftover bits are dropped
}

}  // namespace detail

CBase64::CBase64() : m_nInputLength(0), m_nBitsRemaining(0), m_lBitStorage(0), m_szInput(nullptr) {}
CBase64::~CBase64() = default;

std::string CBase64::Encode(unsigned char* data, int length) {
  const size_t n = (data && length > 0) ? static_cast<size_t>(length) : 0;
  m_szInput = data;
  m_nInputLength = n;
  m_nBitsRemaining = 0;
  m_lBitStorage = 0;
  std::string text(detail::Base64EncodedLength(n), '=');
  if (n) detail::Base64Encode(data, n, &text[0]);
  return text;
}

unsigned long CBase64::Decode(const char* text, unsigned char* out) {
  m_szInput = reinterpret_cast<const unsigned char*>(text);
  m_nInputLength = text ? std::strlen(text) : 0;
  m_nBitsRemaining = 0;
  m_lBitStorage = 0;
  if (!text) return 0;
  return detail::Base64Decode(text, m_nInputLength, out);
}

}  // namespace VxXmlLib10
