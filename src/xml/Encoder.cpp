// Local code page <-> UTF-8 / UTF-16 / wide characters.
//
// The local code page is decoded with mbrtowc and encoded with wcrtomb under
// the current locale. In a UTF-8 locale both are the identity on well-formed
// UTF-8, so the fast paths copy well-formed runs and call the runtime only for
// the bytes or characters it must judge itself (ill-formed bytes, code points
// outside Unicode); the results are those of the per-character round trip.
#include "vxxml/Encoder.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

#include "base/LocalText.h"
#include "base/Utf8.h"
#include "xml/LocalText.h"

namespace VxXmlLib10 {

namespace {

using detail::DecodeLocal;
using detail::DecodeUtf8;
using detail::EncodeUtf8;
using detail::IsScalar;
using detail::IsUtf8Locale;
using detail::Utf8Sink;

const uint32_t kReplacement = detail::kReplacementCharacter;

struct Utf16Sink {
  unsigned char* out;
  size_t used = 0;
  void Put(uint32_t cp) {
    if (cp > 0x10FFFF) cp = kReplacement;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      Unit(0xD800 + (cp >> 10));
      Unit(0xDC00 + (cp & 0x3FF));
    } else {
      Unit(cp);
    }
  }
  void Unit(uint32_t u) {
    out[used++] = static_cast<unsigned char>(u & 0xFF);
    out[used++] = static_cast<unsigned char>(u >> 8);
  }
  void Run(const unsigned char* p, size_t n) {
    const unsigned char* end = p + n;
    while (p < end) {
      uint32_t cp = 0;
      p += DecodeUtf8(p, end, &cp);
      Put(cp);
    }
  }
  void Bad() { Put('?'); }
  void Char(wchar_t wc) { Put(static_cast<uint32_t>(wc)); }
};

CBinaryData Adopt(unsigned char* buffer, size_t used) {
  if (used == 0) {
    delete[] buffer;
    return CBinaryData();
  }
  return CBinaryData(buffer, static_cast<unsigned long>(used), true);
}

// Appends one wide character in the local code page ('?' when the locale
// cannot represent it).
void AppendWide(std::string& out, wchar_t wc, bool utf8Locale) {
  const uint32_t v = static_cast<uint32_t>(wc);
  if (utf8Locale && IsScalar(v)) {
    unsigned char bytes[4];
    out.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(EncodeUtf8(v, bytes)));
    return;
  }
  char bytes[MB_LEN_MAX];
  std::mbstate_t state{};
  const size_t r = std::wcrtomb(bytes, wc, &state);
  if (r == static_cast<size_t>(-1))
    out += '?';
  else
    out.append(bytes, r);
}

}  // namespace

namespace detail {

CBinaryData LocalPiecesToUtf8(const TextPiece* pieces, size_t count) {
  // The text ends at its first NUL, as a C string would.
  size_t total = 0;
  size_t used = 0;
  for (; used < count; ++used) {
    const void* nul = std::memchr(pieces[used].data, 0, pieces[used].length);
    if (nul) {
      total += static_cast<size_t>(static_cast<const char*>(nul) - pieces[used].data);
      break;
    }
    total += pieces[used].length;
  }
  const size_t last = used < count ? used : count - 1;
  if (total == 0) return CBinaryData();
  std::unique_ptr<unsigned char[]> out(new unsigned char[total]);
  Utf8Sink sink{out.get()};
  // A character cut by a piece boundary is decoded from a small window: the
  // tail of one piece from its last lead byte, and the continuation bytes
  // that open the next. Decoding decisions never look past a byte that is
  // not a continuation byte, so the result equals that of the whole text.
  unsigned char window[16];
  size_t carried = 0;
  for (size_t i = 0; i <= last && i < count; ++i) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pieces[i].data);
    size_t n = pieces[i].length;
    if (i == last) {
      const void* nul = std::memchr(p, 0, n);
      if (nul) n = static_cast<size_t>(static_cast<const unsigned char*>(nul) - p);
    }
    size_t head = 0;
    if (carried) {
      while (head < n && head < 6 && (p[head] & 0xC0) == 0x80) window[carried++] = p[head++];
      DecodeLocal(reinterpret_cast<const char*>(window), carried, true, sink);
      carried = 0;
    }
    size_t tail = n;
    if (i != last) {
      // Keep back the last lead byte and what follows it (at most 6 bytes).
      for (size_t k = n; k > head && n - k < 6; --k) {
        if ((p[k - 1] & 0xC0) != 0x80) {
          if (p[k - 1] >= 0xC0) tail = k - 1;
          break;
        }
      }
    }
    DecodeLocal(reinterpret_cast<const char*>(p + head), tail - head, true, sink);
    for (size_t k = tail; k < n; ++k) window[carried++] = p[k];
  }
  if (carried) DecodeLocal(reinterpret_cast<const char*>(window), carried, true, sink);
  if (sink.failed) return CBinaryData();
  return Adopt(out.release(), sink.used);
}

}  // namespace detail

CEncoder::CEncoder() : CInstanceMonitor("CEncoder") {}
CEncoder::~CEncoder() = default;

CBinaryData CEncoder::UnicodeToUtf8Binary(const wchar_t* text) {
  if (!text || !*text) return CBinaryData();
  const size_t length = std::wcslen(text);
  if (length > static_cast<size_t>(INT_MAX)) return CBinaryData();
  const int n = static_cast<int>(length);
  int size = n;
  if (DoesUnicodeStrContainAnyUTF8CharsLargerThanOneByte(text, n))
    size = UnicodeToUTF8(text, n, nullptr, 0);
  if (size <= 0) return CBinaryData();
  std::unique_ptr<unsigned char[]> out(new unsigned char[static_cast<size_t>(size)]);
  const int written = UnicodeToUTF8(text, n, out.get(), size);
  return Adopt(out.release(), static_cast<size_t>(written));
}

CBinaryData CEncoder::LocalCodePageToUtf8Binary(const char* text) {
  if (!text || !*text) return CBinaryData();
  const size_t length = std::strlen(text);
  if (ASCII_ONLY) return CBinaryData(text);
  // Every input byte yields at most one output byte: '?' for a bad byte, the
  // same bytes for a well-formed sequence, U+FFFD (3 bytes) only for a
  // sequence of 4 or more bytes (UTF-8 locale) or a multibyte character of
  // another locale, whose UTF-8 form is at most 4 bytes per character.
  const bool utf8Locale = IsUtf8Locale();
  const size_t capacity = utf8Locale ? length : length * 4;
  std::unique_ptr<unsigned char[]> out(new unsigned char[capacity]);
  const size_t used = detail::LocalToUtf8(text, length, utf8Locale, out.get());
  return Adopt(out.release(), used);
}

CBinaryData CEncoder::LocalCodePageToUnicodeBinary(const char* text) {
  if (!text || !*text) return CBinaryData();
  const size_t length = std::strlen(text);
  // At most one UTF-16 code unit per byte, or two for a character of four
  // bytes or more; a multibyte character of another locale may need a pair.
  std::unique_ptr<unsigned char[]> out(new unsigned char[length * 4]);
  if (ASCII_ONLY) {
    for (size_t i = 0; i < length; ++i) {
      out[2 * i] = static_cast<unsigned char>(text[i]);
      out[2 * i + 1] = 0;
    }
    return Adopt(out.release(), 2 * length);
  }
  Utf16Sink sink{out.get()};
  DecodeLocal(text, length, IsUtf8Locale(), sink);
  return Adopt(out.release(), sink.used);
}

std::string CEncoder::Utf8ToLocalCodePage(unsigned char* utf8, int length, wchar_t* wideBuffer,
                                          unsigned long wideSize, char* outBuffer,
                                          unsigned long outSize) {
  if (!utf8 || length <= 0) return std::string();
  const size_t n = static_cast<size_t>(length);
  if (ASCII_ONLY) return std::string(reinterpret_cast<const char*>(utf8), n);
  const bool utf8Locale = IsUtf8Locale();
  if (utf8Locale) {
    // Well-formed UTF-8 is already the local text; ill-formed gives nothing.
    if (ConvertUTF8toUTF32(utf8, utf8 + n, nullptr, nullptr) == 0) return std::string();
    return std::string(reinterpret_cast<const char*>(utf8), n);
  }
  // Pure ASCII is the same text in every locale charset of this platform.
  if (!DoesUTF8StrContainAnyCharsLargerThanOneByte(utf8, n))
    return std::string(reinterpret_cast<const char*>(utf8), n);
  std::vector<wchar_t> wideTemp;
  wchar_t* wide = wideBuffer;
  if (!wide || wideSize < n + 1) {
    wideTemp.resize(n + 1);
    wide = wideTemp.data();
  }
  int count = 0;
  if (DoesUTF8StrContainAnyCharsLargerThanOneByte(utf8, n)) {
    count = UTF8ToUnicode(utf8, length, wide, length);  // never more characters than bytes
  } else {
    for (size_t i = 0; i < n; ++i) wide[i] = static_cast<wchar_t>(utf8[i]);
    count = length;
  }
  std::string result;
  const size_t maxBytes = static_cast<size_t>(count) * MB_CUR_MAX;
  if (outBuffer && outSize > maxBytes) {
    // Build in the caller's buffer, then hand it over as the result.
    char* out = outBuffer;
    std::mbstate_t state{};
    for (int i = 0; i < count; ++i) {
      const size_t r = std::wcrtomb(out, wide[i], &state);
      if (r == static_cast<size_t>(-1)) {
        *out++ = '?';
        state = std::mbstate_t{};
      } else {
        out += r;
      }
    }
    result.assign(outBuffer, static_cast<size_t>(out - outBuffer));
  } else {
    result.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) AppendWide(result, wide[i], false);
  }
  return result;
}

std::string CEncoder::Utf8ToLocalCodePage(unsigned char* utf8, int length) {
  return Utf8ToLocalCodePage(utf8, length, nullptr, 0, nullptr, 0);
}

std::string CEncoder::Utf8ToLocalCodePage(const char* utf8) {
  return Utf8ToLocalCodePage(utf8, nullptr, 0, nullptr, 0);
}

std::string CEncoder::Utf8ToLocalCodePage(const char* utf8, wchar_t* wideBuffer,
                                          unsigned long wideSize, char* outBuffer,
                                          unsigned long outSize) {
  if (!utf8) return std::string();
  const size_t length = std::strlen(utf8);
  if (length > static_cast<size_t>(INT_MAX)) return std::string();
  return Utf8ToLocalCodePage(reinterpret_cast<unsigned char*>(const_cast<char*>(utf8)),
                             static_cast<int>(length), wideBuffer, wideSize, outBuffer, outSize);
}

std::string CEncoder::Utf16ToLocalCodePage(unsigned char* utf16, int length) {
  std::string result;
  if (!utf16 || length <= 0) return result;
  const bool utf8Locale = IsUtf8Locale();
  const size_t n = static_cast<size_t>(length);
  result.reserve(n);
  auto put = [&](uint32_t cp) {
    if (ASCII_ONLY)
      result += cp < 256 ? static_cast<char>(cp) : '?';
    else
      AppendWide(result, static_cast<wchar_t>(cp), utf8Locale);
  };
  size_t i = 0;
  for (; i + 1 < n; i += 2) {
    const uint32_t u = (uint32_t(utf16[i]) << 8) | utf16[i + 1];
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < n) {
      const uint32_t low = (uint32_t(utf16[i + 2]) << 8) | utf16[i + 3];
      if (low >= 0xDC00 && low <= 0xDFFF) {
        put(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    put(u >= 0xD800 && u <= 0xDFFF ? '?' : u);
  }
  if (i < n) result += '?';  // an odd final byte
  return result;
}

std::string UnicodeToMultiByte(const wchar_t* text) {
  std::string result;
  if (!text) return result;
  const bool utf8Locale = IsUtf8Locale();
  for (const wchar_t* p = text; *p; ++p) AppendWide(result, *p, utf8Locale);
  return result;
}

unsigned long _filelength(FILE* file) {
  const unsigned long failed = static_cast<unsigned long>(-1);
  if (!file) return failed;
  const long position = std::ftell(file);
  if (position < 0) return failed;
  if (std::fseek(file, 0, SEEK_END) != 0) return failed;
  const long length = std::ftell(file);
  if (std::fseek(file, position, SEEK_SET) != 0 || length < 0) return failed;
  return static_cast<unsigned long>(length);
}

char* strupr(char* text) {
  if (!text) return text;
  for (char* p = text; *p; ++p)
    *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  return text;
}

}  // namespace VxXmlLib10
