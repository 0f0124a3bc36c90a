// Strict UTF-8 decoding and encoding of one character, shared by the UTF
// conversion cores and the local-code-page fast paths.
#ifndef VXXML_SRC_XML_UTF8_H
#define VXXML_SRC_XML_UTF8_H

#include <cstddef>
#include <cstdint>

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

inline bool IsSurrogate(uint32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }
inline bool IsScalar(uint32_t cp) { return cp <= 0x10FFFF && !IsSurrogate(cp); }

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_UTF8_H
