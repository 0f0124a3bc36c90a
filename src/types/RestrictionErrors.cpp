// Message texts of the facet checks and the pattern test.
#include "types/RestrictionErrors.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

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

}  // namespace detail
}  // namespace VxXmlLib10
