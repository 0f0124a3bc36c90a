// Failures of the facet checks and of the pattern test: every message text
// of both is in RestrictionErrors.cpp.
#ifndef VXXML_SRC_TYPES_RESTRICTIONERRORS_H
#define VXXML_SRC_TYPES_RESTRICTIONERRORS_H

#include <cstddef>
#include <string>

namespace VxXmlLib10 {
namespace detail {

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

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_RESTRICTIONERRORS_H
