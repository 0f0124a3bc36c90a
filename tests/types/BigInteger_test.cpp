#include "vxxml/BigInteger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "vxxml/Decimal.h"
#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using vxtest::ExpectFailure;

static_assert(!std::is_convertible<double, CBigInteger>::value &&
                  std::is_constructible<CBigInteger, double>::value,
              "CBigInteger b = 2.6; must not compile");

namespace {

std::string Int128ToString(__int128 v) {
  if (v == 0) return "0";
  const bool negative = v < 0;
  unsigned __int128 m = negative ? -static_cast<unsigned __int128>(v) : v;
  std::string s;
  while (m) {
    s.insert(s.begin(), char('0' + int(m % 10)));
    m /= 10;
  }
  return negative ? "-" + s : s;
}

__int128 RandomInt128(std::mt19937_64& rng, int bits) {
  unsigned __int128 m = (static_cast<unsigned __int128>(rng()) << 64) | rng();
  m >>= 128 - bits;
  __int128 v = static_cast<__int128>(m);
  return rng() & 1 ? -v : v;
}

std::string RandomDigits(std::mt19937_64& rng, size_t count) {
  std::string s(1, char('1' + rng() % 9));
  while (s.size() < count) s += char('0' + rng() % 10);
  return s;
}

CBigInteger RandomBig(std::mt19937_64& rng, size_t maxDigits) {
  std::string s = RandomDigits(rng, 1 + rng() % maxDigits);
  if (rng() & 1) s.insert(0, 1, '-');
  return CBigInteger(s.c_str());
}

typedef std::vector<unsigned char> DigitVector;

// The digits of the magnitude, least significant first, and back to text.
DigitVector Digits(const CBigInteger& x) {
  const std::string text = x.GetAbs().ToString();
  DigitVector v;
  for (auto it = text.rbegin(); it != text.rend(); ++it)
    v.push_back(static_cast<unsigned char>(*it - '0'));
  return v;
}

std::string Text(const DigitVector& v) {
  std::string text;
  for (auto it = v.rbegin(); it != v.rend(); ++it) text += char('0' + *it);
  return text;
}

}  // namespace

TEST(BigInteger, ParseAndPrint) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"0", "0"},
      {"007", "7"},
      {"-0", "0"},
      {"+12", "12"},
      {"  42  ", "42"},
      {"", "0"},
      {"   ", "0"},
      {"-", "0"},
      {"+", "0"},
      {"-123456789012345678901234567890", "-123456789012345678901234567890"},
      {"1000000000", "1000000000"},
      {"999999999", "999999999"},
      {"--5", "-5"},
      // Plain integer text: the value is the run of digits that ends it.
      {"1-2", "2"},
      {"\t42", "42"},
      {"42\t", "0"},
      // Anything else goes through the decimal reader, fraction cut off.
      {"12.9", "12"},
      {"-12.9", "-12"},
      {"1.5E3", "1500"},
      {"1 000.5", "1000"},
      {"-0.5", "0"},
      {"2e-1", "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(CBigInteger(c.in).ToString(), c.out) << c.in;
  EXPECT_EQ(CBigInteger(static_cast<const char*>(nullptr)).ToString(), "0");
  // A NUL ends the text.
  EXPECT_EQ(CBigInteger(std::string("12\0x34", 6).c_str()).ToString(), "12");
}

TEST(BigInteger, EveryPrefixOfValidText) {
  const std::string text = "-1234567890123456789012345678901234567890";
  for (size_t n = 0; n <= text.size(); ++n) {
    const std::string prefix = text.substr(0, n);
    const std::string expected = n <= 1 ? "0" : prefix;
    EXPECT_EQ(CBigInteger(prefix.c_str()).ToString(), expected);
  }
}

TEST(BigInteger, ParseFailuresComeFromTheDecimalReader) {
  ExpectFailure<CVxInvalidValueException>(
      [] { CBigInteger("abc"); },
      "The string representing a Decimal, contained an invalid char at position 0 [abc]");
  ExpectFailure<CVxInvalidValueException>(
      [] { CBigInteger("12a"); },
      "The string representing a Decimal, contained an invalid char at position 2 [12a]");
  ExpectFailure<CVxInvalidValueException>(
      [] { CBigInteger("9E999999"); },
      "The exponent of a Decimal makes it longer than 400 digits [9E999999]");
  // The value is left unchanged.
  CBigInteger v(5);
  EXPECT_THROW(v.Parse("1.2.3"), CVxInvalidValueException);
  EXPECT_EQ(v.ToString(), "5");
}

TEST(BigInteger, VeryLongText) {
  std::mt19937_64 rng(7);
  const std::string digits = RandomDigits(rng, 100000);
  EXPECT_EQ(CBigInteger(digits.c_str()).ToString(), digits);
  EXPECT_EQ(CBigInteger(("-000" + digits).c_str()).ToString(), "-" + digits);
  // Long text with a fraction or a bad character still parses or fails cleanly.
  EXPECT_EQ(CBigInteger((digits + ".999").c_str()).ToString(), digits);
  EXPECT_THROW(CBigInteger((digits + "x").c_str()), CVxInvalidValueException);
  const std::string zeros(100000, '0');
  EXPECT_EQ(CBigInteger(zeros.c_str()).ToString(), "0");
  EXPECT_EQ(CBigInteger(("1" + zeros).c_str()), CBigInteger::Pow10(100000));
}

TEST(BigInteger, FromNumbers) {
  EXPECT_EQ(CBigInteger(2.5).ToString(), "2");
  EXPECT_EQ(CBigInteger(-2.6).ToString(), "-3");
  EXPECT_EQ(CBigInteger(2.6).ToString(), "3");
  EXPECT_EQ(CBigInteger(0.4).ToString(), "0");
  EXPECT_EQ(CBigInteger(-0.4).ToString(), "0");
  EXPECT_EQ(CBigInteger(1e20).ToString(), "100000000000000000000");
  EXPECT_EQ(CBigInteger(9007199254740993.0).ToString(), "9007199254740992");
  EXPECT_EQ(CBigInteger(-2147483647 - 1).ToString(), "-2147483648");
  EXPECT_EQ(CBigInteger(0).ToString(), "0");
  EXPECT_EQ(CBigInteger(1.7e308).ToString().size(), 309u);
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
    ExpectFailure<CVxInvalidValueException>([bad] { CBigInteger v(bad); },
                                            "ERROR: Value out of bound of BigInteger.");
  }
  EXPECT_EQ(CBigInteger(CDecimal("-12.9")).ToString(), "-12");
  EXPECT_EQ(CBigInteger(CDecimal("12.9")).ToString(), "12");
}

TEST(BigInteger, Constants) {
  EXPECT_EQ(CBigInteger::MAX_LONG.ToString(), "2147483647");
  EXPECT_EQ(CBigInteger::MIN_LONG.ToString(), "-2147483648");
  EXPECT_EQ(CBigInteger::MAX_LONGLONG.ToString(), "9223372036854775807");
  EXPECT_EQ(CBigInteger::MIN_LONGLONG.ToString(), "-9223372036854775808");
  EXPECT_EQ(CBigInteger::MAX_DOUBLE.ToString(), "17" + std::string(307, '0'));
  EXPECT_EQ(CBigInteger::MIN_DOUBLE.ToString(), "-17" + std::string(307, '0'));
}

TEST(BigInteger, Sign) {
  CBigInteger a("-5");
  EXPECT_EQ(a.GetAbs().ToString(), "5");
  EXPECT_EQ(a.GetNegative().ToString(), "-5");
  EXPECT_EQ(CBigInteger(5).GetNegative().ToString(), "-5");
  EXPECT_EQ(CBigInteger(0).GetNegative().ToString(), "0");
  CBigInteger b = -a;  // unary minus changes the operand itself
  EXPECT_EQ(a.ToString(), "5");
  EXPECT_EQ(b.ToString(), "5");
  a.Negate();
  EXPECT_EQ(a.ToString(), "-5");
  a.Abs();
  EXPECT_EQ(a.ToString(), "5");
  // Zero has no sign.
  EXPECT_EQ(CBigInteger("-0"), CBigInteger(0));
  EXPECT_FALSE(CBigInteger("-0") < CBigInteger(0));
  EXPECT_FALSE(CBigInteger(0) < CBigInteger("-0"));
  EXPECT_EQ((CBigInteger(0) * CBigInteger(-3)).ToString(), "0");
}

TEST(BigInteger, DivisionEdges) {
  struct Case {
    int a, b, q, r;
  } cases[] = {{-7, 2, -3, -1}, {7, -2, -3, 1}, {-7, -2, 3, -1}, {7, 2, 3, 1},
               {0, 5, 0, 0},    {3, 7, 0, 3},   {-3, 7, 0, -3},  {2147483647, 1, 2147483647, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(int(CBigInteger(c.a) / CBigInteger(c.b)), c.q) << c.a << "/" << c.b;
    EXPECT_EQ(int(CBigInteger(c.a) % CBigInteger(c.b)), c.r) << c.a << "%" << c.b;
  }
  CBigInteger seven(7), zero;
  ExpectFailure<CVxInvalidValueException>([&] { (void)(seven / zero); },
                                          "ERROR: Overflow in operator/.");
  ExpectFailure<CVxInvalidValueException>([&] { seven /= zero; },
                                          "ERROR: Overflow in operator /=.");
  ExpectFailure<CVxInvalidValueException>([&] { (void)(seven % zero); },
                                          "ERROR: Overflow in operator%.");
  ExpectFailure<CVxInvalidValueException>([&] { seven %= zero; },
                                          "ERROR: Overflow in operator%=.");
  EXPECT_EQ(seven.ToString(), "7");
}

TEST(BigInteger, SquareRoot) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"0", "0"},     {"1", "1"},     {"3", "1"},         {"4", "2"},
               {"99", "9"},    {"100", "10"},  {"101", "10"},      {"9999", "99"},
               {"10000", "100"}, {"1000000000000000000", "1000000000"},
               {"999999999999999999999999999999", "999999999999999"}};
  for (const Case& c : cases) EXPECT_EQ(CBigInteger(c.in).SquareRoot().ToString(), c.out) << c.in;
  ExpectFailure<CVxInvalidValueException>([] { CBigInteger(-1).SquareRoot(); },
                                          "ERROR: Negative Number in function SquareRoot().");
  std::mt19937_64 rng(11);
  for (int i = 0; i < 40; ++i) {
    CBigInteger n = RandomBig(rng, 200).GetAbs();
    CBigInteger r = n.SquareRoot();
    EXPECT_TRUE(r * r <= n && (r + CBigInteger(1)) * (r + CBigInteger(1)) > n) << n.ToString();
  }
}

TEST(BigInteger, ToInt) {
  EXPECT_EQ(int(CBigInteger("2147483647")), 2147483647);
  EXPECT_EQ(int(CBigInteger("-2147483648")), -2147483647 - 1);
  EXPECT_EQ(int(CBigInteger("-0")), 0);
  for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999999", "10000000000"}) {
    ExpectFailure<CVxInvalidValueException>([bad] { (void)int(CBigInteger(bad)); },
                                            "ERROR: Value out of bound of int.");
  }
}

TEST(BigInteger, Pow10) {
  EXPECT_EQ(CBigInteger::Pow10(0).ToString(), "1");
  EXPECT_EQ(CBigInteger::Pow10(9).ToString(), "1000000000");
  EXPECT_EQ(CBigInteger::Pow10(20).ToString(), "1" + std::string(20, '0'));
  ExpectFailure<CVxInvalidParamException>([] { CBigInteger::Pow10(1000001); },
                                          "Number of decimal digits out of range [1000001]");
}

TEST(BigInteger, AgreesWithInt128) {
  std::mt19937_64 rng(20240601);
  for (int i = 0; i < 3000; ++i) {
    const int bits = 1 + int(rng() % 62);
    const __int128 a = RandomInt128(rng, bits);
    const __int128 b = RandomInt128(rng, 1 + int(rng() % 62));
    const CBigInteger A(Int128ToString(a).c_str()), B(Int128ToString(b).c_str());
    ASSERT_EQ(A.ToString(), Int128ToString(a));
    EXPECT_EQ((A + B).ToString(), Int128ToString(a + b));
    EXPECT_EQ((A - B).ToString(), Int128ToString(a - b));
    EXPECT_EQ((A * B).ToString(), Int128ToString(a * b));
    if (b != 0) {
      EXPECT_EQ((A / B).ToString(), Int128ToString(a / b)) << Int128ToString(a) << " / " << Int128ToString(b);
      EXPECT_EQ((A % B).ToString(), Int128ToString(a % b)) << Int128ToString(a) << " % " << Int128ToString(b);
    }
    EXPECT_EQ(A < B, a < b);
    EXPECT_EQ(A > B, a > b);
    EXPECT_EQ(A <= B, a <= b);
    EXPECT_EQ(A >= B, a >= b);
    EXPECT_EQ(A == B, a == b);
    EXPECT_EQ(A != B, a != b);
    EXPECT_TRUE(A == CBigInteger(Int128ToString(a).c_str()));
  }
  // Wide dividends over narrow divisors, in the full 127-bit range.
  for (int i = 0; i < 2000; ++i) {
    const __int128 a = RandomInt128(rng, 1 + int(rng() % 126));
    const __int128 b = RandomInt128(rng, 1 + int(rng() % 126));
    if (b == 0) continue;
    const CBigInteger A(Int128ToString(a).c_str()), B(Int128ToString(b).c_str());
    EXPECT_EQ((A / B).ToString(), Int128ToString(a / b)) << Int128ToString(a) << " / " << Int128ToString(b);
    EXPECT_EQ((A % B).ToString(), Int128ToString(a % b)) << Int128ToString(a) << " % " << Int128ToString(b);
    EXPECT_EQ(A < B, a < b);
  }
}

TEST(BigInteger, LargeValuesAgreeWithEachOther) {
  std::mt19937_64 rng(99);
  const CBigInteger one(1);
  for (int i = 0; i < 300; ++i) {
    const CBigInteger a = RandomBig(rng, 400);
    const CBigInteger b = RandomBig(rng, rng() % 2 ? 400 : 20);
    // Round trip through text.
    EXPECT_EQ(CBigInteger(a.ToString().c_str()), a);
    EXPECT_EQ((a / b) * b + a % b, a) << a.ToString() << " / " << b.ToString();
    EXPECT_TRUE((a % b).GetAbs() < b.GetAbs());
    EXPECT_TRUE((a % b).IsZero() || (a % b).Sign() == a.Sign());
    EXPECT_EQ((a + b) - b, a);
    EXPECT_EQ((a * b) / b, a);
    EXPECT_EQ((a * b) % b, CBigInteger());
    EXPECT_EQ(a * b, b * a);
    EXPECT_EQ(a < b, (b - a).Sign() > 0);
    EXPECT_EQ(a == b, (a - b).IsZero());
    CBigInteger c = a;
    c += b;
    c -= a;
    EXPECT_EQ(c, b);
    c *= a;
    c /= a;
    EXPECT_EQ(c, b);
    c %= a;
    EXPECT_EQ(c, b % a);
  }
  // Divisors whose quotient limb estimates need the add-back correction.
  const CBigInteger big("1000000000000000000000000000000000000");
  const CBigInteger d("999999999000000001");
  EXPECT_EQ((big / d) * d + big % d, big);
  const CBigInteger x = CBigInteger::Pow10(90) - one;
  const CBigInteger y = CBigInteger::Pow10(45) - one;
  EXPECT_EQ((x / y).ToString(), "1" + std::string(44, '0') + "1");
  EXPECT_EQ(x % y, CBigInteger());
}

TEST(BigInteger, DigitVectorsAgreeWithTheOperators) {
  std::mt19937_64 rng(5);
  DigitVector out, rest;
  for (int i = 0; i < 300; ++i) {
    const CBigInteger a = i % 50 ? RandomBig(rng, i % 3 ? 40 : 200).GetAbs() : CBigInteger();
    const CBigInteger b = RandomBig(rng, rng() % 2 ? 40 : 12).GetAbs();
    const DigitVector va = Digits(a), vb = Digits(b);
    EXPECT_EQ(CBigInteger::Compare(va, vb), a < b ? -1 : b < a ? 1 : 0);
    EXPECT_EQ(CBigInteger::Position(va), int(a.ToString().size()));
    CBigInteger::Add(va, vb, out);
    EXPECT_EQ(Text(out), (a + b).ToString());
    CBigInteger::Subtract(a < b ? vb : va, a < b ? va : vb, out);
    EXPECT_EQ(Text(out), (a < b ? b - a : a - b).ToString());
    CBigInteger::Multiply(va, vb, out);
    EXPECT_EQ(Text(out), (a * b).ToString());
    const unsigned char digit = static_cast<unsigned char>(rng() % 10);
    CBigInteger::Multiply(va, digit, out);
    EXPECT_EQ(Text(out), (a * CBigInteger(digit)).ToString());
    CBigInteger::Divide(va, vb, out, rest);
    EXPECT_EQ(Text(out), (a / b).ToString());
    EXPECT_EQ(Text(rest), (a % b).ToString());
    const unsigned shift = static_cast<unsigned>(rng() % 20);
    out = va;
    CBigInteger::ShiftLeft(out, shift);
    EXPECT_EQ(Text(out), (a * CBigInteger::Pow10(shift)).ToString());
    CBigInteger::Pow10(shift, out);
    EXPECT_EQ(Text(out), CBigInteger::Pow10(shift).ToString());
    CBigInteger::Build("x-00" + a.ToString(), out);
    EXPECT_EQ(out, va);
    const unsigned long long u = rng() >> (rng() % 64);
    CBigInteger::BuildDWORDLONG(u, out);
    EXPECT_EQ(Text(out), std::to_string(u));
    CBigInteger::Build(static_cast<unsigned>(u), out);
    EXPECT_EQ(Text(out), std::to_string(static_cast<unsigned>(u)));
    const double x =
        i % 2 ? double(rng() % 2000) / 2 : std::ldexp(double(rng() >> 11), int(rng() % 300));
    CBigInteger::BuildDouble(x, out);
    EXPECT_EQ(Text(out), CBigInteger(x).ToString()) << x;
  }
}

TEST(BigInteger, DigitVectorEdges) {
  DigitVector v{0, 0, 5, 0, 0}, empty, zero{0, 0};
  CBigInteger::Clean(v);
  CBigInteger::Clean(empty);
  CBigInteger::Clean(zero);
  EXPECT_EQ(v, (DigitVector{0, 0, 5}));
  EXPECT_EQ(empty, DigitVector{0});
  EXPECT_EQ(zero, DigitVector{0});
  EXPECT_EQ(CBigInteger::Position(DigitVector()), 1);
  CBigInteger::ShiftLeft(zero, 3);
  EXPECT_EQ(zero, DigitVector{0});
  CBigInteger::Build("12a034", v);
  EXPECT_EQ(Text(v), "34");
  CBigInteger::Build("", v);
  EXPECT_EQ(v, DigitVector{0});
  v = {9, 9};
  CBigInteger::Add(v, v, v);  // the output may be an input
  EXPECT_EQ(Text(v), "198");

  DigitVector out{7};
  struct Case {
    std::string failure;
    std::string expected;
  } cases[] = {
      {vxtest::Failure([&] { CBigInteger::Subtract({1}, {2}, out); }),
       vxtest::Named<CVxInvalidValueException>("ERROR: Negative result in function Subtract().")},
      {vxtest::Failure([&] { CBigInteger::Divide({1}, {0, 0}, out, out); }),
       vxtest::Named<CVxInvalidValueException>("ERROR: Overflow in operator/.")},
      {vxtest::Failure([&] { CBigInteger::Multiply({1, 12}, 3, out); }),
       vxtest::Named<CVxInvalidParamException>("Invalid digit 12 in a digit vector")},
      {vxtest::Failure([&] { CBigInteger::ShiftLeft(out, 1000001); }),
       vxtest::Named<CVxInvalidParamException>("Number of decimal digits out of range [1000001]")},
  };
  for (const Case& c : cases) EXPECT_EQ(c.failure, c.expected);
  EXPECT_EQ(out, DigitVector{7});
}
