#include "vxxml/Conversions.h"
#include "vxxml/BinaryData.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <limits>

#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using C = CConversions;
using WS = CWhitespaceUtils;

namespace {
const auto None = WS::WhitespaceRule_None;
const auto Collapse = WS::WhitespaceRule_Collapse;

template <class F>
::testing::AssertionResult ValueError(F&& f, const std::string& message) {
  return vxtest::Throws<CVxInvalidValueException>(f, message);
}
}  // namespace

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
  EXPECT_TRUE(ValueError([] { C::booleanFromString(" yes ", Collapse); },
            "A Boolean Value read from an XML document was invalid [ yes ]. Valid values are "
            "'true', 'false', '1', or '0'"));
  EXPECT_TRUE(ValueError([] { C::booleanFromString(std::string("true\0x", 6), None); },
            "A Boolean Value read from an XML document was invalid [true]. Valid values are "
            "'true', 'false', '1', or '0'"));
  EXPECT_EQ(C::charToString('x'), "x");
  EXPECT_EQ(C::charFromString(" x ", Collapse), 'x');
  EXPECT_TRUE(ValueError([] { C::charFromString("", None); },
            "The value [] can not be a char as it is either empty of greater than 1 char long"));
  EXPECT_TRUE(ValueError([] { C::charFromString("xy", None); },
            "The value [xy] can not be a char as it is either empty of greater than 1 char long"));
  EXPECT_EQ(C::stringFromString(" a \r\n b ", WS::WhitespaceRule_Preserve), " a \n b ");
  EXPECT_EQ(C::stringFromString(" a \r\n b ", Collapse), "a b");
  EXPECT_EQ(C::stringToString("s"), "s");
}

TEST(Conversions, Binary) {
  CBinaryData data = C::hexBinaryFromString(" 00abFF ", Collapse);
  EXPECT_EQ(C::hexBinaryToString(data), "00ABFF");
  EXPECT_EQ(C::base64BinaryToString(C::base64BinaryFromString("TW\r\nFu", None)), "TWFu");
  vxtest::ExpectFailure<CVxException>([] { C::hexBinaryFromString("0G", None); },
                                      "Invalid char in hex string [G]");
}
