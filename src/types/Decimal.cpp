// Exact decimal numbers: a scaled big integer and a count of fraction digits.
#include "vxxml/Decimal.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "types/BigIntegerImpl.h"
#include "types/Messages.h"
#include "vxxml/Whitespace.h"

namespace VxXmlLib10 {

using Access = detail::BigIntegerAccess;
using detail::RoundMode;

namespace {

// Division keeps this many fraction digits before the final rounding.
constexpr int kDivisionDigits = CDecimal::m_maxDivider + 2;

void CheckDigitCount(long long n) {
  if (n < 0 || n > detail::kMaxDecimalDigits) detail::ThrowDigitCountOutOfRange(n);
}

// How far an exponent may lengthen a number read from text: a few digits per
// character of the text, any value of a double's range whatever the text, and
// never past a fixed ceiling. Without a bound, eight bytes ("9E999999") would
// ask for a million digits.
constexpr long long kExpandedDigitsPerChar = 4;
constexpr long long kExpandedDigitsFloor = 400;
constexpr long long kExpandedDigitsCeiling = 100000;

long long ExpandedDigitLimit(size_t textLength) {
  const long long scaled =
      static_cast<long long>(std::min<size_t>(textLength, kExpandedDigitsCeiling)) *
      kExpandedDigitsPerChar;
  return std::min(kExpandedDigitsCeiling, std::max(kExpandedDigitsFloor, scaled));
}

// The digits of one number, gathered without the whitespace that may stand
// between them; short runs stay on the stack.
class DigitBuffer {
 public:
  void Push(char c) {
    if (m_size < sizeof m_small) {
      m_small[m_size++] = c;
      return;
    }
    if (m_size == sizeof m_small) m_large.assign(m_small, m_size);
    m_large += c;
    ++m_size;
  }
  const char* Data() const { return m_size > sizeof m_small ? m_large.data() : m_small; }
  size_t Size() const { return m_size; }

 private:
  char m_small[96];
  size_t m_size = 0;
  std::string m_large;
};

// The common text: an optional sign, then 1 to 18 digits with at most one
// point among them, and nothing else. Its digits fit 64 bits, so it needs
// neither the digit buffer nor the big-integer steps of the general reader.
struct PlainDecimal {
  std::uint64_t digits;  // all of them, the point left out
  int fractionDigits;
  bool negative;
};

bool ReadPlain(const char* text, PlainDecimal& out) {
  const char* p = text;
  out.negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  const char* const first = p;
  const char* point = nullptr;
  std::uint64_t digits = 0;  // wraps past 19 digits, but then the count refuses it
  for (; *p; ++p) {
    const unsigned digit = static_cast<unsigned char>(*p) - unsigned('0');
    if (digit <= 9) {
      digits = digits * 10 + digit;
    } else if (*p == '.' && !point) {
      point = p;
    } else {
      return false;
    }
  }
  const auto count = (p - first) - (point ? 1 : 0);
  if (count == 0 || count > 18) return false;
  out.digits = digits;
  out.fractionDigits = point ? static_cast<int>(p - point - 1) : 0;
  return true;
}

}  // namespace

// ---- construction -------------------------------------------------------------

namespace detail {
struct DecimalAccess {
  static void SetZero(CDecimal& d) {
    Access::FromU64(d.m_value, 0);  // zero is positive
    d.m_divider = 1;
  }
};
}  // namespace detail

VXXML_API void ResetValue(CDecimal& member) { detail::DecimalAccess::SetZero(member); }

CDecimal::CDecimal() : m_divider(1) {}

CDecimal::CDecimal(int value) : m_value(value), m_divider(1) { Access::MulPow10(m_value, 1); }

CDecimal::CDecimal(const CBigInteger& value) : m_value(value), m_divider(1) {
  Access::MulPow10(m_value, 1);
}

CDecimal::CDecimal(const CBigInteger& integral, const CBigInteger& fraction, int divider)
    : m_divider(1) {
  if (divider < -detail::kMaxDecimalDigits || divider > detail::kMaxDecimalDigits)
    detail::ThrowDigitCountOutOfRange(divider);
  if (divider >= 0) {
    m_value = integral;
    Access::MulPow10(m_value, static_cast<size_t>(divider));
    m_value += fraction;
    m_divider = divider;
  } else {
    // A negative divider scales the fraction up.
    CBigInteger scaled = fraction;
    Access::MulPow10(scaled, static_cast<size_t>(-static_cast<long long>(divider)));
    m_value = integral + scaled;
    Access::MulPow10(m_value, 1);
  }
}

CDecimal::CDecimal(const char* text) : m_divider(1) { Parse(text); }

CDecimal::CDecimal(double value) : m_divider(1) {
  // As "%.13f\n" writes it (the line end is whitespace to the parser), but
  // independent of the locale's decimal point.
  char text[400];
  auto result = std::to_chars(text, text + sizeof text - 2, value, std::chars_format::fixed, 13);
  char* end = result.ec == std::errc() ? result.ptr : text;
  *end++ = '\n';
  *end = '\0';
  Parse(text);
}

CDecimal::~CDecimal() = default;

// ---- text ---------------------------------------------------------------------

void CDecimal::Parse(const char* text) {
  if (!text) {
    *this = CDecimal();
    return;
  }
  PlainDecimal plain;
  if (ReadPlain(text, plain)) {
    // The value as the general reader leaves it: an integer scaled by ten
    // with one fraction digit, a fraction without the trailing zeros it can
    // drop (one digit stays), zero with one digit.
    std::uint64_t scaled = plain.digits;
    int divider = plain.fractionDigits;
    if (divider == 0) {
      scaled *= 10;  // below 10^19
      divider = 1;
    } else if (scaled == 0) {
      divider = 1;
    } else {
      while (divider > 1 && scaled % 10 == 0) {
        scaled /= 10;
        --divider;
      }
    }
    Access::FromU64(m_value, scaled);
    Access::SetSign(m_value, plain.negative ? -1 : 1);
    m_divider = divider;
    return;
  }
  enum class State { Integral, Fraction, Exponent };
  State state = State::Integral;
  bool negative = false;
  DigitBuffer digits;  // integral digits, then fraction digits
  size_t fractionDigits = 0;
  bool exponentNegative = false, exponentSign = false, exponentDigits = false;
  // Saturates far beyond any exponent that can be honoured, so that a long
  // run of exponent digits cannot overflow.
  long long exponent = 0;
  constexpr long long kExponentCap = 1000000000000000LL;

  const char* p = text;
  for (; *p; ++p) {
    const char c = *p;
    if (CWhitespaceUtils::IsWhiteSpace(c)) continue;
    const bool digit = c >= '0' && c <= '9';
    switch (state) {
      case State::Integral:
        if (digit) {
          digits.Push(c);
          continue;
        }
        if (c == '-' || c == '+') {
          negative = c == '-';
          continue;
        }
        if (c == '.') {
          state = State::Fraction;
          continue;
        }
        if (c == 'e' || c == 'E') {
          state = State::Exponent;
          continue;
        }
        break;
      case State::Fraction:
        if (digit) {
          digits.Push(c);
          ++fractionDigits;
          continue;
        }
        if (c == 'e' || c == 'E') {
          state = State::Exponent;
          continue;
        }
        break;
      case State::Exponent:
        if (digit) {
          exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
          exponentDigits = true;
          continue;
        }
        if ((c == '-' || c == '+') && !exponentSign && !exponentDigits) {
          exponentSign = true;
          exponentNegative = c == '-';
          continue;
        }
        break;
    }
    detail::ThrowDecimalInvalidChar(p - text, text);
  }

  CDecimal value;
  Access::FromDigits(value.m_value, digits.Data(), digits.Size());
  value.m_divider = static_cast<int>(std::min<size_t>(fractionDigits, INT32_MAX));
  if (fractionDigits > size_t(INT32_MAX)) {
    // More fraction digits than a divider can count: only the first ones can
    // matter after rounding, so drop the rest now.
    value.m_value = Access::DivPow10(value.m_value, fractionDigits - INT32_MAX, RoundMode::Truncate);
  }
  if (fractionDigits == 0) {
    Access::MulPow10(value.m_value, 1);
    value.m_divider = 1;
  }
  if (negative) value.m_value.Negate();

  if (!value.m_value.IsZero() && exponent != 0) {
    if (!exponentNegative) {
      // Moving the point right is exact.
      if (exponent < value.m_divider) {
        value.m_divider -= static_cast<int>(exponent);
      } else {
        // The integral digits the value grows to (the exponent is saturated
        // far below the range of long long).
        const long long digits =
            static_cast<long long>(Access::DigitCount(value.m_value)) - value.m_divider + exponent;
        const long long limit = ExpandedDigitLimit(static_cast<size_t>(p - text));
        if (digits > limit) detail::ThrowDecimalTooManyDigits(limit, text);
        Access::MulPow10(value.m_value, static_cast<size_t>(exponent - value.m_divider + 1));
        value.m_divider = 1;
      }
    } else {
      // Moving the point left is a division: the quotient is cut after
      // kDivisionDigits fraction digits before the usual rounding.
      const long long places = value.m_divider + exponent;
      if (places <= kDivisionDigits) {
        value.m_divider = static_cast<int>(places);
      } else {
        value.m_value = Access::DivPow10(value.m_value, static_cast<size_t>(places - kDivisionDigits),
                                         RoundMode::Truncate);
        value.m_divider = kDivisionDigits;
      }
    }
  }
  value.Rationalise();
  if (value.m_divider > m_maxDivider) {
    value.ChangeFractionalDivider(m_maxDivider);
    value.Rationalise();
  }
  *this = std::move(value);
}

namespace {

// Writes the magnitude `m` with `fractionDigits` digits after a point (none
// when 0), preceded by '-' when `negative`.
std::string FormatScaled(const CBigInteger& m, size_t fractionDigits, bool negative) {
  // The common value fits 64 bits: its digits and the point are placed in a
  // buffer directly.
  std::uint64_t magnitude;
  if (fractionDigits <= 32 && Access::MagnitudeToU64(m, &magnitude)) {
    char digits[24];
    const size_t n = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits,
                                                       magnitude).ptr - digits);
    char text[64];
    char* p = text;
    if (negative) *p++ = '-';
    if (fractionDigits == 0) {
      p = std::copy(digits, digits + n, p);
    } else if (n > fractionDigits) {
      p = std::copy(digits, digits + n - fractionDigits, p);
      *p++ = '.';
      p = std::copy(digits + n - fractionDigits, digits + n, p);
    } else {
      *p++ = '0';
      *p++ = '.';
      p = std::fill_n(p, fractionDigits - n, '0');
      p = std::copy(digits, digits + n, p);
    }
    return std::string(text, p);
  }
  std::string out;
  out.reserve(Access::DigitCount(m) + fractionDigits + 3);
  if (negative) out += '-';
  const size_t start = out.size();
  Access::AppendDigits(m, out);
  if (fractionDigits == 0) return out;
  const size_t written = out.size() - start;
  if (written <= fractionDigits) out.insert(start, fractionDigits + 1 - written, '0');
  out.insert(out.size() - fractionDigits, 1, '.');
  return out;
}

}  // namespace

std::string CDecimal::ToString() const {
  const size_t divider = static_cast<size_t>(m_divider);
  // No fraction: written as the integer it is.
  if (m_value.IsZero() || Access::TrailingZeros(m_value) >= divider)
    return GetIntegral().ToString();
  return FormatScaled(m_value, divider, m_value.Sign() < 0);
}

std::string CDecimal::ToString(int digits) const {
  CheckDigitCount(digits);
  CBigInteger magnitude = m_value.GetAbs();
  if (digits >= m_divider) {
    Access::MulPow10(magnitude, static_cast<size_t>(digits - m_divider));
  } else {
    magnitude = Access::DivPow10(magnitude, static_cast<size_t>(m_divider - digits),
                                 RoundMode::HalfAwayFromZero);
  }
  return FormatScaled(magnitude, static_cast<size_t>(digits), m_value.Sign() < 0);
}

// ---- scale --------------------------------------------------------------------

void CDecimal::ChangeFractionalDivider(int n) {
  CheckDigitCount(n);
  if (n >= m_divider) {
    Access::MulPow10(m_value, static_cast<size_t>(n - m_divider));
  } else {
    // Dropped digits round to the nearest, an exact half toward zero; a carry
    // simply runs on into the integral digits.
    m_value = Access::DivPow10(m_value, static_cast<size_t>(m_divider - n),
                               RoundMode::HalfTowardZero);
  }
  m_divider = n;
}

int CDecimal::Normalize(CDecimal& a, CDecimal& b) {
  if (a.m_divider < b.m_divider) {
    Access::MulPow10(a.m_value, static_cast<size_t>(b.m_divider - a.m_divider));
    a.m_divider = b.m_divider;
  } else if (b.m_divider < a.m_divider) {
    Access::MulPow10(b.m_value, static_cast<size_t>(a.m_divider - b.m_divider));
    b.m_divider = a.m_divider;
  }
  return a.m_divider;
}

void CDecimal::Rationalise() {
  if (m_divider <= 1) return;
  if (m_value.IsZero()) {
    m_divider = 1;
    return;
  }
  const size_t zeros = std::min(Access::TrailingZeros(m_value), size_t(m_divider - 1));
  if (zeros == 0) return;
  m_value = Access::DivPow10(m_value, zeros, RoundMode::Truncate);
  m_divider -= static_cast<int>(zeros);
}

// ---- sign ---------------------------------------------------------------------

void CDecimal::Negate() { m_value.Negate(); }

bool CDecimal::GetNegative() const { return m_value.Sign() < 0; }

// ---- arithmetic ---------------------------------------------------------------

CDecimal CDecimal::operator+(const CDecimal& other) const {
  CDecimal r;
  if (m_divider == other.m_divider) {
    r.m_value = m_value + other.m_value;
  } else if (m_divider < other.m_divider) {
    CBigInteger scaled = m_value;
    Access::MulPow10(scaled, static_cast<size_t>(other.m_divider - m_divider));
    r.m_value = scaled + other.m_value;
  } else {
    CBigInteger scaled = other.m_value;
    Access::MulPow10(scaled, static_cast<size_t>(m_divider - other.m_divider));
    r.m_value = m_value + scaled;
  }
  r.m_divider = std::max(m_divider, other.m_divider);
  r.Rationalise();
  return r;
}

CDecimal CDecimal::operator-(const CDecimal& other) const {
  CDecimal negated = other;
  negated.Negate();
  return *this + negated;
}

CDecimal CDecimal::operator*(const CDecimal& other) const {
  CDecimal r;
  r.m_value = m_value * other.m_value;
  r.m_divider = m_divider + other.m_divider;
  r.Rationalise();
  if (r.m_divider > m_maxDivider) {
    r.ChangeFractionalDivider(m_maxDivider);
    r.Rationalise();
  }
  return r;
}

CDecimal CDecimal::operator/(const CDecimal& other) const {
  if (other.m_value.IsZero()) detail::ThrowDivisionByZero(detail::DivisionOp::Divide);
  // The quotient of the scaled values, cut after kDivisionDigits fraction
  // digits: this / other * 10^k = m_value * 10^(k + d2 - d1) / other.m_value.
  CBigInteger numerator = m_value;
  CBigInteger denominator = other.m_value;
  const long long shift = static_cast<long long>(kDivisionDigits) + other.m_divider - m_divider;
  if (shift >= 0)
    Access::MulPow10(numerator, static_cast<size_t>(shift));
  else
    Access::MulPow10(denominator, static_cast<size_t>(-shift));
  CDecimal r;
  Access::DivMod(numerator, denominator, &r.m_value, nullptr);
  r.m_divider = kDivisionDigits;
  r.Rationalise();
  if (r.m_divider > m_maxDivider) {
    r.ChangeFractionalDivider(m_maxDivider);
    r.Rationalise();
  }
  return r;
}

CDecimal& CDecimal::operator+=(const CDecimal& other) { return *this = *this + other; }
CDecimal& CDecimal::operator-=(const CDecimal& other) { return *this = *this - other; }
CDecimal& CDecimal::operator*=(const CDecimal& other) { return *this = *this * other; }
CDecimal& CDecimal::operator/=(const CDecimal& other) { return *this = *this / other; }

CDecimal& CDecimal::operator++() { return *this += CDecimal(1); }

CDecimal CDecimal::operator++(int) {
  CDecimal old = *this;
  ++*this;
  return old;
}

CDecimal& CDecimal::operator--() { return *this -= CDecimal(1); }

CDecimal CDecimal::operator--(int) {
  CDecimal old = *this;
  --*this;
  return old;
}

int CDecimal::Compare(const CDecimal& a, const CDecimal& b) {
  const int sa = a.m_value.Sign(), sb = b.m_value.Sign();
  if (sa != sb) return sa < sb ? -1 : 1;
  if (sa == 0) return 0;
  int cmp;
  if (a.m_divider == b.m_divider) {
    cmp = Access::CompareMagnitude(a.m_value, b.m_value);
  } else if (a.m_divider < b.m_divider) {
    CBigInteger scaled = a.m_value;
    Access::MulPow10(scaled, static_cast<size_t>(b.m_divider - a.m_divider));
    cmp = Access::CompareMagnitude(scaled, b.m_value);
  } else {
    CBigInteger scaled = b.m_value;
    Access::MulPow10(scaled, static_cast<size_t>(a.m_divider - b.m_divider));
    cmp = Access::CompareMagnitude(a.m_value, scaled);
  }
  return sa > 0 ? cmp : -cmp;
}

// ---- conversions --------------------------------------------------------------

CBigInteger CDecimal::GetIntegral() const {
  return Access::DivPow10(m_value, static_cast<size_t>(m_divider), RoundMode::Truncate);
}

CBigInteger CDecimal::ToBigInteger() const {
  return Access::DivPow10(m_value, static_cast<size_t>(m_divider), RoundMode::HalfTowardZero);
}

namespace {

// The integral part of `value` after rounding it to one fraction digit, if
// its magnitude is at most `positiveLimit` (or one more when negative).
bool IntegralAfterOneDigit(const CBigInteger& value, int divider, std::uint64_t positiveLimit,
                           long long* result) {
  CBigInteger integral = value;
  if (divider >= 1) {
    const CBigInteger tenths =
        Access::DivPow10(value, static_cast<size_t>(divider - 1), RoundMode::HalfTowardZero);
    integral = Access::DivPow10(tenths, 1, RoundMode::Truncate);
  }
  std::uint64_t magnitude = 0;
  const bool negative = integral.Sign() < 0;
  if (!Access::MagnitudeToU64(integral, &magnitude) ||
      magnitude > positiveLimit + (negative ? 1 : 0))
    return false;
  *result = negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
  return true;
}

}  // namespace

long long CDecimal::ToLongLong() const {
  long long result = 0;
  if (!IntegralAfterOneDigit(m_value, m_divider, 9223372036854775807ULL, &result))
    detail::ThrowDecimalTooLargeForLongLong();
  return result;
}

long CDecimal::ToLong() const {
  long long result = 0;
  if (!IntegralAfterOneDigit(m_value, m_divider, 2147483647ULL, &result))
    detail::ThrowDecimalTooLargeForLong();
  return static_cast<long>(result);
}

double CDecimal::ToDouble() const {
  // 1.7E+308, kept here rather than taken from CBigInteger::MAX_DOUBLE so that
  // the check never depends on the order in which static objects are built.
  static const CBigInteger limit = CBigInteger(17) * CBigInteger::Pow10(307);
  if (Access::CompareMagnitude(GetIntegral(), limit) > 0) detail::ThrowDecimalTooLargeForDouble();
  const std::string text = ToString();
  double result = 0.0;
  // An underflow leaves the result at zero, as it should.
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
}

}  // namespace VxXmlLib10
