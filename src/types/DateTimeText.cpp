// CDateTime: reading and writing the XML Schema lexical forms.
//
// The readers work on (pointer, length) pieces of the caller's text and never
// look past the piece; the public entry points measure NUL-terminated text
// once.
#include <cstring>

#include "types/DateTimeDigits.h"
#include "types/Messages.h"
#include "vxxml/DateTime.h"
#include "vxxml/Exception.h"

namespace VxXmlLib10 {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Two digits at p; false when either is not a digit.
bool TwoDigits(const char* p, int& value) {
  if (!IsDigit(p[0]) || !IsDigit(p[1])) return false;
  value = (p[0] - '0') * 10 + (p[1] - '0');
  return true;
}

bool FourDigits(const char* p, int& value) {
  int hi, lo;
  if (!TwoDigits(p, hi) || !TwoDigits(p + 2, lo)) return false;
  value = hi * 100 + lo;
  return true;
}

// A zone written "+hh:mm" or "-hh:mm": hour with the sign, minute. False for
// any other shape.
bool ReadOffset(const char* p, size_t length, int& hour, int& minute) {
  if (length != 6 || (p[0] != '+' && p[0] != '-') || p[3] != ':') return false;
  if (!TwoDigits(p + 1, hour) || !TwoDigits(p + 4, minute)) return false;
  if (hour == 24) hour = 0;
  if (p[0] == '-') hour = -hour;
  return true;
}

struct DateFields {
  CDateTime::DTType kind;
  int year;
  int month;
  int day;
};

// The date part (zone already cut off): the kind follows the form. False for
// any other shape or a non-digit where a digit belongs.
bool ReadDatePart(const char* p, size_t n, DateFields& out) {
  out.year = out.month = out.day = 0;
  if (n >= 2 && p[0] == '-' && p[1] == '-') {
    switch (n) {
      case 4:  // --MM
        out.kind = CDateTime::dt_gMonth;
        return TwoDigits(p + 2, out.month);
      case 5:  // ---DD
        out.kind = CDateTime::dt_gDay;
        return p[2] == '-' && TwoDigits(p + 3, out.day);
      case 6:  // --MM--
        out.kind = CDateTime::dt_gMonth;
        return TwoDigits(p + 2, out.month) && p[4] == '-' && p[5] == '-';
      case 7:  // --MM-DD
        out.kind = CDateTime::dt_gMonthDay;
        return TwoDigits(p + 2, out.month) && p[4] == '-' && TwoDigits(p + 5, out.day);
      default: return false;
    }
  }
  const bool negative = n > 0 && p[0] == '-';
  if (negative) {
    ++p;
    --n;
  }
  if (n != 4 && n != 7 && n != 10) return false;
  if (!FourDigits(p, out.year)) return false;
  if (negative) out.year = -out.year;
  if (n == 4) {
    out.kind = CDateTime::dt_gYear;
    return true;
  }
  if (p[4] != '-' || !TwoDigits(p + 5, out.month)) return false;
  if (n == 7) {
    out.kind = CDateTime::dt_gYearMonth;
    return true;
  }
  out.kind = CDateTime::dt_date;
  return p[7] == '-' && TwoDigits(p + 8, out.day);
}

// "-" for a negative year, then at least four digits of its magnitude.
void AppendYear(std::string& out, int year) {
  if (year < 0) out += '-';
  detail::AppendUnsigned(out, static_cast<unsigned>(year < 0 ? -year : year), 4);
}

void Append2(std::string& out, unsigned value) {
  if (value < 100) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
  } else {
    detail::AppendUnsigned(out, value, 2);  // a field set out of range
  }
}

}  // namespace

// ---- writing -----------------------------------------------------------------

std::string CDateTime::ToString() const { return ToString("s"); }

std::string CDateTime::ToString(const char* format) const {
  if (m_type == dt_notSet ||
      (m_type != dt_time && m_year == 0 && m_month == 0 && m_day == 0 && m_hour == 0 &&
       m_minute == 0 && m_second == 0 && m_milli == 0 && m_micro == 0 && m_nano == 0))
    detail::ThrowDateText(detail::DateText::DateNotSet);
  if (format == nullptr || format[0] == '\0' || std::strcmp(format, "G") == 0) return std::string();
  if (std::strcmp(format, "s") != 0) return std::string("Unknown Format: ") + format;

  std::string out;
  out.reserve(40);
  const auto date = [&] {
    AppendYear(out, m_year);
    out += '-';
    Append2(out, m_month);
    out += '-';
    Append2(out, m_day);
  };
  const auto clock = [&] {
    Append2(out, m_hour);
    out += ':';
    Append2(out, m_minute);
    out += ':';
    Append2(out, m_second);
    detail::AppendFraction(out, m_milli, m_micro, m_nano);
  };
  switch (m_type) {
    case dt_dateTime:
      date();
      out += 'T';
      clock();
      break;
    case dt_date: date(); break;
    case dt_gYearMonth:
      AppendYear(out, m_year);
      out += '-';
      Append2(out, m_month);
      break;
    case dt_gYear: AppendYear(out, m_year); break;
    case dt_time: clock(); break;
    case dt_gDay:
      out += "---";
      Append2(out, m_day);
      break;
    case dt_gMonth:
      out += "--";
      Append2(out, m_month);
      break;
    case dt_gMonthDay:
      out += "--";
      Append2(out, m_month);
      out += '-';
      Append2(out, m_day);
      break;
    case dt_notSet: break;
  }
  if (m_hasZone) {
    if (m_hasOffset) {
      out += m_zoneHour < 0 ? '-' : '+';
      Append2(out, static_cast<unsigned>(m_zoneHour < 0 ? -m_zoneHour : m_zoneHour));
      out += ':';
      Append2(out, m_zoneMinute);
    } else {
      out += 'Z';
    }
  }
  return out;
}

// ---- reading -----------------------------------------------------------------

void CDateTime::SetZone(const char* text) {
  const size_t length = text ? std::strlen(text) : 0;
  // "Z" stands alone: text after it would be silently dropped.
  if (length == 1 && text[0] == 'Z') {
    SetUTC();
    return;
  }
  int hour, minute;
  if (!text || !ReadOffset(text, length, hour, minute))
    detail::ThrowBadZoneText(text ? text : "", length);
  SetTimeZone(static_cast<short>(hour), static_cast<unsigned char>(minute));
}

void CDateTime::SetXSDDate(const char* text) {
  if (!text) detail::ThrowDateText(detail::DateText::DateNull);
  DateFields f;
  size_t dateLength = 10;
  bool endsZ = false, colon = false;
  // The common form, a date without a zone ("2001-05-06"): its shape rules
  // out a 'T' and a zone, so none of the searches below is needed.
  if (strnlen(text, 11) != 10 || !ReadDatePart(text, 10, f)) {
    const size_t length = std::strlen(text);
    if (length == 0) detail::ThrowDateText(detail::DateText::DateEmpty);
    if (std::memchr(text, 'T', length)) detail::ThrowDateText(detail::DateText::DateHasT);
    endsZ = text[length - 1] == 'Z';
    colon = std::memchr(text, ':', length) != nullptr;
    if (endsZ && colon) detail::ThrowDateText(detail::DateText::DateBadZone);

    dateLength = length;
    if (endsZ) dateLength = length - 1;
    else if (colon) {
      if (length < 6) detail::ThrowBadDate(text, length);
      dateLength = length - 6;
    }
    if (!ReadDatePart(text, dateLength, f)) detail::ThrowBadDate(text, length);
  }
  m_type = f.kind;
  m_year = static_cast<short>(f.year);
  m_month = static_cast<unsigned char>(f.month);
  m_day = static_cast<unsigned char>(f.day);
  if (endsZ || colon) SetZone(text + dateLength);
}

void CDateTime::SetXSDTime(const char* text) {
  if (!text) detail::ThrowDateText(detail::DateText::TimeNull);
  const size_t length = std::strlen(text);
  if (length == 0) detail::ThrowDateText(detail::DateText::TimeEmpty);
  int hour, minute, second;
  if (length < 8 || !TwoDigits(text, hour) || text[2] != ':' || !TwoDigits(text + 3, minute) ||
      text[5] != ':' || !TwoDigits(text + 6, second) || hour > 23 || minute > 59 || second > 59)
    detail::ThrowBadTime(text, length);
  m_hour = static_cast<unsigned char>(hour);
  m_minute = static_cast<unsigned char>(minute);
  m_second = static_cast<unsigned char>(second);
  m_milli = m_micro = m_nano = 0;

  size_t pos = 8;
  if (pos < length && text[pos] == '.') {
    ++pos;
    // Digits 1-3 fill the milliseconds, 4-6 the micro, 7-9 the nano.
    unsigned short* const groups[3] = {&m_milli, &m_micro, &m_nano};
    static const unsigned short kWeight[3] = {100, 10, 1};
    for (int count = 0; pos < length && IsDigit(text[pos]); ++count, ++pos) {
      if (count == 9) detail::ThrowTimeFractionTooLong(text, length);
      *groups[count / 3] =
          static_cast<unsigned short>(*groups[count / 3] + (text[pos] - '0') * kWeight[count % 3]);
    }
  }
  if (pos < length) SetZone(text + pos);
  m_type = dt_time;
}

void CDateTime::ParseXSDDate(const char* text) {
  Clear();
  SetXSDDate(text);
  Validate();
}

void CDateTime::ParseXSDTime(const char* text) {
  Clear();
  SetXSDTime(text);
  Validate();
}

void CDateTime::ParseXSDDateTime(const char* text) {
  if (!text) detail::ThrowDateText(detail::DateText::DateTimeNull);
  const char* const t = std::strchr(text, 'T');
  if (!t) detail::ThrowNoT(text);
  Clear();
  const std::string datePart(text, static_cast<size_t>(t - text));
  SetXSDDate(datePart.c_str());
  // A zone belongs after the clock, not between the date and the 'T'.
  if (m_type != dt_date || m_hasZone) detail::ThrowBadDateTime(text);
  SetXSDTime(t + 1);
  m_type = dt_dateTime;
  Validate();
}

}  // namespace VxXmlLib10
