// Every kind is read, printed and named in the dispatcher test of
// Restrictions_test.cpp; these are the failures.
#include "vxxml/Variant.h"

#include <gtest/gtest.h>

#include "vxxml/Conversions.h"
#include "vxxml/Decimal.h"
#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using WS = CWhitespaceUtils;

// A failed read leaves the value as it was.
TEST(Variant, Failures) {
  VxVariant v;
  EXPECT_EQ(vxtest::Failure([&] { v.GetType(); }), vxtest::Named<CVxException>("Invalid Type 0"));
  v.SetI2(7);
  EXPECT_EQ(vxtest::Failure(
                [&] { v.FromString("1", static_cast<ItemType>(27), WS::WhitespaceRule_None); }),
            vxtest::Named<CVxException>("Invalid Type 4 to convert to string"));
  EXPECT_EQ(vxtest::Failure([&] { v.FromString("x", ItemType_i4, WS::WhitespaceRule_None); }),
            vxtest::Named<CVxInvalidValueException>("The value [x] can not be converted to a i4"));
  vxtest::ExpectFailure<CVxInvalidValueException>(
      [&] { v.FromString("2001-13-01", ItemType_date, WS::WhitespaceRule_None); },
      "Invalid Month [13] (1 <= month <= 12)");
  EXPECT_EQ(v.GetItemType(), ItemType_i2);
  EXPECT_EQ(v.GetI2(), 7);
  EXPECT_EQ(CConversions::decimalToString(CDecimal("-1.005"), "2"), "-1.01");
}
