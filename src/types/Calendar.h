// Exact calendar arithmetic shared by CDateTime and CDateTimeSpan.
//
// Years are numbered as they stand, year 0 included, with the Gregorian leap
// rule applied to every year (so -4, 0 and 4 are leap years, -100 is not).
// The arithmetic is 128-bit: a duration may hold 2^64-1 months, days or
// seconds, and its effect must be computed without wrapping.
#ifndef VXXML_SRC_TYPES_CALENDAR_H
#define VXXML_SRC_TYPES_CALENDAR_H

namespace VxXmlLib10 {
namespace detail {

__extension__ typedef __int128 Wide;

/// Floor of a / b for b > 0.
inline Wide FloorDiv(Wide a, long long b) {
  Wide q = a / b;
  if ((a % b) < 0) --q;
  return q;
}
/// a - b * FloorDiv(a, b): in 0..b-1 for b > 0.
inline Wide FloorMod(Wide a, long long b) {
  Wide r = a % b;
  return r < 0 ? r + b : r;
}

inline bool IsLeap(Wide year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

/// Days of month 1..12 of `year`.
inline int DaysInMonth(Wide year, int month) {
  static const unsigned char kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && !IsLeap(year)) return 28;
  return kDays[month - 1];
}

/// Days from 1970-01-01 to year-month-01, for month 1..12.
inline Wide DaysFromCivil(Wide year, int month) {
  // Count from March so that the leap day ends the counted year.
  const Wide y = year - (month <= 2 ? 1 : 0);
  const Wide era = FloorDiv(y, 400);
  const int yoe = static_cast<int>(y - era * 400);                    // 0..399
  const int doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5;  // 0..365
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                // 0..146096
  return era * 146097 + doe - 719468;
}

struct CivilDate {
  Wide year;
  int month;  // 1..12
  int day;    // 1..31
};

/// The calendar date `days` days after 1970-01-01.
inline CivilDate CivilFromDays(Wide days) {
  const Wide z = days + 719468;
  const Wide era = FloorDiv(z, 146097);
  const int doe = static_cast<int>(z - era * 146097);                    // 0..146096
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // 0..399
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // 0..365
  const int mp = (5 * doy + 2) / 153;                                     // 0..11
  CivilDate d;
  d.day = doy - (153 * mp + 2) / 5 + 1;
  d.month = mp < 10 ? mp + 3 : mp - 9;
  d.year = yoe + era * 400 + (d.month <= 2 ? 1 : 0);
  return d;
}

/// Days from 1970-01-01 to year-month-day for any month and day numbers:
/// months beyond 1..12 roll into neighbouring years, days count on from the
/// first of the month (day 0 is the day before it).
inline Wide DayNumber(Wide year, Wide month, Wide day) {
  const Wide t = month - 1;
  return DaysFromCivil(year + FloorDiv(t, 12), static_cast<int>(FloorMod(t, 12)) + 1) + day - 1;
}

constexpr long long kNanosPerSecond = 1000000000LL;
constexpr long long kSecondsPerDay = 86400;

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_CALENDAR_H
