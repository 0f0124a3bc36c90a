// Properties of dates and times over seeded random values: text round trips,
// and date arithmetic against a day count of the test's own.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "types/DateTestUtil.h"
#include "vxxml/Whitespace.h"

using namespace VxXmlLib10;
using datetest::ParseAs;
using DT = CDateTime;

namespace {

bool Leap(long long y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int MonthLength(long long y, int m) {
  static const int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && Leap(y) ? 29 : kLength[m - 1];
}

// A day number of y-m-d in the proleptic Gregorian calendar, year 0 included
// (the civil-days formula: 400-year eras, years starting in March).
long long DayCount(long long y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400, yearOfEra = y - era * 400;
  const long long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

class Random {
 public:
  explicit Random(unsigned seed) : m_rng(seed) {}
  long long Between(long long lo, long long hi) {
    return std::uniform_int_distribution<long long>(lo, hi)(m_rng);
  }
  bool Chance(int percent) { return Between(0, 99) < percent; }
  short Year() {
    const long long y = Between(MIN_YEAR, MAX_YEAR - 1);
    return static_cast<short>(y >= 0 ? y + 1 : y);  // never 0
  }
  unsigned short Fraction() { return static_cast<unsigned short>(Chance(50) ? 0 : Between(0, 999)); }

  // A valid value of `kind`, with no zone, "Z" or an offset.
  DT Value(DT::DTType kind, int zoneMode) {
    const bool year = kind == DT::dt_dateTime || kind == DT::dt_date ||
                      kind == DT::dt_gYearMonth || kind == DT::dt_gYear;
    const bool month = kind == DT::dt_dateTime || kind == DT::dt_date ||
                       kind == DT::dt_gYearMonth || kind == DT::dt_gMonth ||
                       kind == DT::dt_gMonthDay;
    const bool day = kind == DT::dt_dateTime || kind == DT::dt_date || kind == DT::dt_gDay ||
                     kind == DT::dt_gMonthDay;
    const bool clock = kind == DT::dt_dateTime || kind == DT::dt_time;
    const short y = year ? Year() : 0;
    const int m = month ? static_cast<int>(Between(1, 12)) : 0;
    int d = 0;
    if (day) d = static_cast<int>(Between(1, !month ? 31 : year ? MonthLength(y, m) : g_monthMax[m - 1]));
    DT v;
    v.SetDateTime(kind, y, static_cast<unsigned char>(m), static_cast<unsigned char>(d),
                  static_cast<unsigned char>(clock ? Between(0, 23) : 0),
                  static_cast<unsigned char>(clock ? Between(0, 59) : 0),
                  static_cast<unsigned char>(clock ? Between(0, 59) : 0),
                  clock ? Fraction() : 0, clock ? Fraction() : 0, clock ? Fraction() : 0);
    if (zoneMode == 1) v.SetUTC();
    if (zoneMode == 2)
      v.SetTimeZone(static_cast<short>(Between(-23, 23)), static_cast<unsigned char>(Between(0, 59)));
    return v;
  }

 private:
  std::mt19937_64 m_rng;
};

const DT::DTType kKinds[] = {DT::dt_dateTime, DT::dt_date,  DT::dt_gYearMonth, DT::dt_gYear,
                             DT::dt_time,     DT::dt_gDay,  DT::dt_gMonth,     DT::dt_gMonthDay};

}  // namespace

TEST(DateTimeProperty, TextRoundTrip) {
  Random rnd(0xD47E);
  for (DT::DTType kind : kKinds) {
    for (int zone = 0; zone < 3; ++zone) {
      for (int i = 0; i < 300; ++i) {
        const DT v = rnd.Value(kind, zone);
        const std::string text = v.ToString();
        SCOPED_TRACE(text);
        const DT w = ParseAs(kind, text.c_str());
        ASSERT_EQ(w.GetType(), kind);
        ASSERT_EQ(w.ToString(), text);
        ASSERT_EQ(Compare(v, w), 0);
        ASSERT_EQ(v.CompareTo(w), 0);
        if (kind == DT::dt_time || kind == DT::dt_dateTime) {
          // The fraction follows the seconds, written as ToFracString does.
          const std::string frac =
              ToFracString(v.GetMilliSecond(), v.GetMicroSecond(), v.GetNanoSecond());
          const size_t at = kind == DT::dt_time ? 8 : text.find('T') + 9;
          ASSERT_EQ(text.substr(at, frac.size()), frac);
        }
        ASSERT_EQ(w.IsUTC(), zone != 0);
        ASSERT_EQ(w.HasTimeZone(), zone == 2);
        if (zone == 2) {
          ASSERT_EQ(w.GetZoneHour(), v.GetZoneHour());
          ASSERT_EQ(w.GetZoneMinute(), v.GetZoneMinute());
        }
      }
    }
  }
}

// Days, hours and months added to dates agree with the test's own day count,
// across leap years, year 0, negative years and month ends.
TEST(DateTimeProperty, ArithmeticAgreesWithDayCount) {
  Random rnd(0xCA1E);
  for (int i = 0; i < 4000; ++i) {
    DT a = rnd.Value(DT::dt_dateTime, 0);
    if (rnd.Chance(25))  // a month end, where the clamping happens
      a.SetDay(static_cast<unsigned char>(MonthLength(a.GetYear(), a.GetMonth())));
    const long long start = DayCount(a.GetYear(), a.GetMonth(), a.GetDay());
    SCOPED_TRACE(a.ToString());

    // Whole days.
    const long long n = rnd.Between(-3000000, 3000000);
    CDateTimeSpan days(0, 0, static_cast<unsigned long>(n < 0 ? -n : n), 0, 0, 0);
    if (n < 0) days.Negate();
    const DT b = a + days;
    ASSERT_EQ(DayCount(b.GetYear(), b.GetMonth(), b.GetDay()) * 24 + b.GetHour(),
              (start + n) * 24 + a.GetHour()) << days.ToString();

    // Hours carry into days.
    const long long h = rnd.Between(0, 50000000);
    const bool back = rnd.Chance(50);
    const CDateTimeSpan hours(static_cast<unsigned long>(h), 0, 0);
    const DT c = back ? a - hours : a + hours;
    ASSERT_EQ(DayCount(c.GetYear(), c.GetMonth(), c.GetDay()) * 24 + c.GetHour(),
              start * 24 + a.GetHour() + (back ? -h : h));
    ASSERT_EQ(c.GetMinute(), a.GetMinute());

    // Months keep the day within the new month.
    const long long k = rnd.Between(-100000, 100000);
    CDateTimeSpan months(0, static_cast<unsigned long>(k < 0 ? -k : k), 0, 0, 0, 0);
    if (k < 0) months.Negate();
    const DT e = a + months;
    const long long index = a.GetYear() * 12LL + (a.GetMonth() - 1) + k;
    const long long ey = index >= 0 ? index / 12 : -((-index + 11) / 12);
    const int em = static_cast<int>(index - ey * 12) + 1;
    ASSERT_EQ(e.GetYear(), ey);
    ASSERT_EQ(e.GetMonth(), em);
    ASSERT_EQ(e.GetDay(), std::min<int>(a.GetDay(), MonthLength(ey, em)));

    // The difference of two values adds back to the first.
    const DT f = rnd.Value(DT::dt_dateTime, 0);
    const CDateTimeSpan diff = f - a;
    const long long dayDiff = DayCount(f.GetYear(), f.GetMonth(), f.GetDay()) - start;
    ASSERT_LE(diff.GetDays(), static_cast<unsigned long>(dayDiff < 0 ? -dayDiff : dayDiff));
    ASSERT_EQ((a + diff).ToString(), f.ToString()) << diff.ToString();
    ASSERT_EQ((f - diff).ToString(), a.ToString()) << diff.ToString();
  }
}
