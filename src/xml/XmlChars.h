// What XML 1.0 allows as characters and as names, checked on UTF-8. The Fast
// Infoset reader checks what it reads with these, the text writer what it
// writes, so that neither lets through text that is not well-formed XML.
#ifndef VXXML_SRC_XML_XMLCHARS_H
#define VXXML_SRC_XML_XMLCHARS_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace VxXmlLib10 {
namespace detail {

/// The Char production: TAB, LF, CR, U+0020..U+D7FF, U+E000..U+FFFD,
/// U+10000..U+10FFFF.
inline bool IsXmlChar(uint32_t cp) {
  if (cp < 0x20) return cp == 0x09 || cp == 0x0A || cp == 0x0D;
  return cp <= 0xD7FF || (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

/// Name classes of the ASCII bytes: kNameStart for a character that may
/// begin a name, kNameChar for one that may continue it. The colon is in
/// both; a name without a colon (NCName) excludes it.
enum : unsigned char { kNameStart = 1, kNameChar = 2 };
struct AsciiNameClasses {
  unsigned char of[128] = {};
  constexpr AsciiNameClasses() {
    for (int i = 'A'; i <= 'Z'; ++i) of[i] = of[i + 32] = kNameStart | kNameChar;
    of[unsigned('_')] = of[unsigned(':')] = kNameStart | kNameChar;
    for (int i = '0'; i <= '9'; ++i) of[i] = kNameChar;
    of[unsigned('-')] = of[unsigned('.')] = kNameChar;
  }
};
inline constexpr AsciiNameClasses kAsciiName{};

/// Whether the name is an NCName of ASCII characters: an XML name, with or
/// without a colon allowed, in every local code page.
inline bool IsAsciiNCName(const std::string& name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0x80 || c == ':' || !(kAsciiName.of[c] & (i ? kNameChar : kNameStart))) return false;
  }
  return true;
}

/// The NameStartChar and NameChar productions for any code point.
bool IsNameStartCodePoint(uint32_t cp);
bool IsNameCodePoint(uint32_t cp);

/// Why a text is not XML: ill-formed UTF-8 (value: the first octet of the
/// sequence) or a character XML 1.0 does not allow (value: its code point).
struct TextFault {
  enum Kind { kNone, kIllFormed, kNotAllowed } kind = kNone;
  uint32_t value = 0;
};

/// Whether the eight octets at `at` are all printable ASCII. An octet below
/// 0x20 borrows into its high bit in x - 0x20 (a borrow that runs on into
/// the next octet only follows a true find); octets from 0x80 up have it
/// already.
inline bool IsPlainWord(const unsigned char* at) {
  uint64_t word;
  std::memcpy(&word, at, 8);
  return ((word | ((word - 0x2020202020202020ull) & ~word)) & 0x8080808080808080ull) == 0;
}

/// Whether every octet of p..p+n is a printable ASCII character (0x20 to
/// 0x7F): text XML takes as it is, in every local code page. Blocks of
/// sixteen octets (with SSE2) or words of eight or four at a time, the last
/// one overlapping the one before, so a short text costs a few comparisons
/// and no loop over its octets.
inline bool IsPlainXmlText(const unsigned char* p, size_t n) {
  // The same test on four octets.
  auto plain4 = [](const unsigned char* at) {
    uint32_t word;
    std::memcpy(&word, at, 4);
    return ((word | ((word - 0x20202020u) & ~word)) & 0x80808080u) == 0;
  };
#if defined(__SSE2__)
  // Sixteen octets at a time: as signed octets, the plain ones are exactly
  // those greater than 0x1F (0x80 and up are negative).
  if (n > 16) {
    auto plain16 = [](const unsigned char* at) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
      return _mm_movemask_epi8(_mm_cmpgt_epi8(v, _mm_set1_epi8(0x1F))) == 0xFFFF;
    };
    for (size_t i = 0; i + 16 < n; i += 16)
      if (!plain16(p + i)) return false;
    return plain16(p + n - 16);
  }
#endif
  if (n >= 8) {
    for (size_t i = 0; i + 8 < n; i += 8)
      if (!IsPlainWord(p + i)) return false;
    return IsPlainWord(p + n - 8);
  }
  if (n >= 4) return plain4(p) && plain4(p + n - 4);
  if (n == 0) return true;
  // One to three octets: the first, the middle and the last cover them all.
  auto plain1 = [](unsigned char c) { return c >= 0x20 && c < 0x80; };
  return plain1(p[0]) && plain1(p[n / 2]) && plain1(p[n - 1]);
}

/// Whether p..p+n is well-formed UTF-8 of characters XML 1.0 allows; on
/// failure `fault` says why. Runs of plain ASCII are checked eight octets at
/// a time.
bool CheckXmlText(const unsigned char* p, size_t n, TextFault* fault);

/// Whether p..p+n (UTF-8) is a NameStartChar, then NameChars; `ascii` says
/// whether every character is ASCII. With `colon` false, a name without a
/// colon (an NCName).
bool IsNameInRanges(const unsigned char* p, size_t n, bool colon, bool* ascii);

/// Whether p..p+n (UTF-8) is an XML name every reader takes: in the ranges
/// above and, outside ASCII, in the name classes of expat, the text reader.
bool IsXmlName(const unsigned char* p, size_t n, bool colon);

/// The text for a message: octets that are not printable characters (ASCII
/// controls, ill-formed UTF-8) as \xHH.
std::string Printable(const char* p, size_t n);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_XMLCHARS_H
