// Strict UTF-8: decoding and encoding of one character, and the scans over
// a whole text (well-formed, ASCII) that every layer's fast paths share.
#ifndef VXXML_SRC_BASE_UTF8_H
#define VXXML_SRC_BASE_UTF8_H

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace VxXmlLib10 {
namespace detail {

/// Length (1 to 4) of the well-formed UTF-8 sequence at p, storing its code
/// point; 0 when the bytes at p are ill-formed or cut short by end. Overlong
/// forms, surrogates and values above U+10FFFF are ill-formed.
inline int DecodeUtf8(const unsigned char* p, const unsigned char* end, uint32_t* cp) {
  const unsigned char b0 = p[0];
  if (b0 < 0x80) {
    *cp = b0;
    return 1;
  }
  const ptrdiff_t left = end - p;
  if (b0 < 0xC2) return 0;
  if (b0 < 0xE0) {
    if (left < 2 || (p[1] & 0xC0) != 0x80) return 0;
    *cp = (uint32_t(b0 & 0x1F) << 6) | (p[1] & 0x3F);
    return 2;
  }
  if (b0 < 0xF0) {
    if (left < 3) return 0;
    const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
    const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
    if (p[1] < lo || p[1] > hi || (p[2] & 0xC0) != 0x80) return 0;
    *cp = (uint32_t(b0 & 0x0F) << 12) | (uint32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    return 3;
  }
  if (b0 < 0xF5) {
    if (left < 4) return 0;
    const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
    const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
    if (p[1] < lo || p[1] > hi || (p[2] & 0xC0) != 0x80 || (p[3] & 0xC0) != 0x80) return 0;
    *cp = (uint32_t(b0 & 0x07) << 18) | (uint32_t(p[1] & 0x3F) << 12) |
          (uint32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
    return 4;
  }
  return 0;
}

/// Bytes needed for a Unicode scalar value (no surrogates, at most U+10FFFF).
inline int Utf8Length(uint32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

/// Writes a Unicode scalar value; returns the byte count.
inline int EncodeUtf8(uint32_t cp, unsigned char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<unsigned char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | (cp >> 6));
    out[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<unsigned char>(0xE0 | (cp >> 12));
    out[1] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
  out[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
  return 4;
}

/// U+FFFD, for a character the other side cannot carry.
const uint32_t kReplacementCharacter = 0xFFFD;

inline bool IsSurrogate(uint32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }
inline bool IsScalar(uint32_t cp) { return cp <= 0x10FFFF && !IsSurrogate(cp); }

/// The end of the well-formed UTF-8 run that starts at p (end when the whole
/// text is well-formed); ASCII is skipped sixteen or eight bytes at a time.
inline const unsigned char* SkipWellFormedUtf8(const unsigned char* p,
                                               const unsigned char* end) {
  while (p < end) {
#if defined(__SSE2__)
    while (end - p >= 16 &&
           _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))) == 0)
      p += 16;
#endif
    while (end - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      if (word & 0x8080808080808080ull) break;
      p += 8;
    }
    if (p == end) break;
    if (*p < 0x80) {
      ++p;
      continue;
    }
    uint32_t cp;
    const int n = DecodeUtf8(p, end, &cp);
    if (n == 0) break;
    p += n;
  }
  return p;
}

inline bool IsWellFormedUtf8(const unsigned char* p, size_t n) {
  return SkipWellFormedUtf8(p, p + n) == p + n;
}

/// True when no byte has its high bit set: the text is then its own UTF-8 in
/// every local code page. Words of eight octets, the last one overlapping the
/// one before; a shorter text takes two words of four the same way, or its
/// octets.
inline bool IsAscii(const unsigned char* p, size_t n) {
  uint64_t high = 0, word;
  if (n >= 8) {
    for (size_t i = 0; i + 8 < n; i += 8) {
      std::memcpy(&word, p + i, 8);
      high |= word;
    }
    std::memcpy(&word, p + n - 8, 8);
    return ((high | word) & 0x8080808080808080ull) == 0;
  }
  if (n >= 4) {
    uint32_t first, last;
    std::memcpy(&first, p, 4);
    std::memcpy(&last, p + n - 4, 4);
    return ((first | last) & 0x80808080u) == 0;
  }
  for (size_t i = 0; i < n; ++i) high |= p[i];
  return (high & 0x80) == 0;
}
inline bool IsAscii(const char* p, size_t n) {
  return IsAscii(reinterpret_cast<const unsigned char*>(p), n);
}

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BASE_UTF8_H
