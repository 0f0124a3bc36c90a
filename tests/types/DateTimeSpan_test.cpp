#include "vxxml/DateTimeSpan.h"

#include <gtest/gtest.h>

#include <string>

#include "types/DateTestUtil.h"
#include "vxxml/Whitespace.h"

using namespace VxXmlLib10;
using datetest::Throws;
using datetest::Value;

namespace {

const char* const kSyntax = "] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]";

}  // namespace

TEST(DateTimeSpan, Messages) {
  struct Case {
    const char* in;
    const char* message;  // null: the syntax message for `in`
  } cases[] = {
      {nullptr, "Invalid XSD Duration (Null String)"},
      {"", "Invalid XSD Duration (Empty String)"},
      {"PT1.1234567891S", "Invalid XSD Duration [PT1.1234567891S] Fraction part too long"},
      {"P", nullptr},
      {"-P", nullptr},
      {"PT", nullptr},
      {"P1", nullptr},
      {"PT1H2D", nullptr},
      {"P1D1Y", nullptr},
      {"P1YT", nullptr},
      {"P1Y1Y", nullptr},
      {"PT1S2S", nullptr},
      {"PT1S1M", nullptr},
      {"P1H", nullptr},
      {"P1S", nullptr},
      {"P1.5S", nullptr},
      {"PT1.5", nullptr},
      {"PT1.5M", nullptr},
      {"P5T1H", nullptr},  // digits before T would be lost
      {"1Y", nullptr},
      {"+P1Y", nullptr},
      {"--P1Y", nullptr},
      {"P-1Y", nullptr},
      {"P1Y ", nullptr},
      {" P1Y", nullptr},
      {"p1y", nullptr},
      {"P65536Y", nullptr},
      {"P18446744073709551616M", nullptr},
      {"PT18446744073709551616S", nullptr},
      {"P99999999999999999999999999999999999999D", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in ? c.in : "(null)");
    const std::string message =
        c.message ? c.message : std::string("Invalid XSD Duration [") + c.in + kSyntax;
    CDateTimeSpan d;
    EXPECT_TRUE(Throws<Value>([&] { d.ParseXSDDuration(c.in); }, message));
  }
}

TEST(DateTimeSpan, Fields) {
  CDateTimeSpan d(1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(d.ToString(), "P1Y2M3DT4H5M6.007008009S");
  d.Negate();
  EXPECT_EQ(d.ToString(), "-P1Y2M3DT4H5M6.007008009S");
  d.SetDateTimeSpan(1, 2, 3);  // clears the sign
  EXPECT_EQ(d.ToString(), "PT1H2M3S");
  EXPECT_EQ(d.GetAsNegative().ToString(), "-PT1H2M3S");
  EXPECT_EQ(d.GetAsNegative().GetAsNegative().ToString(), "-PT1H2M3S");
  EXPECT_EQ(CDateTimeSpan(0, 0, 0, 0, 0, 0).ToString(), "PT0S");
  d.SetYears(3);
  d.SetMonths(4);
  d.SetDays(5);
  d.SetHours(0);
  d.SetMinutes(0);
  d.SetSeconds(0);
  d.SetMilliSeconds(0);
  d.SetMicroSeconds(0);
  d.SetNanoSeconds(10);
  EXPECT_EQ(d.ToString(), "P3Y4M5DT0.00000001S");
  // Fields set beyond their ranges are written as they are.
  EXPECT_EQ(CDateTimeSpan(0, 0, 0, 0, 0, 1, 1500, 0, 0).ToString(),
            "PT1" + ToFracString(1500, 0, 0) + "S");
  CDateTimeSpan copy;
  copy = d;
  EXPECT_EQ(copy.ToString(), d.ToString());
  copy.Clear();
  EXPECT_EQ(copy.ToString(), "PT0S");
  // A failed parse leaves the fields read so far.
  EXPECT_TRUE(Throws<Value>([&] { copy.ParseXSDDuration("P7Y8X"); },
                            std::string("Invalid XSD Duration [P7Y8X") + kSyntax));
  EXPECT_EQ(copy.GetYears(), 7);
}
