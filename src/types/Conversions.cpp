// Conversions of the scalar kinds: integers, floating point, boolean, char,
// string and the Gregorian year, month and day numbers.
#include "vxxml/Conversions.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <strings.h>

#include "types/CLocale.h"
#include "types/Messages.h"
#include "types/RuleText.h"
#include "vxxml/Exception.h"

namespace VxXmlLib10 {

namespace detail {
locale_t CNumericLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}
}  // namespace detail

namespace {

using Rule = CConversions::WhitespaceRule;

using detail::ThrowValueNotConvertible;
using detail::ThrowValueTooLarge;

// The common text, up to 18 decimal digits and nothing else, read without
// strtoll's locale and sign handling (it cannot overflow 63 bits).
bool ParseDigits(const std::string& text, unsigned long long& value) {
  if (text.empty() || text.size() > 18) return false;
  unsigned long long v = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  value = v;
  return true;
}

// Signed parse: strtoll semantics (leading blanks, one sign, base 10), then the
// kind's range. An empty text is 0.
long long ParseSigned(const std::string& text, long long min, long long max, const char* kind) {
  if (text.empty()) return 0;
  unsigned long long digits;
  if (ParseDigits(text, digits)) {
    const long long value = static_cast<long long>(digits);
    if (value > max) ThrowValueTooLarge(text, kind);
    return value;
  }
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(begin, &end, 10);
  if (errno == ERANGE || value < min || value > max) ThrowValueTooLarge(text, kind);
  // A NUL inside the text ends the number early: what follows is left over.
  if (end != begin + text.size() || end == begin) ThrowValueNotConvertible(text, kind);
  return value;
}

// Unsigned parse: a leading '-' negates modulo 2^bits, as strtoul does for the
// width of the kind.
unsigned long long ParseUnsigned(const std::string& text, unsigned bits, const char* kind) {
  if (text.empty()) return 0;
  unsigned long long value;
  if (ParseDigits(text, value)) {
    if (bits < 64 && value > (1ULL << bits) - 1) ThrowValueTooLarge(text, kind);
    return value;
  }
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(begin, &end, 10);
  if (errno == ERANGE) ThrowValueTooLarge(text, kind);
  if (bits < 64) {
    // strtoull negated the magnitude modulo 2^64; undo that to check it.
    const char* p = begin;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    const bool negative = *p == '-';
    const unsigned long long magnitude = negative ? 0 - value : value;
    const unsigned long long limit = (1ULL << bits) - 1;
    if (magnitude > limit) ThrowValueTooLarge(text, kind);
    value = negative ? ((limit + 1 - magnitude) & limit) : magnitude;
  }
  if (end != begin + text.size() || end == begin) ThrowValueNotConvertible(text, kind);
  return value;
}

double ParseDouble(const std::string& text, const char* kind) {
  if (text.empty()) return std::numeric_limits<double>::quiet_NaN();
  if (text == "NaN" || text == "1.#QNAN" || text == "-NAN")
    return std::numeric_limits<double>::quiet_NaN();
  if (text == "-INF") return -std::numeric_limits<double>::infinity();
  if (text == "INF") return std::numeric_limits<double>::infinity();
  const char* begin = text.c_str();
  char* end = nullptr;
  double value = strtod_l(begin, &end, detail::CNumericLocale());
  if (end != begin + text.size() || end == begin) ThrowValueNotConvertible(text, kind);
  return value;
}

std::string FormatDouble(double value, double lowest, double max, const std::string& format,
                         const char* defaultFormat) {
  if (std::isnan(value)) return "NaN";
  if (value < lowest) return "-INF";
  if (value > max) return "INF";
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  if (format.empty()) {
    // Same text as printf's %.7g / %.16g, without its multi-precision path.
    char buffer[64];
    const int precision = defaultFormat[2] == '7' ? 7 : 16;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, precision);
    return std::string(buffer, result.ptr);
  }
  detail::ScopedCLocale c;
  return FormatString(format.c_str(), value);
#pragma GCC diagnostic pop
}

using detail::ApplyRule;

// A rule the conversions know; any other goes to the general path, which
// refuses it.
bool KnownRule(Rule rule) {
  return static_cast<unsigned>(rule) <= CWhitespaceUtils::WhitespaceRule_Collapse;
}

}  // namespace

// Integers print as printf's %d / %u would, without its format parsing.
template <class T>
static std::string IntegerText(T value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string CConversions::i1ToString(char value) {
  return IntegerText(static_cast<int>(static_cast<signed char>(value)));
}
std::string CConversions::i2ToString(short value) { return IntegerText(value); }
std::string CConversions::i4ToString(long value) { return IntegerText(value); }
std::string CConversions::i8ToString(long long value) { return IntegerText(value); }
std::string CConversions::ui1ToString(unsigned char value) { return IntegerText(value); }
std::string CConversions::ui2ToString(unsigned short value) { return IntegerText(value); }
std::string CConversions::ui4ToString(unsigned long value) { return IntegerText(value); }
std::string CConversions::ui8ToString(unsigned long long value) { return IntegerText(value); }

std::string CConversions::r4ToString(float value) { return r4ToString(value, std::string()); }
std::string CConversions::r4ToString(float value, const std::string& format) {
  return FormatDouble(value, -FLT_MAX, FLT_MAX, format, "%.7g");
}
std::string CConversions::r8ToString(double value) { return r8ToString(value, std::string()); }
std::string CConversions::r8ToString(double value, const std::string& format) {
  return FormatDouble(value, -DBL_MAX, DBL_MAX, format, "%.16g");
}

std::string CConversions::booleanToString(bool value) { return value ? "true" : "false"; }
std::string CConversions::charToString(char value) { return std::string(1, value); }
std::string CConversions::stringToString(const std::string& value) { return value; }
// At least four digits, as a gYear is read: year 999 is "0999".
std::string CConversions::yearToString(unsigned short value) { return FormatString("%04u", value); }
std::string CConversions::monthToString(unsigned char value) {
  return FormatString("--%02u", value);
}
std::string CConversions::dayToString(unsigned char value) {
  return FormatString("---%02u", value);
}

// Plain digits in range hold no whitespace for the rule to change and read
// as the general path reads them; anything else takes that path.
long CConversions::i4FromString(const std::string& text, WhitespaceRule rule) {
  unsigned long long digits;
  if (KnownRule(rule) && ParseDigits(text, digits) && digits <= INT32_MAX)
    return static_cast<long>(digits);
  std::string scratch;
  return static_cast<long>(ParseSigned(ApplyRule(text, rule, scratch), INT32_MIN, INT32_MAX, "i4"));
}

long long CConversions::i8FromString(const std::string& text, WhitespaceRule rule) {
  unsigned long long digits;
  if (KnownRule(rule) && ParseDigits(text, digits)) return static_cast<long long>(digits);
  std::string scratch;
  return ParseSigned(ApplyRule(text, rule, scratch), INT64_MIN, INT64_MAX, "i8");
}

short CConversions::i2FromString(const std::string& text, WhitespaceRule rule) {
  const long value = i4FromString(text, rule);
  if (value < -32768 || value > 32767) ThrowValueTooLarge(text, "i2");
  return static_cast<short>(value);
}

char CConversions::i1FromString(const std::string& text, WhitespaceRule rule) {
  const long value = i4FromString(text, rule);
  if (value < -128 || value > 127) ThrowValueTooLarge(text, "i1");
  return static_cast<char>(value);
}

unsigned long CConversions::ui4FromString(const std::string& text, WhitespaceRule rule) {
  unsigned long long digits;
  if (KnownRule(rule) && ParseDigits(text, digits) && digits <= UINT32_MAX)
    return static_cast<unsigned long>(digits);
  std::string scratch;
  return static_cast<unsigned long>(ParseUnsigned(ApplyRule(text, rule, scratch), 32, "ui4"));
}

unsigned long long CConversions::ui8FromString(const std::string& text, WhitespaceRule rule) {
  unsigned long long digits;
  if (KnownRule(rule) && ParseDigits(text, digits)) return digits;
  std::string scratch;
  return ParseUnsigned(ApplyRule(text, rule, scratch), 64, "ui8");
}

unsigned short CConversions::ui2FromString(const std::string& text, WhitespaceRule rule) {
  const unsigned long value = ui4FromString(text, rule);
  if (value >= 65536) ThrowValueTooLarge(text, "ui2");
  return static_cast<unsigned short>(value);
}

unsigned char CConversions::ui1FromString(const std::string& text, WhitespaceRule rule) {
  const unsigned long value = ui4FromString(text, rule);
  if (value >= 256) ThrowValueTooLarge(text, "ui1");
  return static_cast<unsigned char>(value);
}

float CConversions::r4FromString(const std::string& text, WhitespaceRule rule) {
  std::string scratch;
  return static_cast<float>(ParseDouble(ApplyRule(text, rule, scratch), "r4"));
}

double CConversions::r8FromString(const std::string& text, WhitespaceRule rule) {
  std::string scratch;
  return ParseDouble(ApplyRule(text, rule, scratch), "r8");
}

bool CConversions::booleanFromString(const std::string& text, WhitespaceRule rule) {
  std::string scratch;
  const std::string& processed = ApplyRule(text, rule, scratch);
  if (processed.size() == std::strlen(processed.c_str())) {
    if (strcasecmp(processed.c_str(), "true") == 0 || processed == "1") return true;
    if (strcasecmp(processed.c_str(), "false") == 0 || processed == "0") return false;
  }
  detail::ThrowInvalidBoolean(text);
}

char CConversions::charFromString(const std::string& text, WhitespaceRule rule) {
  std::string scratch;
  const std::string& processed = ApplyRule(text, rule, scratch);
  if (processed.size() != 1)
    detail::ThrowInvalidChar(processed);
  return processed[0];
}

std::string CConversions::stringFromString(const std::string& text, WhitespaceRule rule) {
  // Text with spaces is common here: only a rule that changes it is applied.
  if (detail::KeepsText(rule, text)) return text;
  return CWhitespaceUtils::ApplyRule(rule, text);
}

}  // namespace VxXmlLib10
