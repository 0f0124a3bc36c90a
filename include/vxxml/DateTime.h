// CDateTime: one value class for the eight XML Schema date and time types
// (dateTime, date, time, gYearMonth, gYear, gMonthDay, gDay, gMonth).
//
// A value carries its kind, the calendar and clock fields the kind uses,
// fractional seconds down to nanoseconds and an optional time zone ("Z" or a
// numeric offset).
//
//   CDateTime t;
//   t.ParseXSDDateTime("2004-02-29T12:30:00.25-05:00");
//   t += CDateTimeSpan(1, 0, 0);            // one hour later
//   t.ToString();                           // "2004-02-29T13:30:00.25-05:00"
//
// Comparisons follow the partial order of XML Schema and answer 0 equal,
// 1 less, 2 greater or 3 indeterminate (a value with a time zone against one
// without, when the 14-hour window leaves the order open).
#ifndef VXXML_DATETIME_H
#define VXXML_DATETIME_H

#include <string>

#include "vxxml/DateTimeSpan.h"
#include "vxxml/Export.h"

namespace VxXmlLib10 {

/// Days in each month, February 29 (the leap-year test is applied separately).
inline constexpr unsigned char g_monthMax[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
/// Days before each month in a common year; the 13th entry is the year length.
inline constexpr unsigned short g_monthDayInYear[13] = {0,   31,  59,  90,  120, 151, 181,
                                                        212, 243, 273, 304, 334, 365};
inline constexpr short MIN_YEAR = -9999;
inline constexpr short MAX_YEAR = 9999;

/// Divisible by 4 and (not by 100 or by 400), for the year number as it
/// stands (year 0 and negative years included).
VXXML_API bool IsLeapYear(int year);
/// Floor of a / b. b == 0, or a result that does not fit, throws
/// CVxInvalidParamException "Invalid divisor [%d]".
VXXML_API long long GetQuotient(long long a, int b);
/// a - b * GetQuotient(a, b): in 0..b-1 for positive b.
VXXML_API long long GetModulo(long long a, int b);

class CDateTime;
/// Field by field, each field only where the kind uses it: year, month, day,
/// hour, minute, seconds with fraction. A field present on one side only
/// gives 3; otherwise 0 equal, 1 a less, 2 a greater. No zone handling.
VXXML_API int Compare(const CDateTime& a, const CDateTime& b);

class VXXML_API CDateTime {
 public:
  enum DTType {
    dt_notSet = 0,
    dt_dateTime = 1,
    dt_date = 2,
    dt_gYearMonth = 3,
    dt_gYear = 4,
    dt_time = 5,
    dt_gDay = 6,
    dt_gMonth = 7,
    dt_gMonthDay = 8
  };

  /// Not set.
  CDateTime();
  /// The given kind with every field 0 (not validated).
  explicit CDateTime(DTType kind);
  /// A date; an invalid one leaves a cleared value (no exception).
  CDateTime(short year, unsigned char month, unsigned char day);
  /// A dateTime; an invalid one leaves a cleared value (no exception).
  CDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
            unsigned char minute, unsigned char second);
  CDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
            unsigned char minute, unsigned char second, unsigned short milli,
            unsigned short micro, unsigned short nano);
  /// The UTC calendar time of a time_t as a dateTime without zone; a time
  /// outside the years -9999..9999 leaves a cleared value.
  explicit CDateTime(const long& t);
  /// Parses a dateTime text (ParseXSDDateTime); throws on failure.
  explicit CDateTime(const char* text);
  CDateTime(const CDateTime& other);
  virtual ~CDateTime();

  CDateTime& operator=(const CDateTime& other);
  /// As the time_t constructor.
  CDateTime& operator=(const long& t);

  /// Every field 0, kind dt_notSet, no zone.
  void Clear();

  // ---- kind ---------------------------------------------------------------
  DTType GetType() const { return m_type; }
  std::string GetTypeAsString() const;
  /// "dateTime", "date", ... ; "yearZero" for dt_notSet; "" for an unknown value.
  static std::string GetTypeAsString(DTType kind);

  // ---- fields -------------------------------------------------------------
  // Each accessor is allowed only for the kinds that use its field (year:
  // dateTime, date, gYearMonth, gYear; month: dateTime, date, gYearMonth,
  // gMonth, gMonthDay; day: dateTime, date, gDay, gMonthDay; clock fields:
  // dateTime, time). Otherwise CVxInvalidStateException
  // "Failed to GetYear. Invalid Date Type: %s." (setters name Get too).
  // Setters store the value without validating it.
  short GetYear() const;
  void SetYear(short year);
  unsigned char GetMonth() const;
  void SetMonth(unsigned char month);
  unsigned char GetDay() const;
  void SetDay(unsigned char day);
  unsigned char GetHour() const;
  void SetHour(unsigned char hour);
  unsigned char GetMinute() const;
  void SetMinute(unsigned char minute);
  unsigned char GetSecond() const;
  void SetSecond(unsigned char second);
  unsigned short GetMilliSecond() const;
  void SetMilliSecond(unsigned short milli);
  unsigned short GetMicroSecond() const;
  void SetMicroSecond(unsigned short micro);
  unsigned short GetNanoSecond() const;
  void SetNanoSecond(unsigned short nano);
  /// second + milli/10^3 + micro/10^6 + nano/10^9.
  double GetRealSecond() const;

  // ---- whole values -------------------------------------------------------
  // Each clears the value (zone included), stores the fields and the kind and
  // validates (see Validate). A value that already has another kind throws
  // CVxInvalidStateException
  // "Failed to copy CDateTime. Invalid Date Type: %s, expected: %s.".
  void SetDateTime(DTType kind, short year, unsigned char month, unsigned char day,
                   unsigned char hour, unsigned char minute, unsigned char second,
                   unsigned short milli, unsigned short micro, unsigned short nano);
  void SetDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
                   unsigned char minute, unsigned char second);
  void SetDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
                   unsigned char minute, unsigned char second, unsigned short milli,
                   unsigned short micro, unsigned short nano);
  void SetDate(short year, unsigned char month, unsigned char day);
  void SetTime(unsigned char hour, unsigned char minute, unsigned char second);
  void SetTime(unsigned char hour, unsigned char minute, unsigned char second,
               unsigned short milli, unsigned short micro, unsigned short nano);
  /// A time of 00:00:00 plus the given fraction.
  void SetFracTime(unsigned short milli, unsigned short micro, unsigned short nano);
  void SetGYear(short year);
  void SetGYearMonth(short year, unsigned char month);
  void SetGMonth(unsigned char month);
  void SetGMonthDay(unsigned char month, unsigned char day);
  void SetGDay(unsigned char day);

  /// Checks the fields against the kind; throws CVxInvalidValueException at
  /// the first failure ("Invalid Year Zero", "Invalid Month [%d] (1 <= month
  /// <= 12)", "Invalid Day [%d] (1 <= day <= days in month", ...).
  void Validate() const;

  // ---- time zone ----------------------------------------------------------
  /// Zone "Z": zone present, no numeric offset.
  void SetUTC();
  /// A numeric offset; -23..23 hours (carrying the sign) and 0..59 minutes,
  /// else CVxInvalidValueException "Invalid TimeZone [%d:%d]".
  void SetTimeZone(short hour, unsigned char minute);
  /// "Z" or "+hh:mm" / "-hh:mm" (hour 24 is taken as 0); else
  /// CVxInvalidValueException "Invalid XSD Time Zone [%s]".
  void SetZone(const char* text);
  /// The value has a time zone ("Z" or an offset).
  bool IsUTC() const { return m_hasZone; }
  /// The zone is a numeric offset.
  bool HasTimeZone() const { return m_hasOffset; }
  /// Throw CVxInvalidStateException "TimeZone is not been used" without an offset.
  short GetZoneHour() const;
  unsigned char GetZoneMinute() const;
  /// A copy moved to offset +00:00 when it has a numeric offset; otherwise an
  /// unchanged copy.
  CDateTime GetNormalized() const;

  // ---- text ---------------------------------------------------------------
  /// ToString("s").
  std::string ToString() const;
  /// "s" gives the lexical form of the kind; null, "" or "G" the empty text;
  /// any other format "Unknown Format: " and the format. A value that is not
  /// set (or, except for a time, has every field 0) throws
  /// CVxInvalidValueException "Date Not Set".
  std::string ToString(const char* format) const;
  /// Reads CCYY-MM-DD, CCYY-MM, CCYY, --MM-DD, --MM, --MM--, ---DD with an
  /// optional zone; the kind follows the form of the text. Not validated.
  void SetXSDDate(const char* text);
  /// Reads hh:mm:ss[.fffffffff][zone]; the kind becomes time. Not validated.
  void SetXSDTime(const char* text);
  /// Clear, SetXSDDate, Validate.
  void ParseXSDDate(const char* text);
  /// Clear, SetXSDTime, Validate.
  void ParseXSDTime(const char* text);
  /// Reads CCYY-MM-DDThh:mm:ss[.fffffffff][zone] and validates it.
  void ParseXSDDateTime(const char* text);

  // ---- conversion between kinds -------------------------------------------
  /// Whether a value of kind `from` holds the fields kind `to` needs.
  /// An unknown `from` throws CVxInvalidValueException "Unknown date type %d.".
  static bool CheckConversion(DTType from, DTType to);
  /// Copies every field and the zone of `source` and takes kind `to`; fields
  /// the new kind does not use are kept but neither shown nor compared.
  void SetDateTime(const CDateTime& source, DTType to);

  // ---- arithmetic ---------------------------------------------------------
  /// Adds a duration: years and months first, the day cut back to the end of
  /// the new month (January 31 plus P1M is the last of February), then the
  /// clock from the nanoseconds up and the days with the carry. Only the
  /// fields the kind uses change (a time goes round the clock, a gYear moves
  /// by whole years); the others take part as the start of their range. The
  /// zone is kept and the result is not validated; a year that no longer fits
  /// 16 bits throws CVxInvalidValueException
  /// "Adding the duration takes the year outside -32768..32767".
  void AddDateTimeSpan(const CDateTimeSpan& span);
  CDateTime& operator+=(const CDateTimeSpan& span);
  /// Adds the duration with its sign inverted.
  CDateTime& operator-=(const CDateTimeSpan& span);
  CDateTime operator+(const CDateTimeSpan& span) const;
  CDateTime operator-(const CDateTimeSpan& span) const;
  /// The exact difference (days, hours, minutes, seconds and fraction, with
  /// its sign) of two values of the same kind that carry a date (date,
  /// dateTime), after moving each to +00:00; otherwise the empty duration.
  CDateTimeSpan operator-(const CDateTime& other) const;

  // ---- comparison ---------------------------------------------------------
  /// 0 equal, 1 less, 2 greater, 3 indeterminate.
  int CompareTo(const CDateTime& other) const;
  bool operator==(const CDateTime& other) const { return CompareTo(other) == 0; }
  bool operator!=(const CDateTime& other) const { return CompareTo(other) != 0; }
  bool operator<(const CDateTime& other) const { return CompareTo(other) == 1; }
  bool operator>(const CDateTime& other) const { return CompareTo(other) == 2; }
  bool operator<=(const CDateTime& other) const {
    const int r = CompareTo(other);
    return r == 0 || r == 1;
  }
  bool operator>=(const CDateTime& other) const {
    const int r = CompareTo(other);
    return r == 0 || r == 2;
  }

  // ---- calendar -----------------------------------------------------------
  // Date and dateTime only; otherwise CVxInvalidStateException.
  /// 1..366.
  int GetDayOfYear() const;
  /// 1 (Sunday) .. 7 (Saturday), of the date moved to +00:00.
  int GetDayOfWeek() const;
  /// Seconds since 1970-01-01T00:00:00Z; a value without zone is taken as UTC.
  long GetTime() const;
  /// The current UTC time as a dateTime without zone.
  static CDateTime GetCurrentTime();

 private:
  friend int Compare(const CDateTime& a, const CDateTime& b);
  void SetFromTime(long t);
  void CheckKindForSet(DTType kind) const;

  DTType m_type;
  short m_year;
  unsigned char m_month;
  unsigned char m_day;
  unsigned char m_hour;
  unsigned char m_minute;
  unsigned char m_second;
  unsigned short m_milli;
  unsigned short m_micro;
  unsigned short m_nano;
  bool m_hasZone;
  bool m_hasOffset;
  short m_zoneHour;
  unsigned char m_zoneMinute;
};

}  // namespace VxXmlLib10

#endif  // VXXML_DATETIME_H
