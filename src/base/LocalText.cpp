// The local code page and the ASCII-only switch.
#include "base/LocalText.h"

#include <langinfo.h>

#include <cstdlib>

namespace VxXmlLib10 {

bool ASCII_ONLY = false;

void ASCIIOnly(bool asciiOnly) { ASCII_ONLY = asciiOnly; }

namespace detail {

bool IsUtf8Locale() {
  if (MB_CUR_MAX <= 1) return false;
  const char* codeset = nl_langinfo(CODESET);
  return codeset && std::strcmp(codeset, "UTF-8") == 0;
}

size_t LocalToUtf8(const char* text, size_t length, bool utf8Locale, unsigned char* out) {
  Utf8Sink sink{out};
  DecodeLocal(text, length, utf8Locale, sink);
  return sink.failed ? 0 : sink.used;
}

}  // namespace detail
}  // namespace VxXmlLib10
