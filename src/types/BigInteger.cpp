// Arbitrary-precision signed integer in base 10^9 limbs.
#include "vxxml/BigInteger.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "base/Messages.h"
#include "types/BigIntegerImpl.h"
#include "types/Messages.h"
#include "vxxml/Decimal.h"

namespace VxXmlLib10 {

using detail::BigIntegerAccess;
using Access = detail::BigIntegerAccess;
using Limb = std::uint32_t;

namespace {

constexpr Limb kBase = Access::kBase;
constexpr Limb kPow10[10] = {1u,      10u,      100u,      1000u,      10000u,
                             100000u, 1000000u, 10000000u, 100000000u, 1000000000u};

int CompareLimbs(const Limb* a, size_t an, const Limb* b, size_t bn) {
  if (an != bn) return an < bn ? -1 : 1;
  for (size_t i = an; i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

// out holds max(an, bn) + 1 limbs.
void AddLimbs(const Limb* a, size_t an, const Limb* b, size_t bn, Limb* out) {
  if (an < bn) {
    std::swap(a, b);
    std::swap(an, bn);
  }
  Limb carry = 0;
  size_t i = 0;
  for (; i < bn; ++i) {
    Limb s = a[i] + b[i] + carry;  // < 2 * 10^9 + 1 < 2^32
    carry = s >= kBase;
    out[i] = carry ? s - kBase : s;
  }
  for (; i < an; ++i) {
    Limb s = a[i] + carry;
    carry = s >= kBase;
    out[i] = carry ? s - kBase : s;
  }
  out[an] = carry;
}

// |a| >= |b|; out holds an limbs.
void SubtractLimbs(const Limb* a, size_t an, const Limb* b, size_t bn, Limb* out) {
  Limb borrow = 0;
  size_t i = 0;
  for (; i < bn; ++i) {
    Limb sub = b[i] + borrow;
    borrow = a[i] < sub;
    out[i] = borrow ? a[i] + kBase - sub : a[i] - sub;
  }
  for (; i < an; ++i) {
    if (borrow && a[i] == 0) {
      out[i] = kBase - 1;
    } else {
      out[i] = a[i] - borrow;
      borrow = 0;
    }
  }
}

// out holds an + bn limbs.
void MultiplyLimbs(const Limb* a, size_t an, const Limb* b, size_t bn, Limb* out) {
  std::fill(out, out + an + bn, 0u);
  for (size_t i = 0; i < an; ++i) {
    const std::uint64_t ai = a[i];
    if (ai == 0) continue;
    std::uint64_t carry = 0;
    for (size_t j = 0; j < bn; ++j) {
      // < 10^9 + (10^9 - 1)^2 + 10^9 < 2^64
      std::uint64_t cur = out[i + j] + ai * b[j] + carry;
      carry = cur / kBase;
      out[i + j] = static_cast<Limb>(cur - carry * kBase);
    }
    out[i + bn] = static_cast<Limb>(carry);
  }
}

// x = x * m + add, in place over n limbs; returns the carry out (< 2^32).
Limb MultiplySmallInPlace(Limb* x, size_t n, Limb m, Limb add) {
  std::uint64_t carry = add;
  for (size_t i = 0; i < n; ++i) {
    std::uint64_t cur = std::uint64_t(x[i]) * m + carry;
    carry = cur / kBase;
    x[i] = static_cast<Limb>(cur - carry * kBase);
  }
  return static_cast<Limb>(carry);
}

// x /= d in place over n limbs (d > 0); returns the remainder.
Limb DivideSmallInPlace(Limb* x, size_t n, Limb d) {
  std::uint64_t rem = 0;
  for (size_t i = n; i-- > 0;) {
    std::uint64_t cur = rem * kBase + x[i];
    x[i] = static_cast<Limb>(cur / d);
    rem = cur % d;
  }
  return static_cast<Limb>(rem);
}

// Long division of magnitudes, n = bn >= 2 limbs, an >= bn (Knuth's
// algorithm D in base 10^9). q holds an - bn + 1 limbs, r holds bn limbs.
void DivideLimbs(const Limb* a, size_t an, const Limb* b, size_t bn, Limb* q, Limb* r) {
  const size_t n = bn;
  const size_t m = an - bn;
  // Scale both so that the divisor's top limb is at least half the base;
  // the estimate of each quotient limb is then off by at most two.
  const Limb f = kBase / (b[n - 1] + 1);
  std::unique_ptr<Limb[]> work(new Limb[an + 1 + n]);
  Limb* u = work.get();
  Limb* v = u + an + 1;
  std::copy(a, a + an, u);
  u[an] = MultiplySmallInPlace(u, an, f, 0);
  std::copy(b, b + n, v);
  MultiplySmallInPlace(v, n, f, 0);  // no carry: the top limb stays below the base

  const std::uint64_t vTop = v[n - 1];
  const std::uint64_t vNext = v[n - 2];
  for (size_t j = m + 1; j-- > 0;) {
    const std::uint64_t num = std::uint64_t(u[j + n]) * kBase + u[j + n - 1];
    std::uint64_t qhat = num / vTop;
    std::uint64_t rhat = num % vTop;
    while (qhat >= kBase || qhat * vNext > rhat * kBase + u[j + n - 2]) {
      --qhat;
      rhat += vTop;
      if (rhat >= kBase) break;
    }
    // u[j .. j+n] -= qhat * v
    std::int64_t borrow = 0;
    std::uint64_t carry = 0;
    for (size_t i = 0; i < n; ++i) {
      std::uint64_t p = qhat * v[i] + carry;
      carry = p / kBase;
      std::int64_t t = std::int64_t(u[i + j]) - std::int64_t(p - carry * kBase) - borrow;
      borrow = t < 0;
      u[i + j] = static_cast<Limb>(t < 0 ? t + kBase : t);
    }
    std::int64_t top = std::int64_t(u[j + n]) - std::int64_t(carry) - borrow;
    if (top < 0) {
      // The estimate was one too large: add the divisor back.
      --qhat;
      Limb c = 0;
      for (size_t i = 0; i < n; ++i) {
        Limb s = u[i + j] + v[i] + c;
        c = s >= kBase;
        u[i + j] = c ? s - kBase : s;
      }
      top += c;
    }
    u[j + n] = static_cast<Limb>(top);
    q[j] = static_cast<Limb>(qhat);
  }
  std::copy(u, u + n, r);
  DivideSmallInPlace(r, n, f);
}

int LimbDigits(Limb x) {
  int d = 1;
  while (d < 10 && x >= kPow10[d]) ++d;
  return d;
}

}  // namespace

// ---- limb access --------------------------------------------------------------

std::uint32_t* BigIntegerAccess::Prepare(CBigInteger& x, std::size_t size) {
  if (size > x.m_capacity) {
    if (size > 0xFFFFFFF0u) detail::ThrowNoMemory();
    Limb* block = new Limb[size];
    if (x.m_limbs != x.m_inline) delete[] x.m_limbs;
    x.m_limbs = block;
    x.m_capacity = static_cast<std::uint32_t>(size);
  }
  x.m_size = static_cast<std::uint32_t>(size);
  return x.m_limbs;
}

void BigIntegerAccess::Trim(CBigInteger& x) {
  while (x.m_size > 0 && x.m_limbs[x.m_size - 1] == 0) --x.m_size;
  if (x.m_size == 0) x.m_sign = 1;
}

void BigIntegerAccess::FromU64(CBigInteger& x, std::uint64_t value) {
  if (value < kBase) {  // the common case: one limb
    Prepare(x, 1)[0] = static_cast<Limb>(value);
    Trim(x);
    return;
  }
  // At most 20 digits: three limbs, within the inline ones.
  Limb* out = Prepare(x, 3);
  out[0] = static_cast<Limb>(value % kBase);
  value /= kBase;
  out[1] = static_cast<Limb>(value % kBase);
  out[2] = static_cast<Limb>(value / kBase);
  Trim(x);
}

void BigIntegerAccess::FromDigits(CBigInteger& x, const char* digits, std::size_t count) {
  while (count > 0 && *digits == '0') {
    ++digits;
    --count;
  }
  Limb* out = Prepare(x, (count + kLimbDigits - 1) / kLimbDigits);
  size_t limb = 0;
  // Nine digits at a time from the least significant end.
  for (size_t end = count; end > 0; ++limb) {
    const size_t begin = end >= size_t(kLimbDigits) ? end - kLimbDigits : 0;
    Limb v = 0;
    for (size_t i = begin; i < end; ++i) v = v * 10 + Limb(digits[i] - '0');
    out[limb] = v;
    end = begin;
  }
  x.m_sign = 1;
  Trim(x);
}

void BigIntegerAccess::AppendDigits(const CBigInteger& x, std::string& out) {
  if (x.m_size == 0) {
    out += '0';
    return;
  }
  const size_t start = out.size();
  out.resize(start + size_t(x.m_size) * kLimbDigits);
  char* p = &out[start];
  auto top = std::to_chars(p, p + kLimbDigits, x.m_limbs[x.m_size - 1]);
  p = top.ptr;
  for (size_t i = x.m_size - 1; i-- > 0;) {
    Limb v = x.m_limbs[i];
    for (int d = kLimbDigits - 1; d >= 0; --d) {
      p[d] = char('0' + v % 10);
      v /= 10;
    }
    p += kLimbDigits;
  }
  out.resize(static_cast<size_t>(p - out.data()));
}

std::size_t BigIntegerAccess::DigitCount(const CBigInteger& x) {
  if (x.m_size == 0) return 1;
  return size_t(x.m_size - 1) * kLimbDigits + LimbDigits(x.m_limbs[x.m_size - 1]);
}

std::size_t BigIntegerAccess::TrailingZeros(const CBigInteger& x) {
  size_t zeros = 0;
  for (size_t i = 0; i < x.m_size; ++i) {
    Limb v = x.m_limbs[i];
    if (v == 0) {
      zeros += kLimbDigits;
      continue;
    }
    while (v % 10 == 0) {
      v /= 10;
      ++zeros;
    }
    return zeros;
  }
  return 0;
}

void BigIntegerAccess::MulPow10(CBigInteger& x, std::size_t k) {
  if (x.m_size == 0 || k == 0) return;
  const size_t shift = k / kLimbDigits;
  const Limb factor = kPow10[k % kLimbDigits];
  CBigInteger r;
  Limb* out = Prepare(r, x.m_size + shift + 1);
  std::fill(out, out + shift, 0u);
  std::copy(x.m_limbs, x.m_limbs + x.m_size, out + shift);
  out[shift + x.m_size] = MultiplySmallInPlace(out + shift, x.m_size, factor, 0);
  r.m_sign = x.m_sign;
  Trim(r);
  x = std::move(r);
}

CBigInteger BigIntegerAccess::DivPow10(const CBigInteger& x, std::size_t k, RoundMode mode) {
  if (x.m_size == 0 || k == 0) return x;
  const size_t shift = k / kLimbDigits;
  CBigInteger q;
  if (shift < x.m_size) {
    Limb* out = Prepare(q, x.m_size - shift);
    std::copy(x.m_limbs + shift, x.m_limbs + x.m_size, out);
    DivideSmallInPlace(out, q.m_size, kPow10[k % kLimbDigits]);
    q.m_sign = x.m_sign;
    Trim(q);
  }
  if (mode == RoundMode::Truncate) return q;

  // Compare the dropped digits with a half unit (5 then k - 1 zeros): the
  // digit at position k - 1 decides, and on a 5 whether anything is below it.
  const size_t pos = k - 1;
  const size_t limb = pos / kLimbDigits;
  const Limb scale = kPow10[pos % kLimbDigits];
  int cmp;
  if (limb >= x.m_size) {
    cmp = -1;
  } else {
    const Limb digit = (x.m_limbs[limb] / scale) % 10;
    if (digit != 5) {
      cmp = digit > 5 ? 1 : -1;
    } else {
      bool below = x.m_limbs[limb] % scale != 0;
      for (size_t i = 0; i < limb && !below; ++i) below = x.m_limbs[i] != 0;
      cmp = below ? 1 : 0;
    }
  }
  if (cmp > 0 || (cmp == 0 && mode == RoundMode::HalfAwayFromZero)) {
    CBigInteger one(x.m_sign);
    q += one;
  }
  return q;
}

void BigIntegerAccess::DivMod(const CBigInteger& a, const CBigInteger& b, CBigInteger* quotient,
                              CBigInteger* remainder) {
  CBigInteger q, r;
  if (CompareLimbs(a.m_limbs, a.m_size, b.m_limbs, b.m_size) < 0) {
    r = a;
  } else if (b.m_size == 1) {
    Limb* out = Prepare(q, a.m_size);
    std::copy(a.m_limbs, a.m_limbs + a.m_size, out);
    Limb rem = DivideSmallInPlace(out, a.m_size, b.m_limbs[0]);
    Prepare(r, 1)[0] = rem;
  } else {
    Limb* qo = Prepare(q, a.m_size - b.m_size + 1);
    Limb* ro = Prepare(r, b.m_size);
    DivideLimbs(a.m_limbs, a.m_size, b.m_limbs, b.m_size, qo, ro);
  }
  q.m_sign = a.m_sign * b.m_sign;
  r.m_sign = a.m_sign;
  Trim(q);
  Trim(r);
  if (quotient) *quotient = std::move(q);
  if (remainder) *remainder = std::move(r);
}

int BigIntegerAccess::CompareMagnitude(const CBigInteger& a, const CBigInteger& b) {
  return CompareLimbs(a.m_limbs, a.m_size, b.m_limbs, b.m_size);
}

bool BigIntegerAccess::MagnitudeToU64(const CBigInteger& x, std::uint64_t* value) {
  // 2^64 has 20 digits: at most three limbs, the top one below 19.
  if (x.m_size > 3 || (x.m_size == 3 && x.m_limbs[2] > 18)) return false;
  std::uint64_t v = 0;
  for (size_t i = x.m_size; i-- > 0;) {
    if (v > (UINT64_MAX - x.m_limbs[i]) / kBase) return false;
    v = v * kBase + x.m_limbs[i];
  }
  *value = v;
  return true;
}

// ---- class constants ----------------------------------------------------------

const CBigInteger CBigInteger::MAX_LONG(CDecimal("2147483647"));
const CBigInteger CBigInteger::MIN_LONG(CDecimal("-2147483648"));
const CBigInteger CBigInteger::MAX_LONGLONG(CDecimal("9223372036854775807"));
const CBigInteger CBigInteger::MIN_LONGLONG(CDecimal("-9223372036854775808"));
const CBigInteger CBigInteger::MAX_DOUBLE(CDecimal("1.7E+308"));
const CBigInteger CBigInteger::MIN_DOUBLE(CDecimal("-1.7E+308"));

// ---- construction -------------------------------------------------------------

CBigInteger::CBigInteger() : m_sign(1), m_size(0), m_capacity(kInlineLimbs), m_limbs(m_inline) {}

VXXML_API void ResetValue(CBigInteger& member) { detail::BigIntegerAccess::FromU64(member, 0); }

CBigInteger::CBigInteger(int value) : CBigInteger() {
  // Through unsigned arithmetic so that the most negative int is exact.
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  m_limbs[0] = magnitude % kBase;
  m_limbs[1] = magnitude / kBase;
  m_size = 2;
  m_sign = value < 0 ? -1 : 1;
  Access::Trim(*this);
}

CBigInteger::CBigInteger(double value) : CBigInteger() {
  if (!std::isfinite(value)) detail::ThrowNotFiniteDouble();
  const bool negative = value < 0;
  // Round with halves toward zero, then peel off decimal digits the way the
  // value is defined: fmod for the digit, the integral part of x / 10 for the
  // rest (at most 309 digits).
  double x = std::ceil(std::fabs(value) - 0.5);
  char digits[320];
  size_t count = 0;
  while (x > 0 && count < sizeof digits) {
    digits[count++] = char('0' + static_cast<int>(std::fmod(x, 10.0)));
    std::modf(x / 10.0, &x);
  }
  std::reverse(digits, digits + count);
  Access::FromDigits(*this, digits, count);
  Access::SetSign(*this, negative ? -1 : 1);
}

CBigInteger::CBigInteger(const char* text) : CBigInteger() { Parse(text); }

CBigInteger::CBigInteger(const CDecimal& value) : CBigInteger(value.GetIntegral()) {}

CBigInteger::CBigInteger(const CBigInteger& other) : CBigInteger() { *this = other; }

CBigInteger::CBigInteger(CBigInteger&& other) noexcept : CBigInteger() {
  *this = std::move(other);
}

CBigInteger& CBigInteger::operator=(const CBigInteger& other) {
  if (this == &other) return *this;
  Limb* out = Access::Prepare(*this, other.m_size);
  std::copy(other.m_limbs, other.m_limbs + other.m_size, out);
  m_sign = other.m_sign;
  return *this;
}

CBigInteger& CBigInteger::operator=(CBigInteger&& other) noexcept {
  if (this == &other) return *this;
  if (other.m_limbs != other.m_inline) {
    if (m_limbs != m_inline) delete[] m_limbs;
    m_limbs = other.m_limbs;
    m_capacity = other.m_capacity;
    other.m_limbs = other.m_inline;
    other.m_capacity = kInlineLimbs;
  } else {
    // Fits inline, so it fits whatever block we have.
    std::copy(other.m_limbs, other.m_limbs + other.m_size, m_limbs);
  }
  m_size = other.m_size;
  m_sign = other.m_sign;
  other.m_size = 0;
  other.m_sign = 1;
  return *this;
}

CBigInteger::~CBigInteger() {
  if (m_limbs != m_inline) delete[] m_limbs;
}

// ---- text ---------------------------------------------------------------------

void CBigInteger::Parse(const char* text) {
  if (!text) {
    *this = CBigInteger();
    return;
  }
  const size_t length = std::strlen(text);
  for (size_t i = 0; i < length; ++i) {
    const char c = text[i];
    if ((c < '0' || c > '9') && c != '+' && c != '-' && c != ' ' && c != '\t' && c != '\r' &&
        c != '\n') {
      // Not a plain integer: read it as a decimal and cut off the fraction.
      *this = CBigInteger(CDecimal(text));
      return;
    }
  }
  size_t begin = 0, end = length;
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  const int sign = begin < end && text[begin] == '-' ? -1 : 1;
  // The value is the run of digits that ends the text.
  size_t first = end;
  while (first > begin && text[first - 1] >= '0' && text[first - 1] <= '9') --first;
  CBigInteger value;
  Access::FromDigits(value, text + first, end - first);
  Access::SetSign(value, sign);
  *this = std::move(value);
}

std::string CBigInteger::ToString() const {
  std::string out;
  out.reserve(size_t(m_size) * Access::kLimbDigits + 2);
  if (m_sign < 0) out += '-';
  Access::AppendDigits(*this, out);
  return out;
}

// ---- sign ---------------------------------------------------------------------

void CBigInteger::Abs() { m_sign = 1; }

void CBigInteger::Negate() { Access::SetSign(*this, -m_sign); }

CBigInteger& CBigInteger::operator-() {
  Negate();
  return *this;
}

CBigInteger CBigInteger::GetAbs() const {
  CBigInteger r(*this);
  r.m_sign = 1;
  return r;
}

CBigInteger CBigInteger::GetNegative() const {
  CBigInteger r(*this);
  Access::SetSign(r, -1);
  return r;
}

// ---- arithmetic ---------------------------------------------------------------

namespace {

// a + (bSign * |b|).
CBigInteger AddSigned(const CBigInteger& a, const CBigInteger& b, int bSign) {
  const Limb* al = Access::Limbs(a);
  const Limb* bl = Access::Limbs(b);
  const size_t an = Access::Size(a), bn = Access::Size(b);
  CBigInteger r;
  if (a.Sign() == 0) {
    r = b;
    Access::SetSign(r, bSign);
    return r;
  }
  const int aSign = a.Sign();
  if (aSign == bSign) {
    AddLimbs(al, an, bl, bn, Access::Prepare(r, std::max(an, bn) + 1));
    Access::Trim(r);
    Access::SetSign(r, aSign);
    return r;
  }
  const int cmp = CompareLimbs(al, an, bl, bn);
  if (cmp == 0) return r;
  if (cmp > 0) {
    SubtractLimbs(al, an, bl, bn, Access::Prepare(r, an));
  } else {
    SubtractLimbs(bl, bn, al, an, Access::Prepare(r, bn));
  }
  Access::Trim(r);
  Access::SetSign(r, cmp > 0 ? aSign : bSign);
  return r;
}

}  // namespace

CBigInteger CBigInteger::operator+(const CBigInteger& other) const {
  return AddSigned(*this, other, other.m_sign);
}

CBigInteger CBigInteger::operator-(const CBigInteger& other) const {
  return AddSigned(*this, other, -other.m_sign);
}

CBigInteger CBigInteger::operator*(const CBigInteger& other) const {
  CBigInteger r;
  if (m_size == 0 || other.m_size == 0) return r;
  MultiplyLimbs(m_limbs, m_size, other.m_limbs, other.m_size,
                Access::Prepare(r, size_t(m_size) + other.m_size));
  Access::Trim(r);
  Access::SetSign(r, m_sign * other.m_sign);
  return r;
}

CBigInteger CBigInteger::operator/(const CBigInteger& other) const {
  if (other.m_size == 0) detail::ThrowDivisionByZero(detail::DivisionOp::Divide);
  CBigInteger q;
  Access::DivMod(*this, other, &q, nullptr);
  return q;
}

CBigInteger CBigInteger::operator%(const CBigInteger& other) const {
  if (other.m_size == 0) detail::ThrowDivisionByZero(detail::DivisionOp::Modulo);
  CBigInteger r;
  Access::DivMod(*this, other, nullptr, &r);
  return r;
}

CBigInteger& CBigInteger::operator+=(const CBigInteger& other) { return *this = *this + other; }
CBigInteger& CBigInteger::operator-=(const CBigInteger& other) { return *this = *this - other; }
CBigInteger& CBigInteger::operator*=(const CBigInteger& other) { return *this = *this * other; }

CBigInteger& CBigInteger::operator/=(const CBigInteger& other) {
  if (other.m_size == 0) detail::ThrowDivisionByZero(detail::DivisionOp::DivideAssign);
  return *this = *this / other;
}

CBigInteger& CBigInteger::operator%=(const CBigInteger& other) {
  if (other.m_size == 0) detail::ThrowDivisionByZero(detail::DivisionOp::ModuloAssign);
  return *this = *this % other;
}

CBigInteger CBigInteger::Pow10(unsigned int n) {
  if (n > detail::kMaxDecimalDigits) detail::ThrowDigitCountOutOfRange(n);
  CBigInteger r(1);
  Access::MulPow10(r, n);
  return r;
}

CBigInteger CBigInteger::SquareRoot() const {
  if (m_sign < 0 && m_size != 0) detail::ThrowNegativeSquareRoot();
  if (m_size == 0) return CBigInteger();
  // Newton's iteration from above: start at a power of ten above the root
  // (10^(ceil(digits / 2))) and stop as soon as the estimate stops falling.
  CBigInteger x(1);
  Access::MulPow10(x, (Access::DigitCount(*this) - 1) / 2 + 1);
  for (;;) {
    CBigInteger previous = x;
    Access::DivMod(*this, previous, &x, nullptr);
    x += previous;
    DivideSmallInPlace(Access::MutableLimbs(x), Access::Size(x), 2);
    Access::Trim(x);
    if (!(x < previous)) return previous;
  }
}

CBigInteger::operator int() const {
  std::uint64_t magnitude = 0;
  if (!Access::MagnitudeToU64(*this, &magnitude) ||
      magnitude > (m_sign < 0 ? 2147483648u : 2147483647u))
    detail::ThrowIntOutOfBound();
  return m_sign < 0 ? static_cast<int>(-static_cast<long long>(magnitude))
                    : static_cast<int>(magnitude);
}

// ---- comparison ---------------------------------------------------------------

bool CBigInteger::operator==(const CBigInteger& other) const {
  return m_sign == other.m_sign &&
         CompareLimbs(m_limbs, m_size, other.m_limbs, other.m_size) == 0;
}

bool CBigInteger::operator<(const CBigInteger& other) const {
  if (m_sign != other.m_sign) return m_sign < other.m_sign;
  const int cmp = CompareLimbs(m_limbs, m_size, other.m_limbs, other.m_size);
  return m_sign > 0 ? cmp < 0 : cmp > 0;
}

// ---- digit vectors ------------------------------------------------------------
//
// The vectors are read into limbs and written back from them, so that their
// arithmetic is the arithmetic above.

namespace {

typedef std::vector<unsigned char> DigitVector;

// The magnitude that a digit vector holds.
CBigInteger FromDigitVector(const DigitVector& a) {
  CBigInteger x;
  Limb* out = Access::Prepare(x, (a.size() + Access::kLimbDigits - 1) / Access::kLimbDigits);
  size_t i = 0;
  for (size_t limb = 0; i < a.size(); ++limb) {
    const size_t end = std::min(i + Access::kLimbDigits, a.size());
    Limb v = 0;
    for (Limb scale = 1; i < end; ++i, scale *= 10) {
      if (a[i] > 9) detail::ThrowInvalidDigit(a[i]);
      v += a[i] * scale;
    }
    out[limb] = v;
  }
  Access::Trim(x);
  return x;
}

// The digits of the magnitude of x; zero is the single digit 0.
void ToDigitVector(const CBigInteger& x, DigitVector& out) {
  const Limb* limbs = Access::Limbs(x);
  const size_t size = Access::Size(x);
  out.clear();
  if (size == 0) {
    out.push_back(0);
    return;
  }
  out.reserve(size * Access::kLimbDigits);
  for (size_t i = 0; i + 1 < size; ++i) {
    Limb v = limbs[i];
    for (int d = 0; d < Access::kLimbDigits; ++d, v /= 10)
      out.push_back(static_cast<unsigned char>(v % 10));
  }
  for (Limb v = limbs[size - 1]; v != 0; v /= 10) out.push_back(static_cast<unsigned char>(v % 10));
}

CBigInteger FromU64(unsigned long long value) {
  CBigInteger x;
  Limb* out = Access::Prepare(x, 3);
  out[0] = static_cast<Limb>(value % kBase);
  out[1] = static_cast<Limb>(value / kBase % kBase);
  out[2] = static_cast<Limb>(value / kBase / kBase);
  Access::Trim(x);
  return x;
}

bool IsZeroVector(const DigitVector& a) {
  return std::all_of(a.begin(), a.end(), [](unsigned char d) { return d == 0; });
}

}  // namespace

int CBigInteger::Compare(const DigitVector& a, const DigitVector& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

int CBigInteger::Position(const DigitVector& a) {
  return a.empty() ? 1 : static_cast<int>(a.size());
}

void CBigInteger::Clean(DigitVector& a) {
  while (a.size() > 1 && a.back() == 0) a.pop_back();
  if (a.empty()) a.push_back(0);
}

void CBigInteger::ShiftLeft(DigitVector& a, unsigned int n) {
  if (n > detail::kMaxDecimalDigits) detail::ThrowDigitCountOutOfRange(n);
  if (!IsZeroVector(a)) a.insert(a.begin(), n, 0);
}

void CBigInteger::Build(unsigned int value, DigitVector& a) { ToDigitVector(FromU64(value), a); }

void CBigInteger::BuildDWORDLONG(unsigned long long value, DigitVector& a) {
  ToDigitVector(FromU64(value), a);
}

void CBigInteger::BuildDouble(double value, DigitVector& a) {
  ToDigitVector(CBigInteger(value), a);
}

void CBigInteger::Build(const std::string& text, DigitVector& a) {
  size_t first = text.size();
  while (first > 0 && text[first - 1] >= '0' && text[first - 1] <= '9') --first;
  CBigInteger x;
  Access::FromDigits(x, text.data() + first, text.size() - first);
  ToDigitVector(x, a);
}

void CBigInteger::Add(const DigitVector& a, const DigitVector& b, DigitVector& out) {
  ToDigitVector(FromDigitVector(a) + FromDigitVector(b), out);
}

void CBigInteger::Subtract(const DigitVector& a, const DigitVector& b, DigitVector& out) {
  const CBigInteger x = FromDigitVector(a), y = FromDigitVector(b);
  if (Access::CompareMagnitude(x, y) < 0) detail::ThrowNegativeDifference();
  ToDigitVector(x - y, out);
}

void CBigInteger::Multiply(const DigitVector& a, unsigned char digit, DigitVector& out) {
  ToDigitVector(FromDigitVector(a) * CBigInteger(static_cast<int>(digit)), out);
}

void CBigInteger::Multiply(const DigitVector& a, const DigitVector& b, DigitVector& out) {
  ToDigitVector(FromDigitVector(a) * FromDigitVector(b), out);
}

void CBigInteger::Divide(const DigitVector& a, const DigitVector& b, DigitVector& quotient,
                         DigitVector& remainder) {
  const CBigInteger x = FromDigitVector(a), y = FromDigitVector(b);
  if (y.IsZero()) detail::ThrowDivisionByZero(detail::DivisionOp::Divide);
  CBigInteger q, r;
  Access::DivMod(x, y, &q, &r);
  ToDigitVector(q, quotient);
  ToDigitVector(r, remainder);
}

void CBigInteger::Pow10(unsigned int n, DigitVector& out) {
  if (n > detail::kMaxDecimalDigits) detail::ThrowDigitCountOutOfRange(n);
  out.assign(n, 0);
  out.push_back(1);
}

}  // namespace VxXmlLib10
