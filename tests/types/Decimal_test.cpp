#include "vxxml/Decimal.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

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
  std::string s = RandomDigits(rng, 1 + rng() % intDigits);
  s.erase(0, std::min(s.find_first_not_of('0'), s.size() - 1));
  std::string fraction = RandomDigits(rng, rng() % 31);
  fraction.erase(fraction.find_last_not_of('0') + 1);  // all zeros: nothing
  if (!fraction.empty()) s += "." + fraction;
  if (s != "0" && rng() % 2) s.insert(0, 1, '-');
  return s;
}

}  // namespace

TEST(Decimal, ParseAndPrint) {
  struct Case {
    std::string in;
    const char* out;
  } cases[] = {
      {"1.50", "1.5"}, {"-0.5", "-0.5"}, {"0.001", "0.001"}, {"1.5E3", "1500"}, {"15E-1", "1.5"},
      {"1 000.5", "1000.5"}, {"", "0"}, {"-0.0", "0"}, {".", "0"}, {"e", "0"}, {".5", "0.5"},
      {"5.", "5"}, {"-+5", "5"}, {" \t\r\n12.5\n", "12.5"}, {"1e", "1"}, {"1e+2", "100"},
      {"1.25e1", "12.5"}, {"12.5e-3", "0.0125"}, {"0e999999999999999999999", "0"},
      {"1e-999999999999999999999", "0"}, {"5-", "-5"},  // a sign counts anywhere before the point
      // 18 digits fit 64 bits even scaled by ten; 19 go the long way.
      {"-999999999999999999", "-999999999999999999"}, {"+0000012.5000", "12.5"},
      {"9999999999999999999", "9999999999999999999"}, {"9999999999999999.90", "9999999999999999.9"},
      {"-123456789012345678901234567890.123456789012345678901234567890",
       "-123456789012345678901234567890.12345678901234567890123456789"},
      // More than 30 fraction digits are rounded, an exact half toward zero.
      {"0.1234567890123456789012345678904", "0.12345678901234567890123456789"},
      {"0.1234567890123456789012345678906", "0.123456789012345678901234567891"},
      {"0.0000000000000000000000000000005", "0"}, {"9.9999999999999999999999999999999999", "10"},
      // A negative exponent divides: the quotient is cut after 32 digits first.
      {"6e-31", "0.000000000000000000000000000001"}, {"5.01e-31", "0"},
      {"0.000000000000000000000000000000501", "0.000000000000000000000000000001"},
      {std::string("1.5\0" "7", 5), "1.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(CDecimal(c.in.c_str()).ToString(), c.out) << c.in;
  EXPECT_EQ(CDecimal(static_cast<const char*>(nullptr)).ToString(), "0");
  const std::string text = "-12345.678901234567890123456789012345e-3";
  for (size_t n = 0; n <= text.size(); ++n) {
    const CDecimal d(text.substr(0, n).c_str());
    EXPECT_EQ(CDecimal(d.ToString().c_str()), d) << n;
  }
  EXPECT_EQ(CDecimal(text.c_str()).ToString(), "-12.345678901234567890123456789012");
}

TEST(Decimal, InvalidText) {
  const std::string invalid =
      "The string representing a Decimal, contained an invalid char at position ";
  const std::string longer = "The exponent of a Decimal makes it longer than 400 digits [";
  struct Case {
    const char* in;
    std::string message;
  } cases[] = {
      {"1.2.3", invalid + "3 [1.2.3]"}, {"abc", invalid + "0 [abc]"},
      {"1.-5", invalid + "2 [1.-5]"},   {"1e--5", invalid + "3 [1e--5]"},
      {"1e5-", invalid + "3 [1e5-]"},   {"1e.5", invalid + "2 [1e.5]"},
      {"%s%n", invalid + "0 [%s%n]"},
      // An exponent lengthens a short text to 400 digits at most.
      {"1E400", longer + "1E400]"},     {"0.01E402", longer + "0.01E402]"},
      {"-2.5E99999999999999999999", longer + "-2.5E99999999999999999999]"},
  };
  for (const Case& c : cases)
    ExpectFailure<CVxInvalidValueException>([&] { CDecimal d(c.in); }, c.message);
  CDecimal d("2.5");
  ExpectFailure<CVxInvalidValueException>(
      [&] { d.Parse("x"); },
      "The string representing a Decimal, contained an invalid char at position 0 [x]");
  EXPECT_EQ(d.ToString(), "2.5");
  ExpectFailure<CVxInvalidValueException>([] { CDecimal(std::numeric_limits<double>::quiet_NaN()); },
                                          invalid + "0 [nan\n]");
}

TEST(Decimal, VeryLongText) {
  std::mt19937_64 rng(3);
  const std::string integral = "7" + RandomDigits(rng, 99999);
  const std::string fraction = RandomDigits(rng, 100000);
  EXPECT_EQ(CDecimal(("-" + integral + ".25").c_str()).ToString(), "-" + integral + ".25");
  EXPECT_LE(CDecimal(("0." + fraction).c_str()).ToString().size(), 32u);
  EXPECT_EQ(CDecimal(("1e" + std::string(100000, '0')).c_str()).ToString(), "1");
  // An exponent may lengthen a text to 400 digits, 4 per character, 100000 at most.
  EXPECT_EQ(CDecimal("1E399").ToString(), "1" + std::string(399, '0'));
  EXPECT_EQ(CDecimal("0.01E401").ToString(), "1" + std::string(399, '0'));
  const std::string zeros(29993, '0'), few = zeros.substr(0, 145);
  EXPECT_EQ(CDecimal((few + "1E599").c_str()).ToString(), "1" + std::string(599, '0'));
  EXPECT_EQ(CDecimal((zeros + "1E99999").c_str()).ToString(), "1" + std::string(99999, '0'));
  const std::string longer = "The exponent of a Decimal makes it longer than ";
  ExpectFailure<CVxInvalidValueException>([&] { CDecimal((few + "1E600").c_str()); },
                                          longer + "600 digits [" + few + "1E600]");
  ExpectFailure<CVxInvalidValueException>([&] { CDecimal((zeros + "1E100000").c_str()); },
                                          longer + "100000 digits [" + zeros + "1E100000]");
  EXPECT_EQ(CDecimal((integral + "e-100000").c_str()).ToString(), "0.7" + integral.substr(1, 29));
}

TEST(Decimal, Rounding) {
  // ToString(n) rounds half away from zero; ChangeFractionalDivider half
  // toward zero, and keeps the divider it was given.
  struct Case {
    const char* in;
    int digits;
    const char* fixed;
    const char* changed;
  } cases[] = {
      {"1.005", 2, "1.01", "1"},        {"1.004", 2, "1.00", "1"},
      {"-1.005", 2, "-1.01", "-1"},     {"0.995", 2, "1.00", "0.99"},
      {"2.5", 0, "3", "2"},             {"2.6", 0, "3", "3"},
      {"1.5", 5, "1.50000", "1.50000"}, {"-0.001", 2, "-0.00", "0"},
      {"9.96", 1, "10.0", "10"},        {"1.25", 1, "1.3", "1.2"},
      {"-1.26", 1, "-1.3", "-1.3"},     {"-0.15", 1, "-0.2", "-0.1"},
  };
  for (const Case& c : cases) {
    CDecimal d(c.in);
    EXPECT_EQ(d.ToString(c.digits), c.fixed) << c.in;
    d.ChangeFractionalDivider(c.digits);
    EXPECT_EQ(d.ToString(), c.changed) << c.in;
    EXPECT_EQ(d.GetDivider(), c.digits) << c.in;
  }
  CDecimal d("1.5");
  const std::string range = "Number of decimal digits out of range [";
  ExpectFailure<CVxInvalidParamException>([&] { d.ToString(-1); }, range + "-1]");
  ExpectFailure<CVxInvalidParamException>([&] { d.ChangeFractionalDivider(2000000); },
                                          range + "2000000]");
  EXPECT_EQ(d.ToString(), "1.5");

  CDecimal a("1.5"), b("2.25");
  EXPECT_EQ(CDecimal::Normalize(a, b), 2);
  EXPECT_EQ(a.ToString() + " " + b.ToString(), "1.50 2.25");
  a.Rationalise();
  EXPECT_EQ(a.GetDivider(), 1);
}

TEST(Decimal, Construction) {
  // Integral part, fraction digits and how many places they take.
  const auto Of = [](int i, int f, int places) {
    return CDecimal(CBigInteger(i), CBigInteger(f), places).ToString();
  };
  EXPECT_EQ(Of(1, 5, 1) + " " + Of(-1, -5, 1) + " " + Of(0, -5, 1) + " " + Of(1, 5, 3) + " " +
                Of(1, 50, 2) + " " + Of(2, 3, -2),
            "1.5 -1.5 -0.5 1.005 1.50 302");
  ExpectFailure<CVxInvalidParamException>([] { CDecimal(CBigInteger(1), CBigInteger(1), 1000001); },
                                          "Number of decimal digits out of range [1000001]");
  EXPECT_EQ(CDecimal(CBigInteger("123456789012345678901234567890")).ToString(),
            "123456789012345678901234567890");
  EXPECT_EQ(CDecimal(1.0 / 3).ToString() + " " + CDecimal(-2.5).ToString() + " " +
                CDecimal(1e20).ToString(),
            "0.3333333333333 -2.5 100000000000000000000");
}

TEST(Decimal, Arithmetic) {
  struct Case {
    std::string a;
    char op;
    std::string b;
    const char* out;
  } cases[] = {
      {"1", '/', "3", "0.333333333333333333333333333333"},
      {"2", '/', "3", "0.666666666666666666666666666667"},
      {"-2", '/', "3", "-0.666666666666666666666666666667"},
      {"1", '/', "0.001", "1000"}, {"1", '/', "1e40", "0"},
      {"1e40", '/', "1e-10", "1" "00000000000000000000000000000000000000000000000000"},
      {"0.1", '+', "0.2", "0.3"}, {"1.5", '+', "-1.5", "0"}, {"0.7", '-', "1", "-0.3"},
      {"1.5", '*', "1.5", "2.25"}, {"0.000000000000001", '*', "0.0000000000000005", "0"},
      {"0.000000000000001", '*', "0.0000000000000006", "0.000000000000000000000000000001"},
  };
  for (const Case& c : cases) {
    const CDecimal a(c.a.c_str()), b(c.b.c_str());
    CDecimal r = a, s;
    switch (c.op) {
      case '+': s = a + b; r += b; break;
      case '-': s = a - b; r -= b; break;
      case '*': s = a * b; r *= b; break;
      default: s = a / b; r /= b; break;
    }
    EXPECT_EQ(s.ToString() + " " + r.ToString(), std::string(c.out) + " " + c.out)
        << c.a << c.op << c.b;
  }
  CDecimal one(1);
  for (const char* zero : {"", "0.000"})
    ExpectFailure<CVxInvalidValueException>([&] { one /= CDecimal(zero); },
                                            "ERROR: Overflow in operator/.");
  EXPECT_EQ(one.ToString(), "1");
  CDecimal x("0.5");
  const std::string post = (x++).ToString(), pre = (++x).ToString();
  const std::string postDown = (x--).ToString(), preDown = (--x).ToString();
  EXPECT_EQ(post + " " + pre + " " + postDown + " " + preDown, "0.5 2.5 2.5 0.5");
  x.Negate();
  EXPECT_TRUE(x.GetNegative() && !CDecimal("-0").GetNegative());
}

TEST(Decimal, Comparison) {
  const char* ordered[] = {"-1e40", "-2.5", "-2.25", "-1", "-0.000000000000000000000000000001",
                           "0", "0.000000000000000000000000000001", "0.1", "0.25", "1", "1.0000001",
                           "123456789012345678901234567890", "1e40"};
  const size_t n = sizeof ordered / sizeof ordered[0];
  for (size_t k = 0; k < n * n; ++k) {
    const size_t i = k / n, j = k % n;
    const CDecimal a(ordered[i]), b(ordered[j]);
    EXPECT_EQ(std::vector<bool>({a < b, a <= b, a > b, a >= b, a == b, a != b}),
              std::vector<bool>({i < j, i <= j, i > j, i >= j, i == j, i != j}))
        << ordered[i] << " " << ordered[j];
  }
  CDecimal a("1.5"), b("1.50");
  CDecimal::Normalize(a, b);
  a.ChangeFractionalDivider(5);
  EXPECT_EQ(a, CDecimal("1.5"));
}

TEST(Decimal, Conversions) {
  EXPECT_EQ(CDecimal("2.5").ToBigInteger().ToString() + " " +
                CDecimal("2.6").ToBigInteger().ToString() + " " +
                CDecimal("-2.5").ToBigInteger().ToString() + " " +
                CDecimal("-12.9").GetIntegral().ToString(),
            "2 3 -2 -12");
  // To a whole number: rounded to one fraction digit, an exact half toward
  // zero, then cut.
  std::string whole;
  for (const char* in : {"-9223372036854775808", "9223372036854775807.5", "-9223372036854775808.9",
                         "2.95", "2.96", "-0.4"})
    whole += std::to_string(CDecimal(in).ToLongLong()) + " ";
  EXPECT_EQ(whole, "-9223372036854775808 9223372036854775807 -9223372036854775808 2 3 0 ");
  const std::string large = "The Decimal value if to large to fit into a ";
  for (const char* bad : {"9223372036854775808", "-9223372036854775809", "9223372036854775807.96"})
    ExpectFailure<CVxOverFlowException>([bad] { CDecimal(bad).ToLongLong(); }, large + "LONGLONG");
  EXPECT_EQ(CDecimal("-2147483648").ToLong(), -2147483648L);
  ExpectFailure<CVxOverFlowException>([] { CDecimal("2147483648").ToLong(); }, large + "LONG");
  EXPECT_TRUE(CDecimal("-0.1").ToDouble() == -0.1 && CDecimal("1.7E+308").ToDouble() == 1.7e308);
  EXPECT_EQ(CDecimal(CBigInteger(1), CBigInteger(1), 1000).ToDouble(), 1.0);
  const std::string huge = "17" + std::string(306, '0') + "1";
  for (const char* bad : {"1.8E+308", huge.c_str()})
    ExpectFailure<CVxOverFlowException>([&] { CDecimal(bad).ToDouble(); }, large + "Double");
}

TEST(Decimal, RoundTripAndArithmeticProperties) {
  std::mt19937_64 rng(424242);
  for (int i = 0; i < 400; ++i) {
    const std::string ta = RandomDecimalText(rng, i % 4 ? 20 : 200);
    const std::string tb = RandomDecimalText(rng, 20);
    const CDecimal a(ta.c_str()), b(tb.c_str());
    ASSERT_EQ(a.ToString(), ta);
    EXPECT_EQ((a + b) - b, a) << ta << " " << tb;
    EXPECT_EQ(a + b, b + a);
    EXPECT_EQ(a - b, (b - a) * CDecimal(-1));
    EXPECT_EQ(a < b, (b - a) > CDecimal());
    if (a.GetDivider() + b.GetDivider() <= CDecimal::m_maxDivider && b != CDecimal()) {
      EXPECT_EQ((a * b) / b, a) << ta << " * " << tb;
    }
    // Fixed digits: the printed value is within half a unit of the value.
    const int digits = int(rng() % 8);
    CDecimal diff = CDecimal(a.ToString(digits).c_str()) - a;
    if (diff.GetNegative()) diff.Negate();
    EXPECT_LE(diff, CDecimal(CBigInteger(0), CBigInteger(5), digits + 1)) << ta << " " << digits;
  }
}
