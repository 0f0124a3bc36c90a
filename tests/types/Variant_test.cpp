#include "vxxml/Variant.h"

#include <gtest/gtest.h>

#include <functional>

#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Conversions.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"
#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using WS = CWhitespaceUtils;

namespace {
struct Counted : CXmlObjectBase {
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return ""; }
  std::string GetNamespace() const override { return ""; }
  void ToXml_Int(CXmlWriter*, bool, const char*, const CXmlSerializationContext&,
                 bool) const override {}
  CXmlElement* FromXml_Int(CXmlElement*, CXmlElement*, const CXmlSerializationContext&,
                           bool) override {
    return nullptr;
  }
};

// "<exception class>: <message>" for what `f` throws.
std::string Message(const std::function<void()>& f) { return vxtest::Failure(f); }
}  // namespace

TEST(Variant, EveryKindPrintsAndParses) {
  const struct {
    ItemType type;
    const char* text;
    const char* canonical;
    const char* name;
  } cases[] = {
      {ItemType_hexBinary, "00abff", "00ABFF", "hexBinary"},
      {ItemType_base64Binary, "TWFu", "TWFu", "base64Binary"},
      {ItemType_i1, "-12", "-12", "i1"},
      {ItemType_i2, "+300", "300", "i2"},
      {ItemType_i4, " 12 ", "12", "i4"},
      {ItemType_i8, "-9223372036854775808", "-9223372036854775808", "i8"},
      {ItemType_ui1, "255", "255", "ui1"},
      {ItemType_ui2, "65535", "65535", "ui2"},
      {ItemType_ui4, "4294967295", "4294967295", "ui4"},
      {ItemType_ui8, "18446744073709551615", "18446744073709551615", "ui8"},
      {ItemType_r4, "0.5", "0.5", "r4"},
      {ItemType_r8, "1e21", "1e+21", "r8"},
      {ItemType_duration, "P1Y2M3DT4H5M6.5S", "P1Y2M3DT4H5M6.5S", "duration"},
      {ItemType_yearMonth, "2001-05", "2001-05", "yearMonth"},
      {ItemType_monthDay, "--05-06", "--05-06", "monthDay"},
      {ItemType_year, "2001", "2001", "year"},
      {ItemType_month, "--03", "--03", "month"},
      {ItemType_day, "---07", "---07", "day"},
      {ItemType_date, "2001-05-06", "2001-05-06", "date"},
      {ItemType_datetime, "2001-05-06T07:08:09Z", "2001-05-06T07:08:09Z", "datetime"},
      {ItemType_time, "07:08:09.25", "07:08:09.25", "time"},
      {ItemType_char, "c", "c", "char"},
      {ItemType_string, " a  b ", "a b", "string"},
      {ItemType_boolean, "TRUE", "true", "boolean"},
      {ItemType_decimal, "001.500", "1.5", "decimal"},
      {ItemType_integer, "-000123456789012345678901234567890",
       "-123456789012345678901234567890", "integer"},
  };
  for (const auto& c : cases) {
    VxVariant v;
    v.FromString(c.text, c.type, WS::WhitespaceRule_Collapse);
    EXPECT_EQ(v.GetItemType(), c.type) << c.name;
    EXPECT_EQ(v.GetType(), c.name);
    EXPECT_EQ(v.ToString(nullptr), c.canonical) << c.name;
    VxVariant copy;
    copy = v;
    EXPECT_EQ(copy.ToString(""), c.canonical) << c.name;
  }
}

TEST(Variant, Failures) {
  VxVariant v;
  EXPECT_EQ(Message([&] { v.GetType(); }), vxtest::Named<CVxException>("Invalid Type 0"));
  v.SetI2(7);
  EXPECT_EQ(Message([&] { v.FromString("1", static_cast<ItemType>(27), WS::WhitespaceRule_None); }),
            vxtest::Named<CVxException>("Invalid Type 4 to convert to string"));
  EXPECT_EQ(v.GetI2(), 7);  // unchanged
  EXPECT_EQ(Message([&] { v.FromString("x", ItemType_i4, WS::WhitespaceRule_None); }),
            vxtest::Named<CVxInvalidValueException>("The value [x] can not be converted to a i4"));
  EXPECT_EQ(v.GetItemType(), ItemType_i2);
  EXPECT_EQ(v.GetI2(), 7);
  vxtest::ExpectFailure<CVxInvalidValueException>(
      [&] { v.FromString("2001-13-01", ItemType_date, WS::WhitespaceRule_None); },
      "Invalid Month [13] (1 <= month <= 12)");
  EXPECT_EQ(v.GetI2(), 7);
}

TEST(Conversions, DatesDurationsNumbers) {
  using C = CConversions;
  const auto None = WS::WhitespaceRule_None;
  EXPECT_EQ(C::yearFromString("2024", None), 2024);
  EXPECT_EQ(C::monthFromString("--03", None), 3);
  EXPECT_EQ(C::dayFromString(" ---07 ", WS::WhitespaceRule_Collapse), 7);
  EXPECT_EQ(C::dateFromString("2001-05", None).GetType(), CDateTime::dt_gYearMonth);
  EXPECT_EQ(C::datetimeToString(C::datetimeFromString("2001-05-06T07:08:09+01:00", None)),
            "2001-05-06T07:08:09+01:00");
  EXPECT_EQ(C::timeToString(C::timeFromString("00:00:00", None)), "00:00:00");
  EXPECT_EQ(C::durationToString(C::durationFromString("-P1D", None)), "-P1D");
  EXPECT_EQ(C::integerToString(C::integerFromString("+42", None)), "42");
  EXPECT_EQ(C::decimalToString(C::decimalFromString("-1.005", None), "2"), "-1.01");
  EXPECT_EQ(C::decimalToString(C::decimalFromString("2.50", None)), "2.5");
}
