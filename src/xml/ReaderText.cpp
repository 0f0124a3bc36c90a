// UTF-8 to local code page for the readers.
#include "xml/ReaderText.h"

#include <langinfo.h>

#include <climits>
#include <cstring>
#include <cwchar>

namespace VxXmlLib10 {
namespace detail {

bool LocalCodePageIsUtf8() {
  const char* codeset = nl_langinfo(CODESET);
  return codeset && std::strcmp(codeset, "UTF-8") == 0;
}

namespace {

// Decodes one UTF-8 character; returns its length, or 0 when ill-formed,
// cut short or a surrogate.
std::size_t DecodeUtf8(const unsigned char* s, std::size_t left, char32_t* out) {
  const unsigned char c = s[0];
  std::size_t n;
  char32_t v;
  if (c < 0x80) {
    *out = c;
    return 1;
  } else if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    v = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    v = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    v = c & 0x07;
  } else {
    return 0;
  }
  if (left < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    v = (v << 6) | (s[i] & 0x3F);
  }
  if ((n == 3 && v < 0x800) || (n == 4 && (v < 0x10000 || v > 0x10FFFF))) return 0;
  if (v >= 0xD800 && v <= 0xDFFF) return 0;
  *out = v;
  return n;
}

}  // namespace

void AppendUtf8AsLocal(std::string& out, const char* utf8, std::size_t length) {
  const std::size_t start = out.size();
  const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
  std::mbstate_t state{};
  char mb[MB_LEN_MAX];
  for (std::size_t i = 0; i < length;) {
    if (s[i] < 0x80) {  // ASCII is the same in every supported code page
      out.push_back(static_cast<char>(s[i++]));
      continue;
    }
    char32_t c;
    const std::size_t n = DecodeUtf8(s + i, length - i, &c);
    if (n == 0) {
      out.resize(start);
      return;
    }
    i += n;
    const std::size_t m = std::wcrtomb(mb, static_cast<wchar_t>(c), &state);
    if (m == static_cast<std::size_t>(-1)) {
      state = std::mbstate_t{};
      out.push_back('?');
    } else {
      out.append(mb, m);
    }
  }
}

}  // namespace detail
}  // namespace VxXmlLib10
