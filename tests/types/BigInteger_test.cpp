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

static_assert(!std::is_convertible<double, CBigInteger>::value &&
                  std::is_constructible<CBigInteger, double>::value,
              "CBigInteger b = 2.6; must not compile");

namespace {

std::string Int128ToString(__int128 v) {
  if (v == 0) return "0";
  const bool negative = v < 0;
  unsigned __int128 m = negative ? -static_cast<unsigned __int128>(v) : v;
  std::string s;
  for (; m; m /= 10) s.insert(s.begin(), char('0' + int(m % 10)));
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

std::string Value(const std::string& m) { return vxtest::Named<CVxInvalidValueException>(m); }
std::string Param(const std::string& m) { return vxtest::Named<CVxInvalidParamException>(m); }

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
    std::string in;
    const char* out;
  } cases[] = {
      {"007", "7"}, {"-0", "0"}, {"+12", "12"}, {"  42  ", "42"}, {"", "0"}, {"-", "0"},
      {"-123456789012345678901234567890", "-123456789012345678901234567890"}, {"--5", "-5"},
      // Plain integer text: the value is the run of digits that ends it.
      {"1-2", "2"}, {"\t42", "42"}, {"42\t", "0"}, {std::string("12\0x34", 6), "12"},
      // Anything else goes through the decimal reader, fraction cut off.
      {"-12.9", "-12"}, {"1.5E3", "1500"}, {"1 000.5", "1000"}, {"-0.5", "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(CBigInteger(c.in.c_str()).ToString(), c.out) << c.in;
  EXPECT_EQ(CBigInteger(static_cast<const char*>(nullptr)).ToString(), "0");
  const std::string text = "-1234567890123456789012345678901234567890";
  for (size_t n = 0; n <= text.size(); ++n)
    EXPECT_EQ(CBigInteger(text.substr(0, n).c_str()).ToString(), n <= 1 ? "0" : text.substr(0, n));
}

TEST(BigInteger, ParseFailuresComeFromTheDecimalReader) {
  EXPECT_EQ(vxtest::Failure([] { CBigInteger("12a"); }),
            Value("The string representing a Decimal, contained an invalid char at position 2 "
                  "[12a]"));
  EXPECT_EQ(vxtest::Failure([] { CBigInteger("9E999999"); }),
            Value("The exponent of a Decimal makes it longer than 400 digits [9E999999]"));
  // The value is left unchanged.
  CBigInteger v(5);
  vxtest::ExpectFailure<CVxInvalidValueException>(
      [&] { v.Parse("1.2.3"); },
      "The string representing a Decimal, contained an invalid char at position 3 [1.2.3]");
  EXPECT_EQ(v.ToString(), "5");
}

TEST(BigInteger, VeryLongText) {
  std::mt19937_64 rng(7);
  const std::string digits = RandomDigits(rng, 100000);
  EXPECT_EQ(CBigInteger(("-000" + digits).c_str()).ToString(), "-" + digits);
  EXPECT_EQ(CBigInteger((digits + ".999").c_str()).ToString(), digits);
  const std::string zeros(100000, '0');
  EXPECT_EQ(CBigInteger(zeros.c_str()).ToString(), "0");
  EXPECT_EQ(CBigInteger(("1" + zeros).c_str()), CBigInteger::Pow10(100000));
}

TEST(BigInteger, FromNumbers) {
  // Halves round toward zero; the rest to the nearest.
  const auto S = [](double d) { return CBigInteger(d).ToString(); };
  EXPECT_EQ(S(2.5) + " " + S(-2.6) + " " + S(-0.4) + " " + S(1e20) + " " + S(9007199254740993.0),
            "2 -3 0 100000000000000000000 9007199254740992");
  EXPECT_EQ(CBigInteger(1.7e308).ToString().size(), 309u);
  EXPECT_EQ(CBigInteger(-2147483647 - 1).ToString(), "-2147483648");
  const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  const std::string bound = "ERROR: Value out of bound of ";
  for (double bad : {nan, inf, -inf})
    EXPECT_EQ(vxtest::Failure([bad] { CBigInteger v(bad); }), Value(bound + "BigInteger."));
  EXPECT_EQ(CBigInteger(CDecimal("-12.9")).ToString(), "-12");
  EXPECT_EQ(int(CBigInteger("-2147483648")), -2147483647 - 1);
  EXPECT_EQ(int(CBigInteger("2147483647")), 2147483647);
  for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999999"})
    EXPECT_EQ(vxtest::Failure([bad] { (void)int(CBigInteger(bad)); }), Value(bound + "int."));
}

TEST(BigInteger, Sign) {
  CBigInteger a("-5"), five(5), zero;
  EXPECT_EQ(a.GetAbs().ToString() + " " + a.GetNegative().ToString() + " " +
                five.GetNegative().ToString() + " " + zero.GetNegative().ToString(),
            "5 -5 -5 0");
  CBigInteger b = -a;  // unary minus changes the operand itself
  EXPECT_EQ(a.ToString() + " " + b.ToString(), "5 5");
  a.Negate();
  b = a;
  b.Abs();
  EXPECT_EQ(a.ToString() + " " + b.ToString(), "-5 5");
  // Zero has no sign.
  EXPECT_TRUE(CBigInteger("-0") == CBigInteger(0) && !(CBigInteger("-0") < CBigInteger(0)));
  EXPECT_EQ((CBigInteger(0) * CBigInteger(-3)).ToString(), "0");
}

TEST(BigInteger, DivisionByZeroAndDomain) {
  CBigInteger seven(7), zero;
  EXPECT_EQ(vxtest::Failure([&] { (void)(seven / zero); }), Value("ERROR: Overflow in operator/."));
  EXPECT_EQ(vxtest::Failure([&] { seven /= zero; }), Value("ERROR: Overflow in operator /=."));
  EXPECT_EQ(vxtest::Failure([&] { (void)(seven % zero); }), Value("ERROR: Overflow in operator%."));
  EXPECT_EQ(vxtest::Failure([&] { seven %= zero; }), Value("ERROR: Overflow in operator%=."));
  EXPECT_EQ(seven.ToString(), "7");
  EXPECT_EQ(vxtest::Failure([] { CBigInteger(-1).SquareRoot(); }),
            Value("ERROR: Negative Number in function SquareRoot()."));
  EXPECT_EQ(vxtest::Failure([] { CBigInteger::Pow10(1000001); }),
            Param("Number of decimal digits out of range [1000001]"));
}

// The root of random values, of squares and of the values just below them
// (where Newton's iteration from above rises on its last step).
TEST(BigInteger, SquareRoot) {
  EXPECT_EQ(CBigInteger(0).SquareRoot().ToString() + " " + CBigInteger(1).SquareRoot().ToString(),
            "0 1");
  std::mt19937_64 rng(11);
  const CBigInteger one(1);
  for (int i = 0; i < 40; ++i) {
    const CBigInteger m = RandomBig(rng, 100).GetAbs() + one;
    for (const CBigInteger& n : {RandomBig(rng, 200).GetAbs(), m * m, m * m - one}) {
      const CBigInteger r = n.SquareRoot();
      EXPECT_TRUE(r * r <= n && (r + one) * (r + one) > n) << n.ToString();
    }
  }
}

// Every third pair is wide, in the full 127-bit range, where the product
// would overflow and is left unchecked.
TEST(BigInteger, AgreesWithInt128) {
  std::mt19937_64 rng(20240601);
  const auto S = Int128ToString;
  for (int i = 0; i < 5000; ++i) {
    const int bits = i % 3 ? 62 : 126;
    const __int128 a = RandomInt128(rng, 1 + int(rng() % bits));
    const __int128 b = RandomInt128(rng, 1 + int(rng() % bits));
    const CBigInteger A(S(a).c_str()), B(S(b).c_str());
    ASSERT_EQ(A.ToString(), S(a));
    const std::string product = bits == 62 ? S(a * b) : (A * B).ToString();
    EXPECT_EQ((A + B).ToString() + " " + (A - B).ToString() + " " + (A * B).ToString(),
              S(a + b) + " " + S(a - b) + " " + product);
    const std::string quotient = b ? S(a / b) + " " + S(a % b) : "";
    EXPECT_EQ(b ? (A / B).ToString() + " " + (A % B).ToString() : "", quotient)
        << S(a) << " / " << S(b);
    EXPECT_EQ(std::vector<bool>({A < B, A > B, A <= B, A >= B, A == B, A != B}),
              std::vector<bool>({a < b, a > b, a <= b, a >= b, a == b, a != b}));
  }
}

TEST(BigInteger, LargeValuesAgreeWithEachOther) {
  std::mt19937_64 rng(99);
  for (int i = 0; i < 300; ++i) {
    const CBigInteger a = RandomBig(rng, 400);
    const CBigInteger b = RandomBig(rng, rng() % 2 ? 400 : 20);
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
  const CBigInteger x = CBigInteger::Pow10(90) - CBigInteger(1);
  const CBigInteger y = CBigInteger::Pow10(45) - CBigInteger(1);
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
    EXPECT_EQ(Text(out) + " " + Text(rest), (a / b).ToString() + " " + (a % b).ToString());
    const unsigned shift = static_cast<unsigned>(rng() % 20);
    out = va;
    CBigInteger::ShiftLeft(out, shift);
    EXPECT_EQ(Text(out), (a * CBigInteger::Pow10(shift)).ToString());
    CBigInteger::Pow10(shift, out);
    EXPECT_EQ(Text(out), CBigInteger::Pow10(shift).ToString());
    CBigInteger::Build((i % 2 ? "x-00" : "") + a.ToString(), out);
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
