// The message texts of the value types: binary data and compression, dates and durations, numbers,
// facets and patterns, conversions and the variant.
#include "types/Messages.h"

#include <string>

#include "vxxml/DateTime.h"
#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

// ---- binary data, Base64 and compression --------------------------------------------------------

// The texts print indexes and counts with %d: values beyond int are shown
// truncated, as the message format allows no more.
void ThrowIndexOutOfRange(unsigned long index) {
  throw CVxException(FormatString("Index Out of range [%d]", static_cast<int>(index)));
}

void ThrowReleaseShared(int64_t remaining) {
  throw CVxException(FormatString("Failed to release data. [RefCount=%d]",
                                  static_cast<int>(remaining)));
}

void ThrowAppendShared(int64_t refCount) {
  throw CVxException(FormatString("Failed to append. [RefCount=%d]", static_cast<int>(refCount)));
}

void ThrowInvalidHexLength() { throw CVxException("Invalid length in hex string"); }

void ThrowInvalidHexChar(char c) {
  throw CVxException(FormatString("Invalid char in hex string [%c]", c));
}

void ThrowCompressFailed(int zlibCode) {
  throw CVxException(FormatString("Failed to compress data. [Error Code: %d]", zlibCode));
}

void ThrowDecompressFailed(const char* reason) {
  throw CVxException(FormatString("Failed to decompress data. [%s]",
                                  reason ? reason : "invalid compressed data"));
}

void ThrowDecompressTruncated() {
  throw CVxException("Failed to decompress data. [the compressed data is truncated]");
}

void ThrowDecompressTrailingData() {
  throw CVxException("Failed to decompress data. [data follows the end of the compressed stream]");
}

void ThrowDecompressedTooLarge(uint64_t maxSize) {
  throw CVxException(FormatString("Decompressed data exceeds the limit MaxDecompressedSize [%llu bytes]",
                                  static_cast<unsigned long long>(maxSize)));
}

void ThrowDecompressedRatio(unsigned int maxRatio) {
  throw CVxException(
      FormatString("Decompressed data exceeds the limit MaxCompressionRatio [%u:1]", maxRatio));
}

// ---- dates, times and durations -----------------------------------------------------------------

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

namespace {

// A field's name as its accessor says it (GetMilliSecond) and as a message
// about its value says it (Milli-Second).
struct FieldNames {
  const char* accessor;
  const char* value;
};

FieldNames NamesOf(DateField field) {
  switch (field) {
    case DateField::Year: return {"Year", "Year"};
    case DateField::Month: return {"Month", "Month"};
    case DateField::Day: return {"Day", "Day"};
    case DateField::Hour: return {"Hour", "Hour"};
    case DateField::Minute: return {"Minute", "Minute"};
    case DateField::Second: return {"Second", "Second"};
    case DateField::RealSecond: return {"RealSecond", "Second"};
    case DateField::Milli: return {"MilliSecond", "Milli-Second"};
    case DateField::Micro: return {"MicroSecond", "Micro-Second"};
    case DateField::Nano: return {"NanoSecond", "Nano-Second"};
  }
  return {"", "Second"};
}

}  // namespace

void ThrowFieldAccess(DateField field, const char* kind) {
  throw CVxInvalidStateException(
      FormatString("Failed to Get%s. Invalid Date Type: %s.", NamesOf(field).accessor, kind));
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
  ThrowValue(FormatString("Invalid %s [%d] for type %s", NamesOf(field).value, value, kind));
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

// ---- big integers and decimals ------------------------------------------------------------------

void ThrowDivisionByZero(DivisionOp op) {
  switch (op) {
    case DivisionOp::Divide:
      throw CVxInvalidValueException("ERROR: Overflow in operator/.");
    case DivisionOp::DivideAssign:
      throw CVxInvalidValueException("ERROR: Overflow in operator /=.");
    case DivisionOp::Modulo:
      throw CVxInvalidValueException("ERROR: Overflow in operator%.");
    case DivisionOp::ModuloAssign:
      break;
  }
  throw CVxInvalidValueException("ERROR: Overflow in operator%=.");
}

void ThrowNegativeSquareRoot() {
  throw CVxInvalidValueException("ERROR: Negative Number in function SquareRoot().");
}

void ThrowNegativeDifference() {
  throw CVxInvalidValueException("ERROR: Negative result in function Subtract().");
}

void ThrowInvalidDigit(unsigned digit) {
  throw CVxInvalidParamException(FormatString("Invalid digit %u in a digit vector", digit));
}

void ThrowIntOutOfBound() { throw CVxInvalidValueException("ERROR: Value out of bound of int."); }

void ThrowNotFiniteDouble() {
  throw CVxInvalidValueException("ERROR: Value out of bound of BigInteger.");
}

void ThrowDigitCountOutOfRange(long long count) {
  throw CVxInvalidParamException(FormatString("Number of decimal digits out of range [%lld]", count));
}

void ThrowDecimalInvalidChar(long long position, const char* text) {
  throw CVxInvalidValueException(FormatString(
      "The string representing a Decimal, contained an invalid char at position %lld [%s]",
      position, text));
}

void ThrowDecimalTooManyDigits(long long limit, const char* text) {
  throw CVxInvalidValueException(FormatString(
      "The exponent of a Decimal makes it longer than %lld digits [%s]", limit, text));
}

void ThrowDecimalTooLargeForLongLong() {
  throw CVxOverFlowException("The Decimal value if to large to fit into a LONGLONG");
}

void ThrowDecimalTooLargeForLong() {
  throw CVxOverFlowException("The Decimal value if to large to fit into a LONG");
}

void ThrowDecimalTooLargeForDouble() {
  throw CVxOverFlowException("The Decimal value if to large to fit into a Double");
}

// ---- facets and patterns ------------------------------------------------------------------------

namespace {
const char* Safe(const char* text) { return text ? text : ""; }
}  // namespace

void ThrowInvalidValue(const char* name, const std::string& text) {
  throw CVxException(FormatString("Invalid Value for %s [%s]", Safe(name), text.c_str()));
}

void ThrowInvalidValue(const char* name, int value) {
  throw CVxException(FormatString("Invalid Value for %s [%d]", Safe(name), value));
}

void ThrowInvalidValue(const char* name, long value) {
  throw CVxException(FormatString("Invalid Value for %s [%ld]", Safe(name), value));
}

void ThrowInvalidValue(const char* name, unsigned long value) {
  throw CVxException(FormatString("Invalid Value for %s [%lu]", Safe(name), value));
}

void ThrowInvalidValue(const char* name, double value) {
  throw CVxException(FormatString("Invalid Value for %s [%f]", Safe(name), value));
}

void ThrowInvalidValueBadPattern(const std::string& patternMessage, const char* name,
                                 const std::string& value) {
  throw CVxException(FormatString("%s\nInvalid Value for %s [%s]", patternMessage.c_str(),
                                  Safe(name), value.c_str()));
}

void ThrowUnknownType(const std::string& variantTypeName) {
  throw CVxInvalidValueException("unknown type [" + variantTypeName + "]");
}

void ThrowTypeMismatch(const char* name, const char* held, const char* wanted) {
  throw CVxInvalidParamException(
      FormatString("Invalid Value for %s: a value of type [%s] cannot be checked as [%s]",
                   Safe(name), Safe(held), Safe(wanted)));
}

void ThrowInvalidRegularExpression(const std::string& pattern, const std::string& error) {
  throw CVxException(FormatString("Invalid Regular Expression: %s Error: '%s'", pattern.c_str(),
                                  error.c_str()));
}

namespace {

std::string FaultText(PatternFault fault, const char* detail) {
  switch (fault) {
    case PatternFault::kBadUtf8: return "ill-formed UTF-8";
    case PatternFault::kQuantifierWithoutAtom:
      return "quantifier does not follow a repeatable item";
    case PatternFault::kMustBeEscaped: return FormatString("unescaped %s", detail);
    case PatternFault::kUnmatchedParenthesis: return "unmatched closing parenthesis";
    case PatternFault::kMissingParenthesis: return "missing closing parenthesis";
    case PatternFault::kMissingBracket: return "missing terminating ] for character class";
    case PatternFault::kEmptyGroup: return "empty character class";
    case PatternFault::kMisplacedHyphen:
      return "- must be first or last in a character class, or escaped";
    case PatternFault::kSubtractionNotLast: return "subtraction must end the character class";
    case PatternFault::kBadRangeEnd: return "range must end in a single character";
    case PatternFault::kRangeOutOfOrder: return "range out of order in character class";
    case PatternFault::kUnknownEscape: return FormatString("unknown escape \\%s", detail);
    case PatternFault::kIncompleteEscape: return "\\ at end of pattern";
    case PatternFault::kMissingPropertyOpen: return FormatString("missing { after \\%s", detail);
    case PatternFault::kMissingPropertyClose: return "missing } after category or block name";
    case PatternFault::kUnknownProperty:
      return FormatString("unknown category or block %s", detail);
    case PatternFault::kBadQuantifier: return "invalid quantifier";
    case PatternFault::kQuantifierOutOfOrder: return "numbers out of order in {} quantifier";
    case PatternFault::kQuantifierTooLarge: return "number too big in {} quantifier";
    case PatternFault::kTooDeep: return "groups or subtractions too deeply nested";
  }
  return "";
}

}  // namespace

void ThrowInvalidPattern(const std::string& pattern, PatternFault fault, size_t position,
                         const std::string& detail) {
  throw CVxException(FormatString("Invalid Regular Expression: %s Error: '%s' at character %zu",
                                  pattern.c_str(), FaultText(fault, detail.c_str()).c_str(),
                                  position));
}

// ---- conversions, whitespace rules and the variant ----------------------------------------------

void ThrowValueTooLarge(const std::string& text, const char* kind) {
  throw CVxInvalidValueException(
      FormatString("The value [%s] is to large to fit in a %s", text.c_str(), kind));
}

void ThrowValueNotConvertible(const std::string& text, const char* kind) {
  throw CVxInvalidValueException(
      FormatString("The value [%s] can not be converted to a %s", text.c_str(), kind));
}

void ThrowInvalidBoolean(const std::string& text) {
  throw CVxInvalidValueException(
      FormatString("A Boolean Value read from an XML document was invalid [%s]. Valid values "
                   "are 'true', 'false', '1', or '0'",
                   text.c_str()));
}

void ThrowInvalidChar(const std::string& text) {
  throw CVxInvalidValueException(
      FormatString("The value [%s] can not be a char as it is either empty of greater than 1 "
                   "char long",
                   text.c_str()));
}

void ThrowUnknownWhitespaceRule() { throw CVxException("Unknown WhitespaceRule"); }

void ThrowVariantUnknownType() { throw CVxException("Unknown Type"); }

void ThrowVariantInvalidType(int type) {
  throw CVxException(FormatString("Invalid Type %d", type));
}

void ThrowVariantNoText(int type) {
  throw CVxException(FormatString("Invalid Type %d to convert to string", type));
}

}  // namespace detail
}  // namespace VxXmlLib10
