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

void ThrowInvalidRegularExpression(const std::string& expression, const std::string& error) {
  throw CVxException(FormatString("Invalid Regular Expression: %s Error: '%s'",
                                  expression.c_str(), error.c_str()));
}

}  // namespace detail
}  // namespace VxXmlLib10
