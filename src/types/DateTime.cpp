// CDateTime: fields, validation, time zones, arithmetic, order and time_t.
// The lexical forms are in DateTimeText.cpp.
#include "vxxml/DateTime.h"

#include <ctime>

#include "types/Calendar.h"
#include "types/Messages.h"
#include "vxxml/Exception.h"

namespace VxXmlLib10 {

using detail::DateField;
using detail::Wide;

namespace {

// Bit sets of the kinds (bit n for DTType n) that use each group of fields.
constexpr unsigned kYearKinds = 1u << 1 | 1u << 2 | 1u << 3 | 1u << 4;
constexpr unsigned kMonthKinds = 1u << 1 | 1u << 2 | 1u << 3 | 1u << 7 | 1u << 8;
constexpr unsigned kDayKinds = 1u << 1 | 1u << 2 | 1u << 6 | 1u << 8;
constexpr unsigned kClockKinds = 1u << 1 | 1u << 5;
constexpr unsigned kDateKinds = 1u << 1 | 1u << 2;

const char* KindName(CDateTime::DTType kind) {
  static const char* const kNames[] = {"yearZero", "dateTime", "date",  "gYearMonth", "gYear",
                                       "time",     "gDay",     "gMonth", "gMonthDay"};
  const unsigned k = static_cast<unsigned>(kind);
  return k <= 8 ? kNames[k] : "";
}

bool Uses(unsigned mask, CDateTime::DTType kind) {
  const unsigned k = static_cast<unsigned>(kind);
  return k <= 8 && ((mask >> k) & 1u) != 0;
}

// The seconds of the clock with their fraction, in nanoseconds.
long long SecondNanos(unsigned second, unsigned milli, unsigned micro, unsigned nano) {
  return second * detail::kNanosPerSecond + milli * 1000000LL + micro * 1000LL + nano;
}

// 0 equal, 1 less, 2 greater.
int Order(long long a, long long b) { return a < b ? 1 : (a > b ? 2 : 0); }

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

long long GetQuotient(long long a, int b) {
  if (b == 0 || (b == -1 && a == (-9223372036854775807LL - 1))) detail::ThrowBadDivisor(b);
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

long long GetModulo(long long a, int b) {
  if (b == 0) detail::ThrowBadDivisor(b);
  if (b == -1) return 0;
  // a % b has the sign of a; moving it to the sign of b gives a - b * floor(a / b).
  long long r = a % b;
  if (r != 0 && ((r < 0) != (b < 0))) r += b;
  return r;
}

// ---- construction ----------------------------------------------------------

CDateTime::CDateTime() { Clear(); }

CDateTime::CDateTime(DTType kind) {
  Clear();
  m_type = kind;
}

CDateTime::CDateTime(short year, unsigned char month, unsigned char day) {
  Clear();
  try {
    SetDate(year, month, day);
  } catch (const CVxInvalidValueException&) {
    Clear();
  }
}

CDateTime::CDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
                     unsigned char minute, unsigned char second) {
  Clear();
  try {
    SetDateTime(year, month, day, hour, minute, second);
  } catch (const CVxInvalidValueException&) {
    Clear();
  }
}

CDateTime::CDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
                     unsigned char minute, unsigned char second, unsigned short milli,
                     unsigned short micro, unsigned short nano) {
  Clear();
  try {
    SetDateTime(year, month, day, hour, minute, second, milli, micro, nano);
  } catch (const CVxInvalidValueException&) {
    Clear();
  }
}

CDateTime::CDateTime(const long& t) { SetFromTime(t); }

CDateTime::CDateTime(const char* text) {
  Clear();
  ParseXSDDateTime(text);
}

CDateTime::CDateTime(const CDateTime& other) = default;
CDateTime::~CDateTime() = default;
CDateTime& CDateTime::operator=(const CDateTime& other) = default;

CDateTime& CDateTime::operator=(const long& t) {
  SetFromTime(t);
  return *this;
}

void CDateTime::SetFromTime(long t) {
  Clear();
  const Wide days = detail::FloorDiv(t, detail::kSecondsPerDay);
  const int secs = static_cast<int>(detail::FloorMod(t, detail::kSecondsPerDay));
  const detail::CivilDate d = detail::CivilFromDays(days);
  if (d.year < MIN_YEAR || d.year > MAX_YEAR) return;
  try {
    SetDateTime(static_cast<short>(d.year), static_cast<unsigned char>(d.month),
                static_cast<unsigned char>(d.day), static_cast<unsigned char>(secs / 3600),
                static_cast<unsigned char>(secs / 60 % 60), static_cast<unsigned char>(secs % 60));
  } catch (const CVxInvalidValueException&) {
    Clear();  // year 0
  }
}

void CDateTime::Clear() {
  m_type = dt_notSet;
  m_year = 0;
  m_month = m_day = m_hour = m_minute = m_second = 0;
  m_milli = m_micro = m_nano = 0;
  m_hasZone = m_hasOffset = false;
  m_zoneHour = 0;
  m_zoneMinute = 0;
}

// ---- kind --------------------------------------------------------------------

std::string CDateTime::GetTypeAsString() const { return GetTypeAsString(m_type); }

std::string CDateTime::GetTypeAsString(DTType kind) { return KindName(kind); }

// ---- fields ------------------------------------------------------------------

#define VXXML_FIELD_ACCESS(Name, Type, member, mask, field)                          \
  Type CDateTime::Get##Name() const {                                               \
    if (!Uses(mask, m_type)) detail::ThrowFieldAccess(field, KindName(m_type)); \
    return member;                                                                   \
  }                                                                                  \
  void CDateTime::Set##Name(Type value) {                                            \
    if (!Uses(mask, m_type)) detail::ThrowFieldAccess(field, KindName(m_type)); \
    member = value;                                                                  \
  }

VXXML_FIELD_ACCESS(Year, short, m_year, kYearKinds, DateField::Year)
VXXML_FIELD_ACCESS(Month, unsigned char, m_month, kMonthKinds, DateField::Month)
VXXML_FIELD_ACCESS(Day, unsigned char, m_day, kDayKinds, DateField::Day)
VXXML_FIELD_ACCESS(Hour, unsigned char, m_hour, kClockKinds, DateField::Hour)
VXXML_FIELD_ACCESS(Minute, unsigned char, m_minute, kClockKinds, DateField::Minute)
VXXML_FIELD_ACCESS(Second, unsigned char, m_second, kClockKinds, DateField::Second)
VXXML_FIELD_ACCESS(MilliSecond, unsigned short, m_milli, kClockKinds, DateField::Milli)
VXXML_FIELD_ACCESS(MicroSecond, unsigned short, m_micro, kClockKinds, DateField::Micro)
VXXML_FIELD_ACCESS(NanoSecond, unsigned short, m_nano, kClockKinds, DateField::Nano)

#undef VXXML_FIELD_ACCESS

double CDateTime::GetRealSecond() const {
  if (!Uses(kClockKinds, m_type))
    detail::ThrowFieldAccess(DateField::RealSecond, KindName(m_type));
  return m_second + m_milli / 1e3 + m_micro / 1e6 + m_nano / 1e9;
}

// ---- whole values --------------------------------------------------------------

void CDateTime::CheckKindForSet(DTType kind) const {
  if (m_type != dt_notSet && m_type != kind)
    detail::ThrowKindMismatch(KindName(m_type), KindName(kind));
}

void CDateTime::SetDateTime(DTType kind, short year, unsigned char month, unsigned char day,
                            unsigned char hour, unsigned char minute, unsigned char second,
                            unsigned short milli, unsigned short micro, unsigned short nano) {
  CheckKindForSet(kind);
  Clear();
  m_type = kind;
  m_year = year;
  m_month = month;
  m_day = day;
  m_hour = hour;
  m_minute = minute;
  m_second = second;
  m_milli = milli;
  m_micro = micro;
  m_nano = nano;
  Validate();
}

void CDateTime::SetDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
                            unsigned char minute, unsigned char second) {
  SetDateTime(dt_dateTime, year, month, day, hour, minute, second, 0, 0, 0);
}

void CDateTime::SetDateTime(short year, unsigned char month, unsigned char day, unsigned char hour,
                            unsigned char minute, unsigned char second, unsigned short milli,
                            unsigned short micro, unsigned short nano) {
  SetDateTime(dt_dateTime, year, month, day, hour, minute, second, milli, micro, nano);
}

void CDateTime::SetDate(short year, unsigned char month, unsigned char day) {
  SetDateTime(dt_date, year, month, day, 0, 0, 0, 0, 0, 0);
}

void CDateTime::SetTime(unsigned char hour, unsigned char minute, unsigned char second) {
  SetDateTime(dt_time, 0, 0, 0, hour, minute, second, 0, 0, 0);
}

void CDateTime::SetTime(unsigned char hour, unsigned char minute, unsigned char second,
                        unsigned short milli, unsigned short micro, unsigned short nano) {
  SetDateTime(dt_time, 0, 0, 0, hour, minute, second, milli, micro, nano);
}

void CDateTime::SetFracTime(unsigned short milli, unsigned short micro, unsigned short nano) {
  SetDateTime(dt_time, 0, 0, 0, 0, 0, 0, milli, micro, nano);
}

void CDateTime::SetGYear(short year) { SetDateTime(dt_gYear, year, 0, 0, 0, 0, 0, 0, 0, 0); }

void CDateTime::SetGYearMonth(short year, unsigned char month) {
  SetDateTime(dt_gYearMonth, year, month, 0, 0, 0, 0, 0, 0, 0);
}

void CDateTime::SetGMonth(unsigned char month) {
  SetDateTime(dt_gMonth, 0, month, 0, 0, 0, 0, 0, 0, 0);
}

void CDateTime::SetGMonthDay(unsigned char month, unsigned char day) {
  SetDateTime(dt_gMonthDay, 0, month, day, 0, 0, 0, 0, 0, 0);
}

void CDateTime::SetGDay(unsigned char day) { SetDateTime(dt_gDay, 0, 0, day, 0, 0, 0, 0, 0, 0); }

void CDateTime::Validate() const {
  if (m_type == dt_notSet) detail::ThrowDateText(detail::DateText::YearZero);
  const char* const kind = KindName(m_type);

  if (Uses(kMonthKinds, m_type)) {
    if (m_month < 1 || m_month > 12) detail::ThrowFieldRange(DateField::Month, m_month);
  } else if (m_month != 0) {
    detail::ThrowFieldForKind(DateField::Month, m_month, kind);
  }

  if (Uses(kYearKinds, m_type)) {
    if (m_year < MIN_YEAR || m_year > MAX_YEAR || m_year == 0)
      detail::ThrowFieldRange(DateField::Year, m_year);
  } else if (m_year != 0) {
    detail::ThrowFieldForKind(DateField::Year, m_year, kind);
  }

  if (m_type == dt_date || m_type == dt_dateTime) {
    if (m_day < 1 || m_day > detail::DaysInMonth(m_year, m_month)) detail::ThrowDayInMonth(m_day);
  } else if (m_type == dt_gMonthDay) {
    if (m_day < 1 || m_day > g_monthMax[m_month - 1]) detail::ThrowDayInMonthDay(m_day);
  } else if (m_type == dt_gDay) {
    if (m_day < 1 || m_day > 31) detail::ThrowFieldRange(DateField::Day, m_day);
  } else if (m_day != 0) {
    detail::ThrowFieldForKind(DateField::Day, m_day, kind);
  }

  const struct {
    DateField field;
    int value;
    int max;
  } clock[] = {{DateField::Hour, m_hour, 23},     {DateField::Minute, m_minute, 59},
               {DateField::Second, m_second, 59}, {DateField::Milli, m_milli, 999},
               {DateField::Micro, m_micro, 999},  {DateField::Nano, m_nano, 999}};
  const bool usesClock = Uses(kClockKinds, m_type);
  for (const auto& c : clock) {
    if (usesClock) {
      if (c.value > c.max) detail::ThrowFieldRange(c.field, c.value);
    } else if (c.value != 0) {
      detail::ThrowFieldForKind(c.field, c.value, kind);
    }
  }
}

// ---- time zone ---------------------------------------------------------------

void CDateTime::SetUTC() {
  m_hasZone = true;
  m_hasOffset = false;
  m_zoneHour = 0;
  m_zoneMinute = 0;
}

void CDateTime::SetTimeZone(short hour, unsigned char minute) {
  if (hour < -23 || hour > 23 || minute > 59) detail::ThrowBadTimeZone(hour, minute);
  m_hasZone = true;
  m_hasOffset = true;
  m_zoneHour = hour;
  m_zoneMinute = minute;
}

short CDateTime::GetZoneHour() const {
  if (!m_hasOffset) detail::ThrowDateText(detail::DateText::NoTimeZone);
  return m_zoneHour;
}

unsigned char CDateTime::GetZoneMinute() const {
  if (!m_hasOffset) detail::ThrowDateText(detail::DateText::NoTimeZone);
  return m_zoneMinute;
}

CDateTime CDateTime::GetNormalized() const {
  CDateTime result(*this);
  if (!m_hasOffset) return result;
  const unsigned long hours = static_cast<unsigned long>(m_zoneHour < 0 ? -m_zoneHour : m_zoneHour);
  CDateTimeSpan offset(hours, m_zoneMinute, 0);
  // Local time minus a positive offset is UTC; a negative offset is added.
  if (m_zoneHour >= 0) offset.Negate();
  result.AddDateTimeSpan(offset);
  result.SetTimeZone(0, 0);
  return result;
}

// ---- conversion between kinds ------------------------------------------------

bool CDateTime::CheckConversion(DTType from, DTType to) {
  if (from == to || to == dt_notSet) return true;
  switch (from) {
    case dt_dateTime: return true;
    case dt_date:
      return to == dt_gYear || to == dt_gYearMonth || to == dt_gMonth || to == dt_gMonthDay ||
             to == dt_gDay;
    case dt_gYearMonth: return to == dt_gMonth || to == dt_gYear;
    case dt_gMonthDay: return to == dt_gMonth || to == dt_gDay;
    case dt_notSet:
    case dt_gYear:
    case dt_time:
    case dt_gDay:
    case dt_gMonth: return false;
  }
  detail::ThrowUnknownDateType(static_cast<int>(from));
}

void CDateTime::SetDateTime(const CDateTime& source, DTType to) {
  if (!CheckConversion(source.m_type, to))
    detail::ThrowConversion(KindName(to), KindName(source.m_type));
  *this = source;
  m_type = to;
}

// ---- arithmetic ----------------------------------------------------------------

void CDateTime::AddDateTimeSpan(const CDateTimeSpan& span) {
  if (m_type == dt_notSet) return;
  // Fields the kind does not use take part as the start of their range (a
  // leap year, January, the first, midnight) and are left as they were, so
  // that a gYear or a time moves only by what it shows.
  const bool usesYear = Uses(kYearKinds, m_type);
  const bool usesMonth = Uses(kMonthKinds, m_type);
  const bool usesDay = Uses(kDayKinds, m_type);
  const bool usesClock = Uses(kClockKinds, m_type);
  const int s = span.IsNegative() ? -1 : 1;

  Wide year = usesYear ? m_year : 2000;
  Wide t = Wide(usesMonth ? m_month : 1) + Wide(s) * span.GetMonths() - 1;
  const int month = static_cast<int>(detail::FloorMod(t, 12)) + 1;
  year += detail::FloorDiv(t, 12) + s * span.GetYears();
  Wide day = usesDay ? m_day : 1;
  const int monthDays = detail::DaysInMonth(year, month);
  if (day > monthDays) day = monthDays;

  // The clock, from the nanoseconds up, each carry taken by floor division.
  Wide v = Wide(usesClock ? m_nano : 0) + s * span.GetNanoSeconds();
  const int nano = static_cast<int>(detail::FloorMod(v, 1000));
  v = Wide(usesClock ? m_micro : 0) + s * span.GetMicroSeconds() + detail::FloorDiv(v, 1000);
  const int micro = static_cast<int>(detail::FloorMod(v, 1000));
  v = Wide(usesClock ? m_milli : 0) + s * span.GetMilliSeconds() + detail::FloorDiv(v, 1000);
  const int milli = static_cast<int>(detail::FloorMod(v, 1000));
  v = Wide(usesClock ? m_second : 0) + Wide(s) * span.GetSeconds() + detail::FloorDiv(v, 1000);
  const int second = static_cast<int>(detail::FloorMod(v, 60));
  v = Wide(usesClock ? m_minute : 0) + Wide(s) * span.GetMinutes() + detail::FloorDiv(v, 60);
  const int minute = static_cast<int>(detail::FloorMod(v, 60));
  v = Wide(usesClock ? m_hour : 0) + Wide(s) * span.GetHours() + detail::FloorDiv(v, 60);
  const int hour = static_cast<int>(detail::FloorMod(v, 24));
  const Wide days = detail::FloorDiv(v, 24) + Wide(s) * span.GetDays();

  // Moving day by day through the months is the same as moving on the day
  // count; a day of 0 (a value whose day was never set) stays 0 when the
  // days do not move.
  int newMonth = month;
  if (days != 0) {
    const detail::CivilDate d = detail::CivilFromDays(detail::DayNumber(year, month, day) + days);
    year = d.year;
    newMonth = d.month;
    day = d.day;
  }

  if (usesYear) {
    if (year < -32768 || year > 32767) detail::ThrowYearOverflow();
    m_year = static_cast<short>(year);
  }
  if (usesMonth) m_month = static_cast<unsigned char>(newMonth);
  if (usesDay) m_day = static_cast<unsigned char>(day);
  if (usesClock) {
    m_hour = static_cast<unsigned char>(hour);
    m_minute = static_cast<unsigned char>(minute);
    m_second = static_cast<unsigned char>(second);
    m_milli = static_cast<unsigned short>(milli);
    m_micro = static_cast<unsigned short>(micro);
    m_nano = static_cast<unsigned short>(nano);
  }
}

CDateTime& CDateTime::operator+=(const CDateTimeSpan& span) {
  AddDateTimeSpan(span);
  return *this;
}

CDateTime& CDateTime::operator-=(const CDateTimeSpan& span) {
  CDateTimeSpan inverse(span);
  inverse.Negate();
  AddDateTimeSpan(inverse);
  return *this;
}

CDateTime CDateTime::operator+(const CDateTimeSpan& span) const {
  CDateTime result(*this);
  result += span;
  return result;
}

CDateTime CDateTime::operator-(const CDateTimeSpan& span) const {
  CDateTime result(*this);
  result -= span;
  return result;
}

namespace {

// Nanoseconds from 1970-01-01T00:00:00Z to the value's date and clock, the
// numeric offset taken off. Fields out of their ranges roll over.
Wide InstantNanos(Wide year, int month, int day, int hour, int minute, int second, int milli,
                  int micro, int nano, bool hasOffset, int zoneHour, int zoneMinute) {
  Wide seconds = detail::DayNumber(year, month, day) * detail::kSecondsPerDay + hour * 3600LL +
                 minute * 60LL + second;
  if (hasOffset) {
    const long long offset = (zoneHour < 0 ? -zoneHour : zoneHour) * 3600LL + zoneMinute * 60LL;
    seconds += zoneHour < 0 ? offset : -offset;
  }
  return seconds * detail::kNanosPerSecond + milli * 1000000LL + micro * 1000LL + nano;
}

}  // namespace

CDateTimeSpan CDateTime::operator-(const CDateTime& other) const {
  CDateTimeSpan result;
  if (m_type != other.m_type || !Uses(kDateKinds, m_type)) return result;
  const bool clock = m_type == dt_dateTime;
  const auto instant = [clock](const CDateTime& v) {
    return clock ? InstantNanos(v.m_year, v.m_month, v.m_day, v.m_hour, v.m_minute, v.m_second,
                                v.m_milli, v.m_micro, v.m_nano, v.m_hasOffset, v.m_zoneHour,
                                v.m_zoneMinute)
                 : InstantNanos(v.m_year, v.m_month, v.m_day, 0, 0, 0, 0, 0, 0, v.m_hasOffset,
                                v.m_zoneHour, v.m_zoneMinute);
  };
  Wide diff = instant(*this) - instant(other);
  const bool negative = diff < 0;
  if (negative) diff = -diff;
  const Wide seconds = diff / detail::kNanosPerSecond;
  const long long fraction = static_cast<long long>(diff % detail::kNanosPerSecond);
  result.SetDateTimeSpan(0, 0, static_cast<unsigned long>(seconds / 86400),
                         static_cast<unsigned long>(seconds / 3600 % 24),
                         static_cast<unsigned long long>(seconds / 60 % 60),
                         static_cast<unsigned long long>(seconds % 60),
                         static_cast<unsigned short>(fraction / 1000000),
                         static_cast<unsigned short>(fraction / 1000 % 1000),
                         static_cast<unsigned short>(fraction % 1000));
  if (negative) result.Negate();
  return result;
}

// ---- comparison ----------------------------------------------------------------

int Compare(const CDateTime& a, const CDateTime& b) {
  const CDateTime::DTType ka = a.m_type, kb = b.m_type;
  const struct {
    unsigned mask;
    long long va, vb;
  } fields[] = {
      {kYearKinds, a.m_year, b.m_year},
      {kMonthKinds, a.m_month, b.m_month},
      {kDayKinds, a.m_day, b.m_day},
      {kClockKinds, a.m_hour, b.m_hour},
      {kClockKinds, a.m_minute, b.m_minute},
      // The seconds with their fraction, exactly.
      {kClockKinds, SecondNanos(a.m_second, a.m_milli, a.m_micro, a.m_nano),
       SecondNanos(b.m_second, b.m_milli, b.m_micro, b.m_nano)},
  };
  for (const auto& f : fields) {
    const bool inA = Uses(f.mask, ka), inB = Uses(f.mask, kb);
    if (inA != inB) return 3;
    if (!inA) continue;
    const int r = Order(f.va, f.vb);
    if (r != 0) return r;
  }
  return 0;
}

int CDateTime::CompareTo(const CDateTime& other) const {
  try {
    const CDateTime p = GetNormalized();
    const CDateTime q = other.GetNormalized();
    if (p.m_hasZone == q.m_hasZone) return Compare(p, q);
    // One side has no zone: it may lie anywhere from 14 hours before to 14
    // hours after the same clock reading in UTC.
    if (p.m_hasZone) {
      CDateTime earliest(other);
      earliest.SetTimeZone(14, 0);
      if (Compare(p, earliest.GetNormalized()) == 1) return 1;
      CDateTime latest(other);
      latest.SetTimeZone(-14, 0);
      if (Compare(p, latest.GetNormalized()) == 2) return 2;
      return 3;
    }
    CDateTime earliest(*this);
    earliest.SetTimeZone(14, 0);
    if (Compare(earliest.GetNormalized(), q) == 2) return 2;
    CDateTime latest(*this);
    latest.SetTimeZone(-14, 0);
    if (Compare(latest.GetNormalized(), q) == 1) return 1;
    return 3;
  } catch (const CVxInvalidValueException&) {
    return 3;
  }
}

// ---- calendar ------------------------------------------------------------------

int CDateTime::GetDayOfYear() const {
  if (!Uses(kDateKinds, m_type)) detail::ThrowNeedsDate("GetDayOfYear", KindName(m_type));
  const int month = m_month >= 1 && m_month <= 12 ? m_month : 1;
  int day = g_monthDayInYear[month - 1] + m_day;
  if (IsLeapYear(m_year) && month > 2) ++day;
  return day;
}

int CDateTime::GetDayOfWeek() const {
  if (!Uses(kDateKinds, m_type)) detail::ThrowNeedsDate("GetDayOfWeek", KindName(m_type));
  const Wide days = detail::FloorDiv(GetTime(), detail::kSecondsPerDay);
  // 1970-01-01 was a Thursday (5 when Sunday is 1).
  return static_cast<int>(detail::FloorMod(days + 4, 7)) + 1;
}

long CDateTime::GetTime() const {
  if (!Uses(kDateKinds, m_type)) detail::ThrowNeedsDate("GetTime", KindName(m_type));
  const bool clock = m_type == dt_dateTime;
  const Wide nanos = InstantNanos(m_year, m_month, m_day, clock ? m_hour : 0, clock ? m_minute : 0,
                                  clock ? m_second : 0, 0, 0, 0, m_hasOffset, m_zoneHour,
                                  m_zoneMinute);
  return static_cast<long>(nanos / detail::kNanosPerSecond);
}

CDateTime CDateTime::GetCurrentTime() {
  const long now = static_cast<long>(std::time(nullptr));
  return CDateTime(now);
}

}  // namespace VxXmlLib10
