// Every kind is read, printed and named in the dispatcher test of
// Restrictions_test.cpp; these are the failures.
#include "vxxml/Variant.h"

#include <gtest/gtest.h>

#include "vxxml/Conversions.h"
#include "vxxml/Decimal.h"
#include "vxxml/Exception.h"
#include "vxxml/GeneratedCode.h"
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

// A variant that lends holds the member itself: a copy owns its value, and
// clearing frees nothing of the member's (ASan).
TEST(Variant, LentValues) {
  const std::string text = "a text longer than any string's inline buffer";
  std::string member = text;
  CDecimal price("148.95");
  VxVariant lent, assigned;
  lent.AllowLending();
  AccessValue<ItemType_string>(member, true, lent);
  const VxVariant copy(lent);
  assigned = lent;
  member = "changed";
  EXPECT_EQ(copy.GetString(), text);
  EXPECT_EQ(assigned.GetString(), text);
  AccessValue<ItemType_decimal>(price, true, lent);
  EXPECT_EQ(lent.ToString(nullptr), "148.95");
}
