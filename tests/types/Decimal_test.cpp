#include "vxxml/Decimal.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <type_traits>

#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using vxtest::ExpectFailure;

// A floating value would lose its fraction through the int constructor: only
// the explicit double constructor takes one.
static_assert(!std::is_convertible<double, CDecimal>::value &&
                  !std::is_convertible<float, CDecimal>::value &&
                  std::is_constructible<CDecimal, double>::value,
              "CDecimal d = 19.99; must not compile");

namespace {

std::string RandomDigits(std::mt19937_64& rng, size_t count) {
  std::string s;
  for (size_t i = 0; i < count; ++i) s += char('0' + rng() % 10);
  return s;
}

// Canonical text of a random decimal with up to `intDigits` integral and up
// to 30 fraction digits.
std::string RandomDecimalText(std::mt19937_64& rng, size_t intDigits) {
  std::string integral = RandomDigits(rng, 1 + rng() % intDigits);
  integral.erase(0, std::min(integral.find_first_not_of('0'), integral.size() - 1));
  std::string fraction = RandomDigits(rng, rng() % 31);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string s = integral;
  if (!fraction.empty()) s += "." + fraction;
  if (s != "0" && rng() % 2) s.insert(0, 1, '-');
  return s;
}

}  // namespace

TEST(Decimal, ParseAndPrint) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"1.50", "1.5"},
      {"1.0", "1"},
      {"-0.5", "-0.5"},
      {"0.001", "0.001"},
      {"1.5E3", "1500"},
      {"15E-1", "1.5"},
      {"1 000.5", "1000.5"},
      {"", "0"},
      {"-0", "0"},
      {"-0.0", "0"},
      {"-", "0"},
      {"+", "0"},
      {".", "0"},
      {"e", "0"},
      {"-e-", "0"},
      {".5", "0.5"},
      {"-.25", "-0.25"},
      {"5.", "5"},
      {"+7", "7"},
      {"5-", "-5"},  // a sign counts wherever it stands before the point
      {"-+5", "5"},
      {" \t\r\n12.5\n", "12.5"},
      {"1e", "1"},
      {"1e+2", "100"},
      {"1E-2", "0.01"},
      {"1.25e1", "12.5"},
      {"12.5e-3", "0.0125"},
      {"1e 2", "100"},
      {"1e- 2", "0.01"},
      {"1e2 1", "1e21"},
      {"0e999999999999999999999", "0"},
      {"1e-999999999999999999999", "0"},
      {"-123456789012345678901234567890.123456789012345678901234567890",
       "-123456789012345678901234567890.12345678901234567890123456789"},
      // More than 30 fraction digits are rounded, an exact half toward zero.
      {"0.1234567890123456789012345678904", "0.12345678901234567890123456789"},
      {"0.1234567890123456789012345678906", "0.123456789012345678901234567891"},
      {"0.0000000000000000000000000000005", "0"},
      {"-0.0000000000000000000000000000006", "-0.000000000000000000000000000001"},
      {"0.12999999999999999999999999999999999", "0.13"},
      {"9.9999999999999999999999999999999999", "10"},
      // A negative exponent divides: the quotient is cut after 32 digits first.
      {"6e-31", "0.000000000000000000000000000001"},
      {"5e-31", "0"},
      {"5.01e-31", "0"},
      {"0.000000000000000000000000000000501", "0.000000000000000000000000000001"},
  };
  for (const Case& c : cases) {
    std::string expected = c.out;
    if (expected == "1e21") expected = "1000000000000000000000";
    EXPECT_EQ(CDecimal(c.in).ToString(), expected) << c.in;
  }
  EXPECT_EQ(CDecimal(static_cast<const char*>(nullptr)).ToString(), "0");
  EXPECT_EQ(CDecimal(std::string("1.5\0" "7", 5).c_str()).ToString(), "1.5");
}

TEST(Decimal, InvalidText) {
  struct Case {
    const char* in;
    const char* message;
  } cases[] = {
      {"1.2.3", "The string representing a Decimal, contained an invalid char at position 3 [1.2.3]"},
      {"12a", "The string representing a Decimal, contained an invalid char at position 2 [12a]"},
      {"abc", "The string representing a Decimal, contained an invalid char at position 0 [abc]"},
      {"1,5", "The string representing a Decimal, contained an invalid char at position 1 [1,5]"},
      {"1.-5", "The string representing a Decimal, contained an invalid char at position 2 [1.-5]"},
      {"1e5e", "The string representing a Decimal, contained an invalid char at position 3 [1e5e]"},
      {"1e--5", "The string representing a Decimal, contained an invalid char at position 3 [1e--5]"},
      {"1e5-", "The string representing a Decimal, contained an invalid char at position 3 [1e5-]"},
      {"1e.5", "The string representing a Decimal, contained an invalid char at position 2 [1e.5]"},
      {"%s%n", "The string representing a Decimal, contained an invalid char at position 0 [%s%n]"},
      // An exponent lengthens a short text to 400 digits at most.
      {"9E999999", "The exponent of a Decimal makes it longer than 400 digits [9E999999]"},
      {"1E400", "The exponent of a Decimal makes it longer than 400 digits [1E400]"},
      {"0.01E402", "The exponent of a Decimal makes it longer than 400 digits [0.01E402]"},
      {"-2.5E99999999999999999999",
       "The exponent of a Decimal makes it longer than 400 digits [-2.5E99999999999999999999]"},
  };
  for (const Case& c : cases) {
    ExpectFailure<CVxInvalidValueException>([&] { CDecimal d(c.in); }, c.message);
  }
  CDecimal d("2.5");
  EXPECT_THROW(d.Parse("x"), CVxInvalidValueException);
  EXPECT_EQ(d.ToString(), "2.5");
  ExpectFailure<CVxInvalidValueException>(
      [] { CDecimal d(std::numeric_limits<double>::quiet_NaN()); },
      "The string representing a Decimal, contained an invalid char at position 0 [nan\n]");
}

TEST(Decimal, EveryPrefixOfValidText) {
  const std::string text = "-12345.678901234567890123456789012345e-3";
  for (size_t n = 0; n <= text.size(); ++n) {
    const std::string prefix = text.substr(0, n);
    CDecimal d(prefix.c_str());
    EXPECT_EQ(CDecimal(d.ToString().c_str()), d) << prefix;
  }
  EXPECT_EQ(CDecimal(text.c_str()).ToString(), "-12.345678901234567890123456789012");
}

TEST(Decimal, VeryLongText) {
  std::mt19937_64 rng(3);
  const std::string integral = "7" + RandomDigits(rng, 99999);
  const std::string fraction = RandomDigits(rng, 100000);
  EXPECT_EQ(CDecimal(integral.c_str()).ToString(), integral);
  EXPECT_EQ(CDecimal(("-" + integral + ".25").c_str()).ToString(), "-" + integral + ".25");
  const std::string longFraction = CDecimal(("0." + fraction).c_str()).ToString();
  EXPECT_LE(longFraction.size(), 32u);
  EXPECT_EQ(CDecimal(("1e" + std::string(100000, '0')).c_str()).ToString(), "1");
  // An exponent may lengthen a text to 400 digits, 4 per character, 100000 at most.
  EXPECT_EQ(CDecimal("1E399").ToString(), "1" + std::string(399, '0'));
  EXPECT_EQ(CDecimal("0.01E401").ToString(), "1" + std::string(399, '0'));
  const std::string zeros(29993, '0');
  EXPECT_EQ(CDecimal((zeros.substr(0, 145) + "1E599").c_str()).ToString(), "1" + std::string(599, '0'));
  EXPECT_EQ(CDecimal((zeros + "1E99999").c_str()).ToString(), "1" + std::string(99999, '0'));
  ExpectFailure<CVxInvalidValueException>(
      [&] { CDecimal((zeros.substr(0, 145) + "1E600").c_str()); },
      "The exponent of a Decimal makes it longer than 600 digits [" + zeros.substr(0, 145) + "1E600]");
  ExpectFailure<CVxInvalidValueException>(
      [&] { CDecimal((zeros + "1E100000").c_str()); },
      "The exponent of a Decimal makes it longer than 100000 digits [" + zeros + "1E100000]");
  EXPECT_EQ(CDecimal(("0." + std::string(100000, '0') + "1").c_str()).ToString(), "0");
  EXPECT_EQ(CDecimal((integral + "e-100000").c_str()).ToString(), "0.7" + integral.substr(1, 29));
  EXPECT_THROW(CDecimal((integral + "x").c_str()), CVxInvalidValueException);
  // Exponent digit runs of any length: saturated, never wrapped.
  const std::string nines(100000, '9');
  EXPECT_EQ(CDecimal(("5e-" + nines).c_str()).ToString(), "0");
  EXPECT_THROW(CDecimal(("5e" + nines).c_str()), CVxInvalidValueException);
  EXPECT_EQ(CDecimal(("0e" + nines).c_str()).ToString(), "0");
}

TEST(Decimal, FixedDigits) {
  struct Case {
    const char* in;
    int digits;
    const char* out;
  } cases[] = {
      {"1.005", 2, "1.01"},  {"1.004", 2, "1.00"}, {"-1.005", 2, "-1.01"}, {"0.995", 2, "1.00"},
      {"2", 0, "2"},         {"2.5", 0, "3"},      {"-2.5", 0, "-3"},      {"2.49", 0, "2"},
      {"1.5", 5, "1.50000"}, {"0", 2, "0.00"},     {"-0.001", 2, "-0.00"}, {"9.96", 1, "10.0"},
      {"123.456", 1, "123.5"}, {"-0.05", 1, "-0.1"},
  };
  for (const Case& c : cases) EXPECT_EQ(CDecimal(c.in).ToString(c.digits), c.out) << c.in;
  ExpectFailure<CVxInvalidParamException>([] { CDecimal(1).ToString(-1); },
                                          "Number of decimal digits out of range [-1]");
}

TEST(Decimal, ChangeFractionalDivider) {
  struct Case {
    const char* in;
    int n;
    const char* out;
  } cases[] = {
      {"9.96", 1, "10"},  {"1.25", 1, "1.2"},   {"-1.25", 1, "-1.2"}, {"1.26", 1, "1.3"},
      {"2.5", 0, "2"},    {"2.6", 0, "3"},      {"-2.6", 0, "-3"},    {"1.5", 3, "1.500"},
      {"-0.96", 1, "-1"}, {"-0.04", 1, "0"},    {"0.96", 1, "1"},     {"-9.96", 1, "-10"},
      {"-0.15", 1, "-0.1"}, {"2", 3, "2"},      {"99.999", 2, "100"},
  };
  for (const Case& c : cases) {
    CDecimal d(c.in);
    d.ChangeFractionalDivider(c.n);
    EXPECT_EQ(d.ToString(), c.out) << c.in;
    EXPECT_EQ(d.GetDivider(), c.n) << c.in;
  }
  CDecimal d("1.5");
  ExpectFailure<CVxInvalidParamException>([&] { d.ChangeFractionalDivider(-1); },
                                          "Number of decimal digits out of range [-1]");
  ExpectFailure<CVxInvalidParamException>([&] { d.ChangeFractionalDivider(2000000); },
                                          "Number of decimal digits out of range [2000000]");
  EXPECT_EQ(d.ToString(), "1.5");
}

TEST(Decimal, NormalizeAndRationalise) {
  CDecimal a("1.5"), b("2.25");
  EXPECT_EQ(CDecimal::Normalize(a, b), 2);
  EXPECT_EQ(a.ToString(), "1.50");
  EXPECT_EQ(b.ToString(), "2.25");
  a.Rationalise();
  EXPECT_EQ(a.GetDivider(), 1);
  CDecimal c(7), e("3");
  EXPECT_EQ(CDecimal::Normalize(c, e), 1);
  CDecimal z("0.000");
  EXPECT_EQ(z.GetDivider(), 1);
}

TEST(Decimal, Construction) {
  EXPECT_EQ(CDecimal(CBigInteger(1), CBigInteger(5), 1).ToString(), "1.5");
  EXPECT_EQ(CDecimal(CBigInteger(-1), CBigInteger(-5), 1).ToString(), "-1.5");
  EXPECT_EQ(CDecimal(CBigInteger(0), CBigInteger(-5), 1).ToString(), "-0.5");
  EXPECT_EQ(CDecimal(CBigInteger(1), CBigInteger(5), 3).ToString(), "1.005");
  EXPECT_EQ(CDecimal(CBigInteger(1), CBigInteger(50), 2).ToString(), "1.50");
  EXPECT_EQ(CDecimal(CBigInteger(2), CBigInteger(3), -2).ToString(), "302");
  ExpectFailure<CVxInvalidParamException>(
      [] { CDecimal(CBigInteger(1), CBigInteger(1), 1000001); },
      "Number of decimal digits out of range [1000001]");
  EXPECT_EQ(CDecimal(-42).ToString(), "-42");
  EXPECT_EQ(CDecimal(CBigInteger("123456789012345678901234567890")).ToString(),
            "123456789012345678901234567890");
  EXPECT_EQ(CDecimal(0.1).ToString(), "0.1");
  EXPECT_EQ(CDecimal(1.0 / 3).ToString(), "0.3333333333333");
  EXPECT_EQ(CDecimal(-2.5).ToString(), "-2.5");
  EXPECT_EQ(CDecimal(1e20).ToString(), "100000000000000000000");
}

TEST(Decimal, Arithmetic) {
  struct Case {
    const char* a;
    char op;
    const char* b;
    const char* out;
  } cases[] = {
      {"1", '/', "3", "0.333333333333333333333333333333"},
      {"2", '/', "3", "0.666666666666666666666666666667"},
      {"-2", '/', "3", "-0.666666666666666666666666666667"},
      {"10", '/', "4", "2.5"},
      {"1", '/', "0.001", "1000"},
      {"0.000000000000000000000000000001", '/', "1000", "0"},
      {"1", '/', "1e40", "0"},
      {"1e40", '/', "1e-10", "1" "00000000000000000000000000000000000000000000000000"},
      {"0.1", '+', "0.2", "0.3"},
      {"1.5", '+', "-1.5", "0"},
      {"-0.5", '+', "0.25", "-0.25"},
      {"0.7", '-', "1", "-0.3"},
      {"-1.75", '-', "-0.25", "-1.5"},
      {"1.5", '*', "1.5", "2.25"},
      {"-1.5", '*', "2", "-3"},
      {"0.000000000000001", '*', "0.0000000000000005", "0"},
      {"0.000000000000001", '*', "0.0000000000000006", "0.000000000000000000000000000001"},
      {"123456789.123456789", '*', "-1000", "-123456789123.456789"},
  };
  for (const Case& c : cases) {
    const CDecimal a(c.a), b(c.b);
    CDecimal r = a, s;
    switch (c.op) {
      case '+': s = a + b; r += b; break;
      case '-': s = a - b; r -= b; break;
      case '*': s = a * b; r *= b; break;
      default: s = a / b; r /= b; break;
    }
    EXPECT_EQ(s.ToString(), c.out) << c.a << c.op << c.b;
    EXPECT_EQ(r.ToString(), c.out) << c.a << c.op << c.b;
  }
  CDecimal one(1), zero;
  ExpectFailure<CVxInvalidValueException>([&] { (void)(one / zero); },
                                          "ERROR: Overflow in operator/.");
  ExpectFailure<CVxInvalidValueException>([&] { one /= CDecimal("0.000"); },
                                          "ERROR: Overflow in operator/.");
  EXPECT_EQ(one.ToString(), "1");
  CDecimal x("0.5");
  EXPECT_EQ((x++).ToString(), "0.5");
  EXPECT_EQ(x.ToString(), "1.5");
  EXPECT_EQ((++x).ToString(), "2.5");
  EXPECT_EQ((x--).ToString(), "2.5");
  EXPECT_EQ((--x).ToString(), "0.5");
  x.Negate();
  EXPECT_EQ(x.ToString(), "-0.5");
  EXPECT_TRUE(x.GetNegative());
  EXPECT_FALSE(CDecimal("-0").GetNegative());
}

TEST(Decimal, Comparison) {
  const char* ordered[] = {"-1e40", "-2.5", "-2.25", "-1", "-0.000000000000000000000000000001",
                           "0", "0.000000000000000000000000000001", "0.1", "0.25", "1", "1.0000001",
                           "123456789012345678901234567890", "1e40"};
  const size_t n = sizeof ordered / sizeof ordered[0];
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = 0; j < n; ++j) {
      const CDecimal a(ordered[i]), b(ordered[j]);
      EXPECT_EQ(a < b, i < j) << ordered[i] << " " << ordered[j];
      EXPECT_EQ(a <= b, i <= j);
      EXPECT_EQ(a > b, i > j);
      EXPECT_EQ(a >= b, i >= j);
      EXPECT_EQ(a == b, i == j);
      EXPECT_EQ(a != b, i != j);
    }
  }
  CDecimal a("1.5"), b("1.50");
  CDecimal::Normalize(a, b);
  a.ChangeFractionalDivider(5);
  EXPECT_EQ(a, CDecimal("1.5"));
}

TEST(Decimal, Conversions) {
  EXPECT_EQ(CDecimal("2.5").ToBigInteger().ToString(), "2");
  EXPECT_EQ(CDecimal("2.6").ToBigInteger().ToString(), "3");
  EXPECT_EQ(CDecimal("-2.5").ToBigInteger().ToString(), "-2");
  EXPECT_EQ(CDecimal("-2.51").ToBigInteger().ToString(), "-3");
  EXPECT_EQ(CDecimal("-12.9").GetIntegral().ToString(), "-12");

  struct LLCase {
    const char* in;
    long long out;
  } llCases[] = {{"9223372036854775807", 9223372036854775807LL},
                 {"-9223372036854775808", -9223372036854775807LL - 1},
                 {"9223372036854775807.5", 9223372036854775807LL},
                 {"-9223372036854775808.9", -9223372036854775807LL - 1},
                 {"2.94", 2}, {"2.95", 2}, {"2.96", 3}, {"-2.96", -3}, {"0", 0}, {"-0.4", 0}};
  for (const LLCase& c : llCases) EXPECT_EQ(CDecimal(c.in).ToLongLong(), c.out) << c.in;
  for (const char* bad : {"9223372036854775808", "-9223372036854775809", "9223372036854775807.96",
                          "1e30", "-1e399"}) {
    ExpectFailure<CVxOverFlowException>([bad] { CDecimal(bad).ToLongLong(); },
                                        "The Decimal value if to large to fit into a LONGLONG");
  }

  EXPECT_EQ(CDecimal("2147483647").ToLong(), 2147483647L);
  EXPECT_EQ(CDecimal("-2147483648").ToLong(), -2147483648L);
  EXPECT_EQ(CDecimal("-12.34").ToLong(), -12L);
  for (const char* bad : {"2147483648", "-2147483649", "2147483647.99"}) {
    ExpectFailure<CVxOverFlowException>([bad] { CDecimal(bad).ToLong(); },
                                        "The Decimal value if to large to fit into a LONG");
  }

  EXPECT_EQ(CDecimal("1.5").ToDouble(), 1.5);
  EXPECT_EQ(CDecimal("-0.1").ToDouble(), -0.1);
  EXPECT_EQ(CDecimal("1.7E+308").ToDouble(), 1.7e308);
  EXPECT_EQ(CDecimal("-1.7E+308").ToDouble(), -1.7e308);
  EXPECT_EQ(CDecimal(CBigInteger(1), CBigInteger(1), 1000).ToDouble(), 1.0);
  for (const char* bad : {"1.8E+308", "-1.8e308", "1e399", "170000000000000000000000000000000000000000000"
                          "000000000000000000000000000000000000000000000000000000000000000000000000000"
                          "000000000000000000000000000000000000000000000000000000000000000000000000000"
                          "000000000000000000000000000000000000000000000000000000000000000000000000000"
                          "00000000000000000000000000000000000000000000000000001"}) {
    ExpectFailure<CVxOverFlowException>([bad] { CDecimal(bad).ToDouble(); },
                                        "The Decimal value if to large to fit into a Double");
  }
}

TEST(Decimal, RoundTripAndArithmeticProperties) {
  std::mt19937_64 rng(424242);
  for (int i = 0; i < 400; ++i) {
    const std::string ta = RandomDecimalText(rng, i % 4 ? 20 : 200);
    const std::string tb = RandomDecimalText(rng, 20);
    const CDecimal a(ta.c_str()), b(tb.c_str());
    ASSERT_EQ(a.ToString(), ta);
    EXPECT_EQ(CDecimal(a.ToString().c_str()), a);
    EXPECT_EQ((a + b) - b, a) << ta << " " << tb;
    EXPECT_EQ(a + b, b + a);
    EXPECT_EQ(a - b, (b - a) * CDecimal(-1));
    EXPECT_EQ(a < b, (b - a) > CDecimal());
    if (a.GetDivider() + b.GetDivider() <= CDecimal::m_maxDivider) {
      const CDecimal p = a * b;
      if (b != CDecimal()) {
        EXPECT_EQ(p / b, a) << ta << " * " << tb;
      }
    }
    // Fixed digits: the printed value is within half a unit of the value.
    const int digits = int(rng() % 8);
    const CDecimal shown(a.ToString(digits).c_str());
    CDecimal half(CBigInteger(0), CBigInteger(5), digits + 1);
    CDecimal diff = shown - a;
    if (diff.GetNegative()) diff.Negate();
    EXPECT_LE(diff, half) << ta << " " << digits;
  }
}
