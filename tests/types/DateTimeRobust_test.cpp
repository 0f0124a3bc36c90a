// Bad text never crashes or hangs and always gives a clear exception: cut
// values (every prefix, lone signs among them), long digit runs and embedded
// NULs.
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

void Duration(const char* s) { CDateTimeSpan().ParseXSDDuration(s); }

// Parses every prefix of `full` and checks the outcome: `expect(prefix)`
// gives the message, or "" where the prefix is itself a valid value.
template <class Parse, class Expect>
void EveryCut(const std::string& full, Parse parse, Expect expect) {
  for (size_t n = 0; n < full.size(); ++n) {
    const std::string cut = full.substr(0, n);
    const std::string message = expect(cut);
    if (message.empty()) EXPECT_NO_THROW(parse(cut.c_str())) << cut;
    else EXPECT_TRUE(Throws<Value>([&] { parse(cut.c_str()); }, message)) << cut;
  }
  EXPECT_NO_THROW(parse(full.c_str()));
}

}  // namespace

TEST(DateTimeRobust, EveryCut) {
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
  EveryCut("-P1Y2M3DT4H5M6.789S", Duration, [](const std::string& cut) -> std::string {
    const size_t n = cut.size();
    if (n == 0) return "Invalid XSD Duration (Empty String)";
    if (n == 4 || n == 6 || n == 8 || n == 11 || n == 13) return "";
    return "Invalid XSD Duration [" + cut + kDurationForm;
  });
}

TEST(DateTimeRobust, LongRunsAndNuls) {
  const std::string digits(100000, '9');
  struct Case {
    void (*parse)(const char*);
    std::string in;
    std::string message;
  } cases[] = {
      {Duration, "P" + digits + "Y", "Invalid XSD Duration [P" + digits + "Y" + kDurationForm},
      {Duration, "PT1." + digits + "S",
       "Invalid XSD Duration [PT1." + digits + "S] Fraction part too long"},
      {[](const char* s) { ParseAs(DT::dt_date, s); }, digits + "-01-01",
       "Invalid XSD Date [" + digits + "-01-01" + kDateForm},
      {[](const char* s) { ParseAs(DT::dt_time, s); }, "12:00:00." + digits,
       "Invalid XSD Time [12:00:00." + digits + "] Fraction part too long"},
      {[](const char* s) { DT v(s); }, "2001-01-01T12:00:00+" + digits,
       "Invalid XSD Time Zone [+" + digits + "]"},
      // const char* text ends at the first NUL.
      {[](const char* s) { DT v(s); }, std::string("2001-01-01\0T12:00:00", 20),
       "Invalid XSD DateTime [2001-01-01]"},
      {Duration, std::string("P1\0Y", 4), "Invalid XSD Duration [P1" + kDurationForm},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(Throws<Value>([&] { c.parse(c.in.c_str()); }, c.message)) << c.in.substr(0, 30);
  EXPECT_EQ(ParseAs(DT::dt_date, std::string("2001-01-01\0junk", 15).c_str()).ToString(),
            "2001-01-01");
}
