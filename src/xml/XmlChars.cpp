// XML 1.0 characters and names on UTF-8 text.
#include "xml/XmlChars.h"

#include <expat.h>

#include <climits>
#include <cstring>
#include <string>

#include "base/Utf8.h"

namespace VxXmlLib10 {
namespace detail {

namespace {

// Outside ASCII, expat names characters by the classes of the first editions
// of XML 1.0, which are narrower than the NameStartChar and NameChar ranges
// (U+FEFF, for one, is in the ranges and in none of the classes). A name
// the text reader refuses is no name here either, so that whatever the
// library reads in any form it can write as text that reads back. The
// thread's parser is reset for each name, not made anew, and the last name
// it took is taken again without asking (writers repeat their names).
bool ExpatTakesName(const unsigned char* p, size_t n) {
  struct Parser {
    XML_Parser parser = XML_ParserCreate("UTF-8");
    std::string tag;    // "<name/>"
    std::string taken;  // the last name taken
    ~Parser() {
      if (parser) XML_ParserFree(parser);
    }
  };
  thread_local Parser holder;
  const char* name = reinterpret_cast<const char*>(p);
  if (holder.taken.size() == n && std::memcmp(holder.taken.data(), name, n) == 0) return true;
  if (!holder.parser || n > INT_MAX - 3) return false;
  XML_ParserReset(holder.parser, "UTF-8");
  holder.tag.assign(1, '<').append(name, n).append("/>");
  if (XML_Parse(holder.parser, holder.tag.data(), static_cast<int>(holder.tag.size()),
                XML_TRUE) != XML_STATUS_OK)
    return false;
  holder.taken.assign(name, n);
  return true;
}

}  // namespace

bool IsNameStartCodePoint(uint32_t cp) {
  if (cp < 0x80) return (kAsciiName.of[cp] & kNameStart) != 0;
  return (cp >= 0xC0 && cp <= 0xD6) || (cp >= 0xD8 && cp <= 0xF6) || (cp >= 0xF8 && cp <= 0x2FF) ||
         (cp >= 0x370 && cp <= 0x37D) || (cp >= 0x37F && cp <= 0x1FFF) ||
         (cp >= 0x200C && cp <= 0x200D) || (cp >= 0x2070 && cp <= 0x218F) ||
         (cp >= 0x2C00 && cp <= 0x2FEF) || (cp >= 0x3001 && cp <= 0xD7FF) ||
         (cp >= 0xF900 && cp <= 0xFDCF) || (cp >= 0xFDF0 && cp <= 0xFFFD) ||
         (cp >= 0x10000 && cp <= 0xEFFFF);
}

bool IsNameCodePoint(uint32_t cp) {
  if (cp < 0x80) return (kAsciiName.of[cp] & kNameChar) != 0;
  return IsNameStartCodePoint(cp) || cp == 0xB7 || (cp >= 0x300 && cp <= 0x36F) ||
         (cp >= 0x203F && cp <= 0x2040);
}

bool CheckXmlText(const unsigned char* p, size_t n, TextFault* fault) {
  const unsigned char* const end = p + n;
  while (p < end) {
    // Eight plain octets at a time.
    if (end - p >= 8 && IsPlainWord(p)) {
      p += 8;
      continue;
    }
    const unsigned char c = *p;
    if (c >= 0x20 && c < 0x80) {
      ++p;
      continue;
    }
    if (c < 0x80) {
      if (c == 0x09 || c == 0x0A || c == 0x0D) {
        ++p;
        continue;
      }
      fault->kind = TextFault::kNotAllowed;
      fault->value = c;
      return false;
    }
    uint32_t cp;
    const int length = DecodeUtf8(p, end, &cp);
    if (length == 0) {
      fault->kind = TextFault::kIllFormed;
      fault->value = c;
      return false;
    }
    if (!IsXmlChar(cp)) {  // U+FFFE and U+FFFF; DecodeUtf8 refuses the rest
      fault->kind = TextFault::kNotAllowed;
      fault->value = cp;
      return false;
    }
    p += length;
  }
  return true;
}

bool IsNameInRanges(const unsigned char* p, size_t n, bool colon, bool* ascii) {
  const unsigned char* const end = p + n;
  bool first = true;
  *ascii = true;
  while (p < end) {
    uint32_t cp = *p;
    int length = 1;
    if (cp >= 0x80) {
      length = DecodeUtf8(p, end, &cp);
      if (length == 0) return false;
      *ascii = false;
    } else if (cp == ':' && !colon) {
      return false;
    }
    if (!(first ? IsNameStartCodePoint(cp) : IsNameCodePoint(cp))) return false;
    first = false;
    p += length;
  }
  return !first;
}

bool IsXmlName(const unsigned char* p, size_t n, bool colon) {
  bool ascii;
  return IsNameInRanges(p, n, colon, &ascii) && (ascii || ExpatTakesName(p, n));
}

std::string Printable(const char* text, size_t n) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* const end = p + n;
  std::string out;
  out.reserve(n);
  while (p < end) {
    uint32_t cp;
    const int length = *p < 0x80 ? 1 : DecodeUtf8(p, end, &cp);
    if (length == 0 || *p < 0x20 || *p == 0x7F) {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[*p >> 4];
      out += kHex[*p & 0x0F];
      ++p;
      continue;
    }
    out.append(reinterpret_cast<const char*>(p), static_cast<size_t>(length));
    p += length;
  }
  return out;
}

}  // namespace detail
}  // namespace VxXmlLib10
