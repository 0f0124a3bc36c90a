// Every message of the value types: binary data and compression, dates and durations, numbers,
// facets and patterns, conversions and the variant: thrown from small [[noreturn]] helpers, so that
// the exact wording can be checked in one file (Messages.cpp).
#ifndef VXXML_SRC_TYPES_MESSAGES_H
#define VXXML_SRC_TYPES_MESSAGES_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace VxXmlLib10 {

namespace detail {

// ---- binary data, Base64 and compression --------------------------------------------------------

[[noreturn]] void ThrowIndexOutOfRange(unsigned long index);
[[noreturn]] void ThrowReleaseShared(int64_t remaining);
[[noreturn]] void ThrowAppendShared(int64_t refCount);
[[noreturn]] void ThrowInvalidHexLength();
[[noreturn]] void ThrowInvalidHexChar(char c);
[[noreturn]] void ThrowCompressFailed(int zlibCode);
[[noreturn]] void ThrowDecompressFailed(const char* reason);
[[noreturn]] void ThrowDecompressTruncated();
[[noreturn]] void ThrowDecompressTrailingData();
[[noreturn]] void ThrowDecompressedTooLarge(uint64_t maxSize);
[[noreturn]] void ThrowDecompressedRatio(unsigned int maxRatio);

// ---- dates, times and durations -----------------------------------------------------------------

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

// ---- big integers and decimals ------------------------------------------------------------------

/// Which operator a zero divisor was given to.
enum class DivisionOp { Divide, DivideAssign, Modulo, ModuloAssign };

[[noreturn]] void ThrowDivisionByZero(DivisionOp op);
[[noreturn]] void ThrowNegativeSquareRoot();
[[noreturn]] void ThrowNegativeDifference();
[[noreturn]] void ThrowInvalidDigit(unsigned digit);
[[noreturn]] void ThrowIntOutOfBound();
[[noreturn]] void ThrowNotFiniteDouble();
[[noreturn]] void ThrowDigitCountOutOfRange(long long count);
[[noreturn]] void ThrowDecimalInvalidChar(long long position, const char* text);
/// A number whose exponent would give it more than `limit` integral digits.
[[noreturn]] void ThrowDecimalTooManyDigits(long long limit, const char* text);
[[noreturn]] void ThrowDecimalTooLargeForLongLong();
[[noreturn]] void ThrowDecimalTooLargeForLong();
[[noreturn]] void ThrowDecimalTooLargeForDouble();

// ---- facets and patterns ------------------------------------------------------------------------

/// A value outside its facets, shown as text (strings, binary as hex, the
/// canonical text of big values, dates and durations).
[[noreturn]] void ThrowInvalidValue(const char* name, const std::string& text);
/// The same for the small integer kinds, shown in decimal.
[[noreturn]] void ThrowInvalidValue(const char* name, int value);
[[noreturn]] void ThrowInvalidValue(const char* name, long value);
[[noreturn]] void ThrowInvalidValue(const char* name, unsigned long value);
/// The same for the floating kinds, shown with "%f".
[[noreturn]] void ThrowInvalidValue(const char* name, double value);
/// A string whose pattern did not compile: `patternMessage` is the full
/// message of the pattern failure.
[[noreturn]] void ThrowInvalidValueBadPattern(const std::string& patternMessage,
                                              const char* name, const std::string& value);
/// The dispatcher was asked for a kind it has no check for.
[[noreturn]] void ThrowUnknownType(const std::string& variantTypeName);
/// The variant holds a kind stored differently from the kind asked for.
[[noreturn]] void ThrowTypeMismatch(const char* name, const char* held, const char* wanted);
/// PCRE2 refused the translation of a valid pattern (beyond its limits:
/// too large, too deeply nested); `pattern` is the pattern as given.
[[noreturn]] void ThrowInvalidRegularExpression(const std::string& pattern,
                                                const std::string& error);

/// Why a pattern is not an XML Schema regular expression.
enum class PatternFault {
  kBadUtf8,                // the pattern is not UTF-8
  kQuantifierWithoutAtom,  // ? * + or { where an atom belongs
  kMustBeEscaped,          // detail: the character
  kUnmatchedParenthesis,
  kMissingParenthesis,
  kMissingBracket,
  kEmptyGroup,             // [] or [^]
  kMisplacedHyphen,        // '-' inside a character group
  kSubtractionNotLast,
  kBadRangeEnd,            // a range ending in a class escape or '-'
  kRangeOutOfOrder,
  kUnknownEscape,          // detail: the character after the backslash
  kIncompleteEscape,       // a backslash ends the pattern
  kMissingPropertyOpen,    // detail: p or P
  kMissingPropertyClose,
  kUnknownProperty,        // detail: the name between the braces
  kBadQuantifier,
  kQuantifierOutOfOrder,
  kQuantifierTooLarge,
  kTooDeep,
};

/// A pattern that is not an XML Schema regular expression: "Invalid Regular
/// Expression: <pattern> Error: '<fault>' at character <position>", the
/// position counting characters from 1 (one past the last when the pattern
/// ends too soon).
[[noreturn]] void ThrowInvalidPattern(const std::string& pattern, PatternFault fault,
                                      size_t position, const std::string& detail = {});

// ---- conversions, whitespace rules and the variant ----------------------------------------------

/// "The value [%s] is to large to fit in a %s" (CVxInvalidValueException).
[[noreturn]] void ThrowValueTooLarge(const std::string& text, const char* kind);
/// "The value [%s] can not be converted to a %s" (CVxInvalidValueException).
[[noreturn]] void ThrowValueNotConvertible(const std::string& text, const char* kind);
[[noreturn]] void ThrowInvalidBoolean(const std::string& text);
[[noreturn]] void ThrowInvalidChar(const std::string& text);
[[noreturn]] void ThrowUnknownWhitespaceRule();
/// A variant of a kind out of every range.
[[noreturn]] void ThrowVariantUnknownType();
/// GetType of a variant that names no value kind.
[[noreturn]] void ThrowVariantInvalidType(int type);
/// ToString and FromString of a kind that has no text.
[[noreturn]] void ThrowVariantNoText(int type);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_MESSAGES_H
