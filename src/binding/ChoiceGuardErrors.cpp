// Message texts of the choice and property guards.
#include "binding/ChoiceGuardErrors.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowChoiceAlreadySet(const std::string& selected) {
  throw CVxInvalidStateException(
      FormatString("The Property [%s] is already set. Only one element within this class bay be "
                   "set at a time",
                   selected.c_str()));
}

void ThrowChoiceValueAlreadySet(const std::string& selected) {
  throw CVxInvalidStateException(
      FormatString("The Property %s is already set. Only one element within this class bay be "
                   "set at a time",
                   selected.c_str()));
}

void ThrowPropertyIsNull(const char* memberName) {
  throw CVxInvalidParamException(FormatString(
      "The Property [%s] is mandatory, it may node be NULL", memberName ? memberName : ""));
}

void ThrowElementNameDiffers(const char* elementName, const std::string& actual) {
  throw CVxInvalidParamException(
      FormatString("This property requrires an element with the name %s the element being set "
                   "has the element name %s",
                   elementName ? elementName : "", actual.c_str()));
}

}  // namespace detail
}  // namespace VxXmlLib10
