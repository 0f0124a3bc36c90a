// The messages of the date, time and duration types.
#include "types/DateTimeErrors.h"

#include <string>

#include "vxxml/DateTime.h"
#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

namespace {

[[noreturn]] void ThrowValue(std::string message) {
  throw CVxInvalidValueException(std::move(message));
}

}  // namespace

void ThrowDateText(DateText which) {
  switch (which) {
    case DateText::YearZero: ThrowValue("Invalid Year Zero");
    case DateText::DateNotSet: ThrowValue("Date Not Set");
    case DateText::NoTimeZone: throw CVxInvalidStateException("TimeZone is not been used");
    case DateText::DateNull: ThrowValue("Invalid Date (Null String)");
    case DateText::DateEmpty: ThrowValue("Invalid Date (Empty String)");
    case DateText::DateHasT: ThrowValue("Invalid Date ('T' not allowed)");
    case DateText::DateBadZone: ThrowValue("Invalid Date (Bad Zone value)");
    case DateText::TimeNull: ThrowValue("Invalid Time (Null String)");
    case DateText::TimeEmpty: ThrowValue("Invalid XSD Time (Empty String)");
    case DateText::DateTimeNull: ThrowValue("Invalid DateTime (Null String)");
    case DateText::DurationNull: ThrowValue("Invalid XSD Duration (Null String)");
    case DateText::DurationEmpty: ThrowValue("Invalid XSD Duration (Empty String)");
  }
  ThrowValue("Invalid date or time value");
}

void ThrowFieldAccess(DateField field, const char* kind) {
  const char* name = "";
  switch (field) {
    case DateField::Year: name = "Year"; break;
    case DateField::Month: name = "Month"; break;
    case DateField::Day: name = "Day"; break;
    case DateField::Hour: name = "Hour"; break;
    case DateField::Minute: name = "Minute"; break;
    case DateField::Second: name = "Second"; break;
    case DateField::RealSecond: name = "RealSecond"; break;
    case DateField::Milli: name = "MilliSecond"; break;
    case DateField::Micro: name = "MicroSecond"; break;
    case DateField::Nano: name = "NanoSecond"; break;
  }
  throw CVxInvalidStateException(FormatString("Failed to Get%s. Invalid Date Type: %s.", name, kind));
}

void ThrowKindMismatch(const char* current, const char* expected) {
  throw CVxInvalidStateException(FormatString(
      "Failed to copy CDateTime. Invalid Date Type: %s, expected: %s.", current, expected));
}

void ThrowNeedsDate(const char* operation, const char* kind) {
  throw CVxInvalidStateException(FormatString(
      "Failed to %s, Date Status must be dateTime or date. Invalid Date Type: %s.", operation, kind));
}

void ThrowFieldRange(DateField field, int value) {
  switch (field) {
    case DateField::Year:
      ThrowValue(FormatString("Invalid Year [%d] (%d <= year <= %d && year != 0)", value,
                              int(MIN_YEAR), int(MAX_YEAR)));
    case DateField::Month: ThrowValue(FormatString("Invalid Month [%d] (1 <= month <= 12)", value));
    case DateField::Day: ThrowValue(FormatString("Invalid Day [%d] (1 <= day <= 31)", value));
    case DateField::Hour: ThrowValue(FormatString("Invalid Hour [%d] (0 <= hour <= 23)", value));
    case DateField::Minute:
      ThrowValue(FormatString("Invalid Minute [%d] (0 <= minute <= 59)", value));
    case DateField::Second:
      ThrowValue(FormatString("Invalid Second [%d] (0 <= second <= 59)", value));
    case DateField::Milli:
      ThrowValue(FormatString("Invalid Milli-Second [%d] (0 <= milli <= 999)", value));
    case DateField::Micro:
      ThrowValue(FormatString("Invalid Micro-Second [%d] (0 <= micro <= 999)", value));
    case DateField::Nano:
      ThrowValue(FormatString("Invalid Nano-Second [%d] (0 <= nano <= 999)", value));
    case DateField::RealSecond: break;
  }
  ThrowValue(FormatString("Invalid Second [%d]", value));
}

void ThrowFieldForKind(DateField field, int value, const char* kind) {
  const char* name = "Second";
  switch (field) {
    case DateField::Year: name = "Year"; break;
    case DateField::Month: name = "Month"; break;
    case DateField::Day: name = "Day"; break;
    case DateField::Hour: name = "Hour"; break;
    case DateField::Minute: name = "Minute"; break;
    case DateField::Second:
    case DateField::RealSecond: name = "Second"; break;
    case DateField::Milli: name = "Milli-Second"; break;
    case DateField::Micro: name = "Micro-Second"; break;
    case DateField::Nano: name = "Nano-Second"; break;
  }
  ThrowValue(FormatString("Invalid %s [%d] for type %s", name, value, kind));
}

// The unbalanced parenthesis is the established wording of this message.
void ThrowDayInMonth(int day) {
  ThrowValue(FormatString("Invalid Day [%d] (1 <= day <= days in month", day));
}

void ThrowDayInMonthDay(int day) {
  ThrowValue(FormatString("Invalid Day [%d] (1 <= day <= days in month)", day));
}

void ThrowBadZoneText(const char* text, size_t length) {
  ThrowValue(FormatString("Invalid XSD Time Zone [%s]", std::string(text, length).c_str()));
}

void ThrowBadTimeZone(int hour, int minute) {
  ThrowValue(FormatString("Invalid TimeZone [%d:%d]", hour, minute));
}

void ThrowBadDate(const char* text, size_t length) {
  ThrowValue(FormatString("Invalid XSD Date [%s] expected CCYY-MM-DD[Z|[+|-]hh:mm]",
                          std::string(text, length).c_str()));
}

void ThrowBadTime(const char* text, size_t length) {
  ThrowValue(FormatString("Invalid XSD Time [%s] expected hh:mm:ss[.ff]",
                          std::string(text, length).c_str()));
}

void ThrowTimeFractionTooLong(const char* text, size_t length) {
  ThrowValue(FormatString("Invalid XSD Time [%s] Fraction part too long",
                          std::string(text, length).c_str()));
}

void ThrowNoT(const char* text) { ThrowValue(FormatString("Invalid XSD DateTime [%s]", text)); }

void ThrowBadDateTime(const char* text) {
  ThrowValue(FormatString("Invalid XSD DateTime [%s] expected CCYY-MM-DDThh:mm:ss[.ff]", text));
}

void ThrowBadDuration(const char* text) {
  ThrowValue(
      FormatString("Invalid XSD Duration [%s] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]", text));
}

void ThrowDurationFractionTooLong(const char* text) {
  ThrowValue(FormatString("Invalid XSD Duration [%s] Fraction part too long", text));
}

void ThrowUnknownDateType(int kind) { ThrowValue(FormatString("Unknown date type %d.", kind)); }

// "contian" is the established spelling of this message.
void ThrowConversion(const char* target, const char* source) {
  ThrowValue(FormatString(
      "Attempting to set a CDateTime of type %s using an XmlDateTime of type %s. The source "
      "CDateTime does not contian enough data to allow the conversion.",
      target, source));
}

void ThrowYearOverflow() {
  ThrowValue("Adding the duration takes the year outside -32768..32767");
}

void ThrowBadDivisor(int divisor) {
  throw CVxInvalidParamException(FormatString("Invalid divisor [%d]", divisor));
}

}  // namespace detail
}  // namespace VxXmlLib10
