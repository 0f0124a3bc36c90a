#include "vxxml/Conversions.h"
#include "vxxml/BinaryData.h"

#include <gtest/gtest.h>

#include <clocale>

#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using C = CConversions;
using WS = CWhitespaceUtils;

namespace {
const auto None = WS::WhitespaceRule_None;
const auto Collapse = WS::WhitespaceRule_Collapse;
}  // namespace

TEST(Conversions, NumbersIgnoreTheApplicationsDecimalComma) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
  EXPECT_EQ(C::r8ToString(2.5), "2.5");
  EXPECT_EQ(C::r8FromString("2.5", None), 2.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Conversions, BooleanCharStringBinary) {
  EXPECT_TRUE(C::booleanFromString(" 1 ", Collapse));
  EXPECT_FALSE(C::booleanFromString("False", None));
  EXPECT_FALSE(C::booleanFromString("0", None));
  const std::string valid = "]. Valid values are 'true', 'false', '1', or '0'";
  vxtest::ExpectFailure<CVxInvalidValueException>(
      [] { C::booleanFromString(" yes ", Collapse); },
      "A Boolean Value read from an XML document was invalid [ yes " + valid);
  vxtest::ExpectFailure<CVxInvalidValueException>(
      [] { C::booleanFromString(std::string("true\0x", 6), None); },
      "A Boolean Value read from an XML document was invalid [true" + valid);
  EXPECT_EQ(C::booleanToString(false), "false");
  EXPECT_EQ(C::charFromString(" x ", Collapse), 'x');
  for (const char* bad : {"", "xy"}) {
    vxtest::ExpectFailure<CVxInvalidValueException>(
        [&] { C::charFromString(bad, None); },
        std::string("The value [") + bad +
            "] can not be a char as it is either empty of greater than 1 char long");
  }
  EXPECT_EQ(C::stringFromString(" a \r\n b ", WS::WhitespaceRule_Preserve), " a \n b ");
  EXPECT_EQ(C::base64BinaryToString(C::base64BinaryFromString("TW\r\nFu", None)), "TWFu");
  vxtest::ExpectFailure<CVxException>([] { C::hexBinaryFromString("0G", None); },
                                      "Invalid char in hex string [G]");
}
