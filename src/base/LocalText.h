// The local code page: whether it is UTF-8, the ASCII-only switch, and the
// decoding of local text into characters that the encoders, the streams and
// the pattern facets share.
//
// The local code page is decoded with mbrtowc under the current locale. In a
// UTF-8 locale that is the identity on well-formed UTF-8, so the decoder
// hands well-formed runs over whole and asks the runtime only about the
// bytes it must judge itself (ill-formed bytes); the results are those of
// the per-character round trip.
#ifndef VXXML_SRC_BASE_LOCALTEXT_H
#define VXXML_SRC_BASE_LOCALTEXT_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "base/Utf8.h"
#include "vxxml/Export.h"

namespace VxXmlLib10 {

// The ASCII-only switch and its setter, declared for applications in
// Encoder.h and defined in LocalText.cpp, beside the text they change.
VXXML_API extern bool ASCII_ONLY;
VXXML_API void ASCIIOnly(bool asciiOnly);

namespace detail {

/// True when the current locale's multibyte encoding is UTF-8.
bool IsUtf8Locale();

/// True when UTF-8 is already the local text: in a UTF-8 locale, or when the
/// ASCII-only switch says to take bytes as they are.
inline bool Utf8IsLocalText() { return ASCII_ONLY || IsUtf8Locale(); }

/// Walks local-code-page text and reports each decoded unit to the sink:
///   sink.Run(p, n)      n bytes of well-formed UTF-8 (UTF-8 locale only) or
///                       of ASCII (other locales)
///   sink.Char(wc)       one character decoded by mbrtowc
///   sink.Bad()          a byte that starts no valid character
template <class Sink>
void DecodeLocal(const char* text, size_t length, bool utf8Locale, Sink& sink) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* const end = p + length;
  std::mbstate_t state{};
  while (p < end) {
    if (utf8Locale) {
      const unsigned char* run = p;
      p = SkipWellFormedUtf8(p, end);
      if (p != run) sink.Run(run, static_cast<size_t>(p - run));
      if (p == end) break;
    } else if (std::mbsinit(&state)) {
      // Every locale charset on this platform is an ASCII superset without
      // shift states, so ASCII runs decode to themselves.
      const unsigned char* run = p;
      while (p < end && *p < 0x80 && *p != 0) ++p;
      if (p != run) sink.Run(run, static_cast<size_t>(p - run));
      if (p == end) break;
    }
    wchar_t wc = 0;
    const size_t r = std::mbrtowc(&wc, reinterpret_cast<const char*>(p),
                                  static_cast<size_t>(end - p), &state);
    if (r == static_cast<size_t>(-1) || r == static_cast<size_t>(-2) || r == 0) {
      sink.Bad();
      state = std::mbstate_t{};
      ++p;
    } else {
      sink.Char(wc);
      p += r;
    }
  }
}

/// Collects UTF-8 output: '?' for a bad byte, U+FFFD for a character beyond
/// Unicode. A surrogate character fails the whole text, as the wide-to-UTF-8
/// conversion refuses it.
struct Utf8Sink {
  unsigned char* out;
  size_t used = 0;
  bool failed = false;
  void Run(const unsigned char* p, size_t n) {
    std::memcpy(out + used, p, n);
    used += n;
  }
  void Bad() { out[used++] = '?'; }
  void Char(wchar_t wc) {
    const uint32_t v = static_cast<uint32_t>(wc);
    if (IsSurrogate(v)) failed = true;
    used += static_cast<size_t>(EncodeUtf8(v > 0x10FFFF ? kReplacementCharacter : v, out + used));
  }
};

/// The UTF-8 form of `length` bytes of local text, written to `out` (room for
/// `length` bytes in a UTF-8 locale, 4 * `length` in others); returns its
/// length, 0 when the text holds a character UTF-8 cannot carry.
size_t LocalToUtf8(const char* text, size_t length, bool utf8Locale, unsigned char* out);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BASE_LOCALTEXT_H
