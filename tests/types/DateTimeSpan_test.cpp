#include "vxxml/DateTimeSpan.h"

#include <gtest/gtest.h>

#include <string>

#include "types/DateTestUtil.h"
#include "vxxml/Whitespace.h"

using namespace VxXmlLib10;
using datetest::Throws;
using datetest::Value;

namespace {

CDateTimeSpan Span(const char* text) {
  CDateTimeSpan d;
  EXPECT_TRUE(d.ParseXSDDuration(text));
  return d;
}

const char* const kSyntax = "] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]";

}  // namespace

TEST(DateTimeSpan, ParseAndPrint) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"P1Y2M3DT4H5M6.789S", "P1Y2M3DT4H5M6.789S"},
      {"-P1D", "-P1D"},
      {"PT1.5S", "PT1.5S"},
      {"PT0.000000001S", "PT0.000000001S"},
      {"PT36H", "PT36H"},
      {"PT90M", "PT90M"},
      {"P0Y", "PT0S"},
      {"PT0S", "PT0S"},
      {"-PT0S", "-PT0S"},
      {"P0010D", "P10D"},
      {"PT1.S", "PT1S"},
      {"PT0.500S", "PT0.5S"},
      {"PT1M0S", "PT1M"},
      {"P1MT1M", "P1MT1M"},
      {"PY", "PT0S"},  // an empty digit run counts 0
      {"P65535Y18446744073709551615M", "P65535Y18446744073709551615M"},
      {"PT18446744073709551615M18446744073709551615.999999999S",
       "PT18446744073709551615M18446744073709551615.999999999S"},
  };
  for (const Case& c : cases) EXPECT_EQ(Span(c.in).ToString(), c.out) << c.in;

  const CDateTimeSpan d = Span("-P1Y2M3DT4H5M6.123456789S");
  EXPECT_TRUE(d.IsNegative());
  EXPECT_EQ(d.GetYears(), 1);
  EXPECT_EQ(d.GetMonths(), 2u);
  EXPECT_EQ(d.GetDays(), 3u);
  EXPECT_EQ(d.GetHours(), 4u);
  EXPECT_EQ(d.GetMinutes(), 5u);
  EXPECT_EQ(d.GetSeconds(), 6u);
  EXPECT_EQ(d.GetMilliSeconds(), 123);
  EXPECT_EQ(d.GetMicroSeconds(), 456);
  EXPECT_EQ(d.GetNanoSeconds(), 789);
  const CDateTimeSpan half = Span("PT1.5S");
  EXPECT_EQ(half.GetSeconds(), 1u);
  EXPECT_EQ(half.GetMilliSeconds(), 500);
}

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
  EXPECT_THROW(copy.ParseXSDDuration("P7Y8X"), CVxInvalidValueException);
  EXPECT_EQ(copy.GetYears(), 7);
}

TEST(DateTimeSpan, Compare) {
  struct Case {
    const char* a;
    const char* b;
    int result;
  } cases[] = {
      {"PT1H", "PT60M", 0},
      {"P1M", "P30D", 3},
      {"P1Y", "P365D", 3},
      {"P1Y", "P12M", 0},
      {"PT1H", "PT2H", 1},
      {"P1M", "P27D", 2},
      {"P1M", "P32D", 1},
      {"P2M", "P62D", 3},  // July and August
      {"P2M", "P63D", 1},
      {"P2M", "P59D", 3},  // February and March of a common year
      {"P2M", "P58D", 2},
      {"P1D", "PT24H", 0},
      {"P1D", "PT23H59M59.999999999S", 2},
      {"-P1D", "PT0S", 1},
      {"-P1M", "-P30D", 3},
      {"-P1M", "-P32D", 2},
      {"P0Y", "-PT0S", 0},
      {"P5Y", "P1827D", 3},  // 1825 to 1827 days, depending on leap years
      {"P5Y", "P1825D", 3},  // 1696-09-01 to 1701-09-01 has no leap day
      {"P5Y", "P1824D", 2},
      {"P5Y", "P1828D", 1},
      {"P65535Y", "P18446744073709551615D", 1},
      {"P18446744073709551615M", "P18446744073709551615D", 2},
      {"PT18446744073709551615S", "PT18446744073709551615.000000001S", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    const CDateTimeSpan a = Span(c.a), b = Span(c.b);
    EXPECT_EQ(a.CompareTo(b), c.result);
    EXPECT_EQ(a == b, c.result == 0);
    EXPECT_EQ(a != b, c.result != 0);
    EXPECT_EQ(a < b, c.result == 1);
    EXPECT_EQ(a > b, c.result == 2);
    const int mirrored[] = {0, 2, 1, 3};
    EXPECT_EQ(b.CompareTo(a), mirrored[c.result]);
  }
}
