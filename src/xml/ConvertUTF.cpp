// UTF-8, UTF-16 and UTF-32 conversion cores. They count what they write, so a
// null target measures the output; ill-formed input gives 0.
#include <cstdint>

#include "vxxml/Encoder.h"

#include "base/Utf8.h"

using VxXmlLib10::detail::DecodeUtf8;
using VxXmlLib10::detail::EncodeUtf8;
using VxXmlLib10::detail::IsSurrogate;
using VxXmlLib10::detail::Utf8Length;

namespace {

const uint32_t kReplacement = 0xFFFD;

// The readers take one code point from the source and answer the units
// they took, 0 when the input is ill-formed (DecodeUtf8 is one of them).

// UTF-16: an unpaired surrogate is ill-formed.
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

// A wide character is a code point: above U+10FFFF (or negative) it becomes
// U+FFFD; a surrogate is ill-formed.
int DecodeUtf32(const wchar_t* p, const wchar_t*, uint32_t* cp) {
  const uint32_t v = static_cast<uint32_t>(*p);
  if (IsSurrogate(v)) return 0;
  *cp = v > 0x10FFFF ? kReplacement : v;
  return 1;
}

// The writers put one code point at `out` and answer the units it takes;
// a null `out` only measures, and 0 means it does not fit before `end`.

int PutUtf16(uint32_t cp, unsigned short* out, unsigned short* end) {
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

int PutUtf32(uint32_t cp, wchar_t* out, wchar_t* end) {
  if (out) {
    if (out == end) return 0;
    *out = static_cast<wchar_t>(cp);
  }
  return 1;
}

int PutUtf8(uint32_t cp, unsigned char* out, unsigned char* end) {
  const int n = Utf8Length(cp);
  if (out) {
    if (end - out < n) return 0;
    EncodeUtf8(cp, out);
  }
  return n;
}

// Converts until the source ends or the target is full; returns the target
// units written (or needed, with a null target), 0 on ill-formed input.
template <class Source, class Target, int (*Decode)(const Source*, const Source*, uint32_t*),
          int (*Put)(uint32_t, Target*, Target*)>
unsigned long Convert(const Source* source, const Source* sourceEnd, Target* target,
                      Target* targetEnd) {
  unsigned long count = 0;
  for (const Source* p = source; p && p < sourceEnd;) {
    uint32_t cp;
    const int n = Decode(p, sourceEnd, &cp);
    if (n == 0) return 0;
    const int units = Put(cp, target ? target + count : nullptr, targetEnd);
    if (units == 0) break;
    count += static_cast<unsigned long>(units);
    p += n;
  }
  return count;
}

// The counted forms: a length in source units and a target size, both
// positive.
template <class Source, class Target>
int ConvertCounted(unsigned long (*convert)(const Source*, const Source*, Target*, Target*),
                   const Source* source, int sourceLength, Target* target, int targetSize) {
  if (!source || sourceLength <= 0 || (target && targetSize <= 0)) return 0;
  return static_cast<int>(
      convert(source, source + sourceLength, target, target ? target + targetSize : nullptr));
}

}  // namespace

unsigned long ConvertUTF32toUTF16(const wchar_t* sourceStart, const wchar_t* sourceEnd,
                                  unsigned short* targetStart, unsigned short* targetEnd) {
  return Convert<wchar_t, unsigned short, DecodeUtf32, PutUtf16>(sourceStart, sourceEnd,
                                                                 targetStart, targetEnd);
}

unsigned long ConvertUTF16toUTF32(const unsigned short* sourceStart,
                                  const unsigned short* sourceEnd, wchar_t* targetStart,
                                  wchar_t* targetEnd) {
  return Convert<unsigned short, wchar_t, DecodeUtf16, PutUtf32>(sourceStart, sourceEnd,
                                                                 targetStart, targetEnd);
}

unsigned long ConvertUTF16toUTF8(const unsigned short* sourceStart,
                                 const unsigned short* sourceEnd, unsigned char* targetStart,
                                 unsigned char* targetEnd) {
  return Convert<unsigned short, unsigned char, DecodeUtf16, PutUtf8>(sourceStart, sourceEnd,
                                                                      targetStart, targetEnd);
}

unsigned long ConvertUTF8toUTF16(const unsigned char* sourceStart,
                                 const unsigned char* sourceEnd, unsigned short* targetStart,
                                 unsigned short* targetEnd) {
  return Convert<unsigned char, unsigned short, DecodeUtf8, PutUtf16>(sourceStart, sourceEnd,
                                                                      targetStart, targetEnd);
}

unsigned long ConvertUTF32toUTF8(const wchar_t* sourceStart, const wchar_t* sourceEnd,
                                 unsigned char* targetStart, unsigned char* targetEnd) {
  return Convert<wchar_t, unsigned char, DecodeUtf32, PutUtf8>(sourceStart, sourceEnd,
                                                               targetStart, targetEnd);
}

unsigned long ConvertUTF8toUTF32(const unsigned char* sourceStart,
                                 const unsigned char* sourceEnd, wchar_t* targetStart,
                                 wchar_t* targetEnd) {
  return Convert<unsigned char, wchar_t, DecodeUtf8, PutUtf32>(sourceStart, sourceEnd,
                                                               targetStart, targetEnd);
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
  return ConvertCounted(ConvertUTF32toUTF8, source, sourceLength, target, targetSize);
}

int UTF8ToUnicode(const unsigned char* source, int sourceLength, wchar_t* target,
                  int targetSize) {
  return ConvertCounted(ConvertUTF8toUTF32, source, sourceLength, target, targetSize);
}

int UnicodeToUTF16(const wchar_t* source, int sourceLength, unsigned short* target,
                   int targetSize) {
  return ConvertCounted(ConvertUTF32toUTF16, source, sourceLength, target, targetSize);
}

int UTF16ToUnicode(const unsigned short* source, int sourceLength, wchar_t* target,
                   int targetSize) {
  return ConvertCounted(ConvertUTF16toUTF32, source, sourceLength, target, targetSize);
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
