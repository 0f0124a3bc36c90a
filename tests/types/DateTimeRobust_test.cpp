// Bad text never crashes or hangs and always gives a clear exception: cut
// values, long digit runs, lone signs and embedded NULs.
#include <gtest/gtest.h>

#include <string>

#include "types/DateTestUtil.h"

using namespace VxXmlLib10;
using datetest::ParseAs;
using datetest::Throws;
using datetest::Value;
using DT = CDateTime;

namespace {

const std::string kDateForm = "] expected CCYY-MM-DD[Z|[+|-]hh:mm]";
const std::string kTimeForm = "] expected hh:mm:ss[.ff]";
const std::string kDurationForm = "] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]";

// Parses every prefix of `full` and checks the outcome: `expect(prefix)`
// gives the message, or "" where the prefix is itself a valid value.
template <class Parse, class Expect>
void EveryCut(const std::string& full, Parse parse, Expect expect) {
  for (size_t n = 0; n < full.size(); ++n) {
    const std::string cut = full.substr(0, n);
    SCOPED_TRACE("cut: [" + cut + "]");
    const std::string message = expect(cut);
    if (message.empty()) EXPECT_NO_THROW(parse(cut.c_str()));
    else EXPECT_TRUE(Throws<Value>([&] { parse(cut.c_str()); }, message));
  }
  EXPECT_NO_THROW(parse(full.c_str()));
}

}  // namespace

TEST(DateTimeRobust, CutDateTime) {
  EveryCut(
      "2004-02-29T12:30:00.5+05:00", [](const char* s) { ParseAs(DT::dt_dateTime, s); },
      [](const std::string& cut) -> std::string {
        const size_t n = cut.size();
        if (n <= 10) return "Invalid XSD DateTime [" + cut + "]";
        if (n == 11) return "Invalid XSD Time (Empty String)";
        if (n <= 18) return "Invalid XSD Time [" + cut.substr(11) + kTimeForm;
        if (n <= 21) return "";  // 12:30:00, 12:30:00. and 12:30:00.5
        return "Invalid XSD Time Zone [" + cut.substr(21) + "]";
      });
}

TEST(DateTimeRobust, CutTimeDateDuration) {
  EveryCut(
      "23:59:59.123456789-14:00", [](const char* s) { ParseAs(DT::dt_time, s); },
      [](const std::string& cut) -> std::string {
        const size_t n = cut.size();
        if (n == 0) return "Invalid XSD Time (Empty String)";
        if (n < 8) return "Invalid XSD Time [" + cut + kTimeForm;
        if (n <= 18) return "";
        return "Invalid XSD Time Zone [" + cut.substr(18) + "]";
      });
  EveryCut(
      "-0044-03-15Z", [](const char* s) { ParseAs(DT::dt_date, s); },
      [](const std::string& cut) -> std::string {
        const size_t n = cut.size();
        if (n == 0) return "Invalid Date (Empty String)";
        if (n == 5 || n == 8 || n == 11) return "";  // gYear, gYearMonth, date
        return "Invalid XSD Date [" + cut + kDateForm;
      });
  EveryCut(
      "--12-31+05:30", [](const char* s) { ParseAs(DT::dt_date, s); },
      [](const std::string& cut) -> std::string {
        const size_t n = cut.size();
        if (n == 0) return "Invalid Date (Empty String)";
        if (n == 4 || n == 7) return "";  // gMonth, gMonthDay
        // With a ':' the last six characters are taken as the zone, which
        // leaves "--12-" or "--12-3" as the date.
        return "Invalid XSD Date [" + cut + kDateForm;
      });
  EveryCut(
      "-P1Y2M3DT4H5M6.789S", [](const char* s) { CDateTimeSpan().ParseXSDDuration(s); },
      [](const std::string& cut) -> std::string {
        const size_t n = cut.size();
        if (n == 0) return "Invalid XSD Duration (Empty String)";
        if (n == 4 || n == 6 || n == 8 || n == 11 || n == 13) return "";
        return "Invalid XSD Duration [" + cut + kDurationForm;
      });
}

TEST(DateTimeRobust, LongRunsSignsAndNuls) {
  const std::string digits(100000, '9');
  std::string text = "P" + digits + "Y";
  EXPECT_TRUE(Throws<Value>([&] { CDateTimeSpan().ParseXSDDuration(text.c_str()); },
                            "Invalid XSD Duration [" + text + kDurationForm));
  text = "PT1." + digits + "S";
  EXPECT_TRUE(Throws<Value>([&] { CDateTimeSpan().ParseXSDDuration(text.c_str()); },
                            "Invalid XSD Duration [" + text + "] Fraction part too long"));
  text = digits + "-01-01";
  EXPECT_TRUE(Throws<Value>([&] { ParseAs(DT::dt_date, text.c_str()); },
                            "Invalid XSD Date [" + text + kDateForm));
  text = "12:00:00." + digits;
  EXPECT_TRUE(Throws<Value>([&] { ParseAs(DT::dt_time, text.c_str()); },
                            "Invalid XSD Time [" + text + "] Fraction part too long"));
  text = "2001-01-01T12:00:00+" + digits;
  EXPECT_TRUE(Throws<Value>([&] { DT(text.c_str()); },
                            "Invalid XSD Time Zone [+" + digits + "]"));
  text = std::string(100000, '-');
  EXPECT_TRUE(Throws<Value>([&] { ParseAs(DT::dt_date, text.c_str()); },
                            "Invalid XSD Date [" + text + kDateForm));

  struct Case {
    DT::DTType reader;
    const char* in;
    const char* message;
  } signs[] = {
      {DT::dt_date, "-", "Invalid XSD Date [-] expected CCYY-MM-DD[Z|[+|-]hh:mm]"},
      {DT::dt_date, "---", "Invalid XSD Date [---] expected CCYY-MM-DD[Z|[+|-]hh:mm]"},
      {DT::dt_date, "+2001", "Invalid XSD Date [+2001] expected CCYY-MM-DD[Z|[+|-]hh:mm]"},
      {DT::dt_time, "-12:00:00", "Invalid XSD Time [-12:00:00] expected hh:mm:ss[.ff]"},
      {DT::dt_time, "12:00:00-", "Invalid XSD Time Zone [-]"},
      {DT::dt_dateTime, "-T", "Invalid XSD Date [-] expected CCYY-MM-DD[Z|[+|-]hh:mm]"},
      {DT::dt_dateTime, "2001-01-01T-", "Invalid XSD Time [-] expected hh:mm:ss[.ff]"},
  };
  for (const Case& c : signs) {
    SCOPED_TRACE(c.in);
    EXPECT_TRUE(Throws<Value>([&] { ParseAs(c.reader, c.in); }, c.message));
  }
  EXPECT_TRUE(Throws<Value>([] { CDateTimeSpan().ParseXSDDuration("-"); },
                            "Invalid XSD Duration [-" + kDurationForm));

  // const char* text ends at the first NUL.
  const std::string dateNul("2001-01-01\0junk", 15);
  EXPECT_EQ(ParseAs(DT::dt_date, dateNul.c_str()).ToString(), "2001-01-01");
  const std::string dateTimeNul("2001-01-01\0T12:00:00", 20);
  EXPECT_TRUE(Throws<Value>([&] { DT(dateTimeNul.c_str()); },
                            "Invalid XSD DateTime [2001-01-01]"));
  const std::string spanCut("P1\0Y", 4);
  EXPECT_TRUE(Throws<Value>([&] { CDateTimeSpan().ParseXSDDuration(spanCut.c_str()); },
                            "Invalid XSD Duration [P1" + kDurationForm));
}
