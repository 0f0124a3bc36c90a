#include "vxxml/Conversions.h"
#include "vxxml/BinaryData.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <limits>

#include "vxxml/Exception.h"

using namespace VxXmlLib10;
using C = CConversions;
using WS = CWhitespaceUtils;

namespace {
const auto None = WS::WhitespaceRule_None;
const auto Collapse = WS::WhitespaceRule_Collapse;

template <class F>
std::string ValueError(F&& f) {
  try {
    f();
  } catch (const CVxInvalidValueException& e) {
    return e.GetFullMessage();
  } catch (const CVxException& e) {
    return "wrong class: " + e.GetFullMessage();
  }
  return "no exception";
}
}  // namespace

TEST(Conversions, IntegersToString) {
  EXPECT_EQ(C::i1ToString(-128), "-128");
  EXPECT_EQ(C::i2ToString(32767), "32767");
  EXPECT_EQ(C::i4ToString(-2147483647L - 1), "-2147483648");
  EXPECT_EQ(C::i8ToString(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(C::ui1ToString(255), "255");
  EXPECT_EQ(C::ui2ToString(65535), "65535");
  EXPECT_EQ(C::ui4ToString(4294967295UL), "4294967295");
  EXPECT_EQ(C::ui8ToString(UINT64_MAX), "18446744073709551615");
  EXPECT_EQ(C::yearToString(2024), "2024");
  EXPECT_EQ(C::monthToString(3), "--03");
  EXPECT_EQ(C::dayToString(7), "---07");
}

TEST(Conversions, IntegersFromString) {
  EXPECT_EQ(C::i4FromString("", None), 0);
  EXPECT_EQ(C::i4FromString(" 12", None), 12);
  EXPECT_EQ(C::i4FromString("12 ", Collapse), 12);
  EXPECT_EQ(C::i4FromString("+12", None), 12);
  EXPECT_EQ(C::i4FromString("-2147483648", None), INT32_MIN);
  EXPECT_EQ(C::i8FromString("9223372036854775807", None), INT64_MAX);
  EXPECT_EQ(C::i2FromString("-32768", None), -32768);
  EXPECT_EQ(C::i1FromString("\t-128\n", Collapse), -128);
  EXPECT_EQ(C::ui1FromString("+255", None), 255);
  EXPECT_EQ(C::ui2FromString("65535", None), 65535);
  EXPECT_EQ(C::ui4FromString("4294967295", None), 4294967295UL);
  EXPECT_EQ(C::ui4FromString("-1", None), 4294967295UL);  // negated modulo 2^32
  EXPECT_EQ(C::ui8FromString("-1", None), UINT64_MAX);
  EXPECT_EQ(C::ui8FromString("18446744073709551615", None), UINT64_MAX);
}

TEST(Conversions, IntegerFailures) {
  const struct {
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {[] { C::i4FromString("12 ", None); }, "The value [12 ] can not be converted to a i4"},
      {[] { C::i4FromString("2147483648", None); },
       "The value [2147483648] is to large to fit in a i4"},
      {[] { C::i4FromString("-2147483649", None); },
       "The value [-2147483649] is to large to fit in a i4"},
      {[] { C::i4FromString("0x10", None); }, "The value [0x10] can not be converted to a i4"},
      {[] { C::i4FromString("-", None); }, "The value [-] can not be converted to a i4"},
      {[] { C::i4FromString("+-1", None); }, "The value [+-1] can not be converted to a i4"},
      {[] { C::i4FromString(std::string("1\0" "2", 3), None); },
       "The value [1] can not be converted to a i4"},
      {[] { C::i8FromString("9223372036854775808", None); },
       "The value [9223372036854775808] is to large to fit in a i8"},
      {[] { C::i8FromString("1.5", None); }, "The value [1.5] can not be converted to a i8"},
      {[] { C::ui4FromString("4294967296", None); },
       "The value [4294967296] is to large to fit in a ui4"},
      {[] { C::ui4FromString("abc", None); }, "The value [abc] can not be converted to a ui4"},
      {[] { C::ui8FromString("18446744073709551616", None); },
       "The value [18446744073709551616] is to large to fit in a ui8"},
      {[] { C::ui8FromString("1e3", None); }, "The value [1e3] can not be converted to a ui8"},
      {[] { C::i1FromString("-129", None); }, "The value [-129] is to large to fit in a i1"},
      {[] { C::i1FromString(" 128 ", Collapse); },
       "The value [ 128 ] is to large to fit in a i1"},  // the caller's text
      {[] { C::i2FromString("32768", None); }, "The value [32768] is to large to fit in a i2"},
      {[] { C::i2FromString("99999999999", None); },
       "The value [99999999999] is to large to fit in a i4"},  // parsed as i4 first
      {[] { C::ui1FromString("256", None); }, "The value [256] is to large to fit in a ui1"},
      {[] { C::ui2FromString("-1", None); }, "The value [-1] is to large to fit in a ui2"},
      {[] { C::ui2FromString("x", None); }, "The value [x] can not be converted to a ui4"},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueError(c.call), c.message);
  std::string digits(100000, '9');
  EXPECT_EQ(ValueError([&] { C::i8FromString(digits, None); }),
            "The value [" + digits + "] is to large to fit in a i8");
}

TEST(Conversions, FloatingPoint) {
  EXPECT_EQ(C::r8ToString(1.0), "1");
  EXPECT_EQ(C::r8ToString(0.1), "0.1");
  EXPECT_EQ(C::r8ToString(1e21), "1e+21");
  EXPECT_EQ(C::r8ToString(0.5, "%.16g"), "0.5");
  EXPECT_EQ(C::r8ToString(2.5, "%.3f"), "2.500");
  EXPECT_EQ(C::r8ToString(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(C::r8ToString(-std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(C::r8ToString(std::nan("")), "NaN");
  EXPECT_EQ(C::r4ToString(0.1f), "0.1");
  EXPECT_EQ(C::r4ToString(3.4028235e38f), "3.402823e+38");
  EXPECT_EQ(C::r4ToString(-std::numeric_limits<float>::infinity()), "-INF");

  EXPECT_TRUE(std::isnan(C::r8FromString("", None)));
  EXPECT_TRUE(std::isnan(C::r8FromString("NaN", None)));
  EXPECT_TRUE(std::isnan(C::r8FromString("1.#QNAN", None)));
  EXPECT_TRUE(std::isnan(C::r4FromString("-NAN", None)));
  EXPECT_EQ(C::r8FromString("INF", None), std::numeric_limits<double>::infinity());
  EXPECT_EQ(C::r8FromString("-INF", None), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(C::r8FromString("1e400", None), std::numeric_limits<double>::infinity());
  EXPECT_EQ(C::r8FromString(" 2.5 ", Collapse), 2.5);
  EXPECT_EQ(C::r4FromString("0.1", None), 0.1f);
  EXPECT_EQ(ValueError([] { C::r8FromString("1,5", None); }),
            "The value [1,5] can not be converted to a r8");
  EXPECT_EQ(ValueError([] { C::r4FromString("inf x", None); }),
            "The value [inf x] can not be converted to a r4");
  EXPECT_EQ(ValueError([] { C::r8FromString("nan ", None); }),
            "The value [nan ] can not be converted to a r8");
}

TEST(Conversions, NumbersIgnoreTheApplicationsDecimalComma) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
  EXPECT_EQ(C::r8ToString(2.5), "2.5");
  EXPECT_EQ(C::r8FromString("2.5", None), 2.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Conversions, BooleanCharString) {
  EXPECT_EQ(C::booleanToString(true), "true");
  EXPECT_EQ(C::booleanToString(false), "false");
  EXPECT_TRUE(C::booleanFromString("TRUE", None));
  EXPECT_TRUE(C::booleanFromString(" 1 ", Collapse));
  EXPECT_FALSE(C::booleanFromString("False", None));
  EXPECT_FALSE(C::booleanFromString("0", None));
  EXPECT_EQ(ValueError([] { C::booleanFromString(" yes ", Collapse); }),
            "A Boolean Value read from an XML document was invalid [ yes ]. Valid values are "
            "'true', 'false', '1', or '0'");
  EXPECT_EQ(ValueError([] { C::booleanFromString(std::string("true\0x", 6), None); }),
            "A Boolean Value read from an XML document was invalid [true]. Valid values are "
            "'true', 'false', '1', or '0'");
  EXPECT_EQ(C::charToString('x'), "x");
  EXPECT_EQ(C::charFromString(" x ", Collapse), 'x');
  EXPECT_EQ(ValueError([] { C::charFromString("", None); }),
            "The value [] can not be a char as it is either empty of greater than 1 char long");
  EXPECT_EQ(ValueError([] { C::charFromString("xy", None); }),
            "The value [xy] can not be a char as it is either empty of greater than 1 char long");
  EXPECT_EQ(C::stringFromString(" a \r\n b ", WS::WhitespaceRule_Preserve), " a \n b ");
  EXPECT_EQ(C::stringFromString(" a \r\n b ", Collapse), "a b");
  EXPECT_EQ(C::stringToString("s"), "s");
}

TEST(Conversions, Binary) {
  CBinaryData data = C::hexBinaryFromString(" 00abFF ", Collapse);
  EXPECT_EQ(C::hexBinaryToString(data), "00ABFF");
  EXPECT_EQ(C::base64BinaryToString(C::base64BinaryFromString("TW\r\nFu", None)), "TWFu");
  try {
    C::hexBinaryFromString("0G", None);
    FAIL();
  } catch (const CVxException& e) {
    EXPECT_EQ(e.GetFullMessage(), "Invalid char in hex string [G]");
  }
}
