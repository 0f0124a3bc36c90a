// UTF-8, UTF-16 and UTF-32 conversion cores. They count what they write, so a
// null target measures the output; ill-formed input gives 0.
#include <cstdint>

#include "vxxml/Encoder.h"
#include "xml/Utf8.h"

using VxXmlLib10::detail::DecodeUtf8;
using VxXmlLib10::detail::EncodeUtf8;
using VxXmlLib10::detail::IsSurrogate;
using VxXmlLib10::detail::Utf8Length;

namespace {

const uint32_t kReplacement = 0xFFFD;

// Reads one code point from UTF-16; 0 units on an unpaired surrogate.
int DecodeUtf16(const unsigned short* p, const unsigned short* end, uint32_t* cp) {
  const uint32_t u = *p;
  if (u < 0xD800 || u > 0xDFFF) {
    *cp = u;
    return 1;
  }
  if (u > 0xDBFF || end - p < 2 || p[1] < 0xDC00 || p[1] > 0xDFFF) return 0;
  *cp = 0x10000 + ((u - 0xD800) << 10) + (p[1] - 0xDC00u);
  return 2;
}

// Writes a code point as UTF-16 if it fits; returns units written (0 if not).
int EncodeUtf16(uint32_t cp, unsigned short* out, unsigned short* end) {
  if (cp < 0x10000) {
    if (out) {
      if (out == end) return 0;
      *out = static_cast<unsigned short>(cp);
    }
    return 1;
  }
  if (out) {
    if (end - out < 2) return 0;
    cp -= 0x10000;
    out[0] = static_cast<unsigned short>(0xD800 + (cp >> 10));
    out[1] = static_cast<unsigned short>(0xDC00 + (cp & 0x3FF));
  }
  return 2;
}

// UTF-8 output of one scalar value; returns false when it does not fit.
bool PutUtf8(uint32_t cp, unsigned char*& out, unsigned char* end, unsigned long& count) {
  const int n = Utf8Length(cp);
  if (out) {
    if (end - out < n) return false;
    out += EncodeUtf8(cp, out);
  }
  count += static_cast<unsigned long>(n);
  return true;
}

// A wide character as a code point: above U+10FFFF (or negative) becomes
// U+FFFD; returns false for a surrogate.
bool WideToCodePoint(wchar_t w, uint32_t* cp) {
  const uint32_t v = static_cast<uint32_t>(w);
  if (IsSurrogate(v)) return false;
  *cp = v > 0x10FFFF ? kReplacement : v;
  return true;
}

}  // namespace

unsigned long ConvertUTF32toUTF16(const wchar_t* sourceStart, const wchar_t* sourceEnd,
                                  unsigned short* targetStart, unsigned short* targetEnd) {
  unsigned long count = 0;
  for (const wchar_t* p = sourceStart; p && p < sourceEnd; ++p) {
    uint32_t cp;
    if (!WideToCodePoint(*p, &cp)) return 0;
    const int n = EncodeUtf16(cp, targetStart ? targetStart + count : nullptr, targetEnd);
    if (n == 0) break;
    count += static_cast<unsigned long>(n);
  }
  return count;
}

unsigned long ConvertUTF16toUTF32(const unsigned short* sourceStart,
                                  const unsigned short* sourceEnd, wchar_t* targetStart,
                                  wchar_t* targetEnd) {
  unsigned long count = 0;
  for (const unsigned short* p = sourceStart; p && p < sourceEnd;) {
    uint32_t cp;
    const int n = DecodeUtf16(p, sourceEnd, &cp);
    if (n == 0) return 0;
    if (targetStart) {
      if (targetStart + count == targetEnd) break;
      targetStart[count] = static_cast<wchar_t>(cp);
    }
    ++count;
    p += n;
  }
  return count;
}

unsigned long ConvertUTF16toUTF8(const unsigned short* sourceStart,
                                 const unsigned short* sourceEnd, unsigned char* targetStart,
                                 unsigned char* targetEnd) {
  unsigned long count = 0;
  unsigned char* out = targetStart;
  for (const unsigned short* p = sourceStart; p && p < sourceEnd;) {
    uint32_t cp;
    const int n = DecodeUtf16(p, sourceEnd, &cp);
    if (n == 0) return 0;
    if (!PutUtf8(cp, out, targetEnd, count)) break;
    p += n;
  }
  return count;
}

unsigned long ConvertUTF8toUTF16(const unsigned char* sourceStart,
                                 const unsigned char* sourceEnd, unsigned short* targetStart,
                                 unsigned short* targetEnd) {
  unsigned long count = 0;
  for (const unsigned char* p = sourceStart; p && p < sourceEnd;) {
    uint32_t cp;
    const int n = DecodeUtf8(p, sourceEnd, &cp);
    if (n == 0) return 0;
    const int units = EncodeUtf16(cp, targetStart ? targetStart + count : nullptr, targetEnd);
    if (units == 0) break;
    count += static_cast<unsigned long>(units);
    p += n;
  }
  return count;
}

unsigned long ConvertUTF32toUTF8(const wchar_t* sourceStart, const wchar_t* sourceEnd,
                                 unsigned char* targetStart, unsigned char* targetEnd) {
  unsigned long count = 0;
  unsigned char* out = targetStart;
  for (const wchar_t* p = sourceStart; p && p < sourceEnd; ++p) {
    uint32_t cp;
    if (!WideToCodePoint(*p, &cp)) return 0;
    if (!PutUtf8(cp, out, targetEnd, count)) break;
  }
  return count;
}

unsigned long ConvertUTF8toUTF32(const unsigned char* sourceStart,
                                 const unsigned char* sourceEnd, wchar_t* targetStart,
                                 wchar_t* targetEnd) {
  unsigned long count = 0;
  for (const unsigned char* p = sourceStart; p && p < sourceEnd;) {
    uint32_t cp;
    const int n = DecodeUtf8(p, sourceEnd, &cp);
    if (n == 0) return 0;
    if (targetStart) {
      if (targetStart + count == targetEnd) break;
      targetStart[count] = static_cast<wchar_t>(cp);
    }
    ++count;
    p += n;
  }
  return count;
}

bool IsLegalUTF8(const unsigned char* source, int length) {
  if (!source || length < 1 || length > 4) return false;
  uint32_t cp;
  return DecodeUtf8(source, source + length, &cp) == length;
}

bool IsLegalUTF8Sequence(const unsigned char* source, const unsigned char* sourceEnd) {
  if (!source || source >= sourceEnd) return false;
  const unsigned char b = *source;
  const int length = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  if (sourceEnd - source < length) return false;
  return IsLegalUTF8(source, length);
}

int UnicodeToUTF8(const wchar_t* source, int sourceLength, unsigned char* target,
                  int targetSize) {
  if (!source || sourceLength <= 0 || (target && targetSize <= 0)) return 0;
  return static_cast<int>(ConvertUTF32toUTF8(source, source + sourceLength, target,
                                             target ? target + targetSize : nullptr));
}

int UTF8ToUnicode(const unsigned char* source, int sourceLength, wchar_t* target,
                  int targetSize) {
  if (!source || sourceLength <= 0 || (target && targetSize <= 0)) return 0;
  return static_cast<int>(ConvertUTF8toUTF32(source, source + sourceLength, target,
                                             target ? target + targetSize : nullptr));
}

int UnicodeToUTF16(const wchar_t* source, int sourceLength, unsigned short* target,
                   int targetSize) {
  if (!source || sourceLength <= 0 || (target && targetSize <= 0)) return 0;
  return static_cast<int>(ConvertUTF32toUTF16(source, source + sourceLength, target,
                                              target ? target + targetSize : nullptr));
}

int UTF16ToUnicode(const unsigned short* source, int sourceLength, wchar_t* target,
                   int targetSize) {
  if (!source || sourceLength <= 0 || (target && targetSize <= 0)) return 0;
  return static_cast<int>(ConvertUTF16toUTF32(source, source + sourceLength, target,
                                              target ? target + targetSize : nullptr));
}

bool DoesUnicodeStrContainAnyUTF8CharsLargerThanOneByte(const wchar_t* text, int length) {
  for (int i = 0; text && i < length; ++i)
    if (static_cast<uint32_t>(text[i]) >= 0x80) return true;
  return false;
}

bool DoesUTF8StrContainAnyCharsLargerThanOneByte(unsigned char* text, unsigned long length) {
  for (unsigned long i = 0; text && i < length; ++i)
    if (text[i] >= 0x80) return true;
  return false;
}
