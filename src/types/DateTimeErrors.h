// Every message of the date, time and duration types, thrown from small
// out-of-line helpers so that the parsers stay small and the wording can be
// checked in one file (DateTimeErrors.cpp).
#ifndef VXXML_SRC_TYPES_DATETIMEERRORS_H
#define VXXML_SRC_TYPES_DATETIMEERRORS_H

#include <cstddef>

namespace VxXmlLib10 {
namespace detail {

/// The fields named in the range and field-access messages.
enum class DateField { Year, Month, Day, Hour, Minute, Second, RealSecond, Milli, Micro, Nano };

/// Fixed texts without arguments.
enum class DateText {
  YearZero,          // Validate of a value without kind
  DateNotSet,        // ToString of an empty value
  NoTimeZone,        // zone hour/minute asked without an offset
  DateNull,
  DateEmpty,
  DateHasT,
  DateBadZone,
  TimeNull,
  TimeEmpty,
  DateTimeNull,
  DurationNull,
  DurationEmpty,
};

// CVxInvalidValueException with a fixed text.
[[noreturn]] void ThrowDateText(DateText which);
// CVxInvalidStateException "Failed to Get<field>. Invalid Date Type: <kind>."
[[noreturn]] void ThrowFieldAccess(DateField field, const char* kind);
// CVxInvalidStateException: a whole-value setter on a value of another kind.
[[noreturn]] void ThrowKindMismatch(const char* current, const char* expected);
// CVxInvalidStateException: calendar operations on kinds without a full date.
[[noreturn]] void ThrowNeedsDate(const char* operation, const char* kind);
// CVxInvalidValueException: a field outside its range for its kind.
[[noreturn]] void ThrowFieldRange(DateField field, int value);
// CVxInvalidValueException: a field that must be 0 for the kind.
[[noreturn]] void ThrowFieldForKind(DateField field, int value, const char* kind);
// CVxInvalidValueException: day of a date or dateTime beyond its month.
[[noreturn]] void ThrowDayInMonth(int day);
// CVxInvalidValueException: day of a gMonthDay beyond its month.
[[noreturn]] void ThrowDayInMonthDay(int day);

// Parse failures; `text` and `length` give the offending text (no terminator needed).
[[noreturn]] void ThrowBadZoneText(const char* text, size_t length);
[[noreturn]] void ThrowBadTimeZone(int hour, int minute);
[[noreturn]] void ThrowBadDate(const char* text, size_t length);
[[noreturn]] void ThrowBadTime(const char* text, size_t length);
[[noreturn]] void ThrowTimeFractionTooLong(const char* text, size_t length);
[[noreturn]] void ThrowNoT(const char* text);
[[noreturn]] void ThrowBadDateTime(const char* text);
[[noreturn]] void ThrowBadDuration(const char* text);
[[noreturn]] void ThrowDurationFractionTooLong(const char* text);

[[noreturn]] void ThrowUnknownDateType(int kind);
[[noreturn]] void ThrowConversion(const char* target, const char* source);
[[noreturn]] void ThrowYearOverflow();
[[noreturn]] void ThrowBadDivisor(int divisor);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_DATETIMEERRORS_H
