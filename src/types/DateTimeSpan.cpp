// CDateTimeSpan: the XML Schema duration.
#include "vxxml/DateTimeSpan.h"

#include <climits>
#include <cstdint>

#include "types/Calendar.h"
#include "types/DateTimeDigits.h"
#include "types/Messages.h"
#include "vxxml/Exception.h"

namespace VxXmlLib10 {

using detail::Wide;

CDateTimeSpan::CDateTimeSpan() { Clear(); }

CDateTimeSpan::CDateTimeSpan(unsigned short years, unsigned long months, unsigned long days,
                             unsigned long hours, unsigned long long minutes,
                             unsigned long long seconds) {
  SetDateTimeSpan(years, months, days, hours, minutes, seconds);
}

CDateTimeSpan::CDateTimeSpan(unsigned short years, unsigned long months, unsigned long days,
                             unsigned long hours, unsigned long long minutes,
                             unsigned long long seconds, unsigned short milli,
                             unsigned short micro, unsigned short nano) {
  SetDateTimeSpan(years, months, days, hours, minutes, seconds, milli, micro, nano);
}

CDateTimeSpan::CDateTimeSpan(unsigned long hours, unsigned long long minutes,
                             unsigned long long seconds) {
  SetDateTimeSpan(hours, minutes, seconds);
}

CDateTimeSpan::CDateTimeSpan(const CDateTimeSpan& other) = default;
CDateTimeSpan::~CDateTimeSpan() = default;
CDateTimeSpan& CDateTimeSpan::operator=(const CDateTimeSpan& other) = default;

void CDateTimeSpan::Clear() {
  m_years = 0;
  m_months = m_days = m_hours = 0;
  m_minutes = m_seconds = 0;
  m_milli = m_micro = m_nano = 0;
  m_negative = false;
}

void CDateTimeSpan::SetDateTimeSpan(unsigned short years, unsigned long months,
                                    unsigned long days, unsigned long hours,
                                    unsigned long long minutes, unsigned long long seconds) {
  SetDateTimeSpan(years, months, days, hours, minutes, seconds, 0, 0, 0);
}

void CDateTimeSpan::SetDateTimeSpan(unsigned short years, unsigned long months,
                                    unsigned long days, unsigned long hours,
                                    unsigned long long minutes, unsigned long long seconds,
                                    unsigned short milli, unsigned short micro,
                                    unsigned short nano) {
  Clear();
  m_years = years;
  m_months = months;
  m_days = days;
  m_hours = hours;
  m_minutes = minutes;
  m_seconds = seconds;
  m_milli = milli;
  m_micro = micro;
  m_nano = nano;
}

void CDateTimeSpan::SetDateTimeSpan(unsigned long hours, unsigned long long minutes,
                                    unsigned long long seconds) {
  SetDateTimeSpan(0, 0, 0, hours, minutes, seconds, 0, 0, 0);
}

CDateTimeSpan CDateTimeSpan::GetAsNegative() const {
  CDateTimeSpan result(*this);
  result.m_negative = true;
  return result;
}

// ---- text --------------------------------------------------------------------

std::string CDateTimeSpan::ToString() const {
  std::string out;
  out.reserve(32);
  out += m_negative ? "-P" : "P";
  const auto number = [&out](unsigned long long value, char designator) {
    if (value == 0) return;
    detail::AppendUnsigned(out, value);
    out += designator;
  };
  number(m_years, 'Y');
  number(m_months, 'M');
  number(m_days, 'D');
  const bool fraction = m_milli != 0 || m_micro != 0 || m_nano != 0;
  if (m_hours == 0 && m_minutes == 0 && m_seconds == 0 && !fraction) {
    // "P" alone is not a duration: the zero duration reads "PT0S".
    if (m_years == 0 && m_months == 0 && m_days == 0) out += "T0S";
    return out;
  }
  out += 'T';
  number(m_hours, 'H');
  number(m_minutes, 'M');
  if (m_seconds == 0 && !fraction) return out;
  detail::AppendUnsigned(out, m_seconds);
  detail::AppendFraction(out, m_milli, m_micro, m_nano);
  out += 'S';
  return out;
}

bool CDateTimeSpan::ParseXSDDuration(const char* text) {
  Clear();
  if (!text) detail::ThrowDateText(detail::DateText::DurationNull);
  if (!*text) detail::ThrowDateText(detail::DateText::DurationEmpty);

  // How far the form has got; each designator may follow only earlier states.
  enum State { kP, kYear, kMonth, kDay, kT, kHour, kMinute, kSecond };
  const char* p = text;
  if (*p == '-') {
    m_negative = true;
    ++p;
  }
  if (*p != 'P') detail::ThrowBadDuration(text);
  ++p;
  State state = kP;
  while (*p) {
    // A run of digits, possibly empty (0); a run beyond 64 bits is refused
    // later, when the designator names its field.
    unsigned long long value = 0;
    bool tooLarge = false, digits = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
      const unsigned d = static_cast<unsigned>(*p - '0');
      digits = true;
      if (value > (ULLONG_MAX - d) / 10) tooLarge = true;
      else value = value * 10 + d;
    }
    const char designator = *p;
    const auto fits = [&](unsigned long long max) {
      if (tooLarge || value > max) detail::ThrowBadDuration(text);
    };
    switch (designator) {
      case 'Y':
        if (state != kP) detail::ThrowBadDuration(text);
        fits(USHRT_MAX);
        m_years = static_cast<unsigned short>(value);
        state = kYear;
        break;
      case 'M':
        if (state == kP || state == kYear) {
          fits(ULONG_MAX);
          m_months = static_cast<unsigned long>(value);
          state = kMonth;
        } else if (state == kT || state == kHour) {
          fits(ULLONG_MAX);
          m_minutes = value;
          state = kMinute;
        } else {
          detail::ThrowBadDuration(text);
        }
        break;
      case 'D':
        if (state != kP && state != kYear && state != kMonth) detail::ThrowBadDuration(text);
        fits(ULONG_MAX);
        m_days = static_cast<unsigned long>(value);
        state = kDay;
        break;
      case 'T':
        // Digits before 'T' would be dropped: refuse them.
        if (state > kDay || digits) detail::ThrowBadDuration(text);
        state = kT;
        break;
      case 'H':
        if (state != kT) detail::ThrowBadDuration(text);
        fits(ULONG_MAX);
        m_hours = static_cast<unsigned long>(value);
        state = kHour;
        break;
      case 'S':
      case '.':
        if (state != kT && state != kHour && state != kMinute) detail::ThrowBadDuration(text);
        fits(ULLONG_MAX);
        m_seconds = value;
        state = kSecond;
        if (designator == '.') {
          // Digits 1-3 fill the milliseconds, 4-6 the micro, 7-9 the nano.
          unsigned short* const groups[3] = {&m_milli, &m_micro, &m_nano};
          static const unsigned short kWeight[3] = {100, 10, 1};
          ++p;
          for (int count = 0; *p >= '0' && *p <= '9'; ++count, ++p) {
            if (count == 9) detail::ThrowDurationFractionTooLong(text);
            *groups[count / 3] =
                static_cast<unsigned short>(*groups[count / 3] + (*p - '0') * kWeight[count % 3]);
          }
          if (*p != 'S') detail::ThrowBadDuration(text);
        }
        break;
      default:  // another character, or digits at the end without a designator
        detail::ThrowBadDuration(text);
    }
    ++p;
  }
  if (state == kP || state == kT) detail::ThrowBadDuration(text);
  return true;
}

// ---- order -------------------------------------------------------------------

namespace {

// The duration added to year-month-01T00:00:00Z, in nanoseconds from
// 1970-01-01T00:00:00Z. Adding to the first of a month never moves the day,
// so this is exactly the dateTime that the addition gives, on the time line.
Wide EndNanos(const CDateTimeSpan& d, int year, int month) {
  const Wide s = d.IsNegative() ? -1 : 1;
  const Wide t = Wide(month - 1) + s * Wide(d.GetMonths());
  const Wide y = Wide(year) + detail::FloorDiv(t, 12) + s * Wide(d.GetYears());
  const Wide start = detail::DaysFromCivil(y, static_cast<int>(detail::FloorMod(t, 12)) + 1);
  const Wide seconds = Wide(d.GetDays()) * detail::kSecondsPerDay + Wide(d.GetHours()) * 3600 +
                       Wide(d.GetMinutes()) * 60 + Wide(d.GetSeconds());
  const Wide fraction = Wide(d.GetMilliSeconds()) * 1000000 + Wide(d.GetMicroSeconds()) * 1000 +
                        Wide(d.GetNanoSeconds());
  return start * detail::kSecondsPerDay * detail::kNanosPerSecond +
         s * (seconds * detail::kNanosPerSecond + fraction);
}

}  // namespace

int CDateTimeSpan::CompareTo(const CDateTimeSpan& other) const {
  // The four reference dateTimes between them meet every combination of month
  // lengths and leap days that decides the order.
  static const int kReference[4][2] = {{1696, 9}, {1697, 2}, {1903, 3}, {1903, 7}};
  int common = -1;
  for (const auto& ref : kReference) {
    const Wide a = EndNanos(*this, ref[0], ref[1]);
    const Wide b = EndNanos(other, ref[0], ref[1]);
    const int r = a < b ? 1 : (a > b ? 2 : 0);
    if (common >= 0 && r != common) return 3;
    common = r;
  }
  return common;
}

}  // namespace VxXmlLib10
