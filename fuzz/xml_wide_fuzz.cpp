// Fuzz target for XML text given as wide characters
// (CXmlDocument::LoadXml(const wchar_t*)): every input must load or fail with
// a CVxException.
//
// The bytes become wide characters so that plain ASCII documents are their
// own seeds and every wchar_t value stays reachable: a byte below 0x80 is that
// character; a byte from 0x80 up is followed by the bytes (little-endian) of
// any wchar_t value, surrogates, values beyond U+10FFFF and negative ones
// included. A zero character ends the text, as it would in a caller's string.
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "FuzzTree.h"
#include "vxxml/Exception.h"
#include "vxxml/XmlDocument.h"

using namespace VxXmlLib10;

namespace {

std::wstring Widen(const uint8_t* data, size_t size) {
  std::wstring text;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] < 0x80) {
      text += static_cast<wchar_t>(data[i]);
    } else if (size - i > sizeof(wchar_t)) {
      std::make_unsigned_t<wchar_t> value = 0;
      for (size_t k = sizeof value; k > 0; --k)
        value = static_cast<decltype(value)>((value << 8) | data[i + k]);
      text += static_cast<wchar_t>(value);
      i += sizeof value;
    }
  }
  return text;
}

// Names, values and texts arrive in the local code page: UTF-8 here.
const bool kUtf8Locale = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)kUtf8Locale;
  const std::wstring text = Widen(data, size);
  if (text.empty() || text[0] == L'\0') return 0;
  CXmlDocument document;
  try {
    document.LoadXml(text.c_str());
  } catch (const CVxException&) {
  }
  (void)fuzz::Dump(document.GetDocumentElement());  // also a partial tree
  return 0;
}

#include "FuzzReplay.h"
