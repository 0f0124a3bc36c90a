// Failures of the choice and property guards: every message text of them is
// in ChoiceGuardErrors.cpp.
#ifndef VXXML_SRC_BINDING_CHOICEGUARDERRORS_H
#define VXXML_SRC_BINDING_CHOICEGUARDERRORS_H

#include <string>

namespace VxXmlLib10 {
namespace detail {

/// "The Property [%s] is already set. ..." (object and collection members).
[[noreturn]] void ThrowChoiceAlreadySet(const std::string& selected);
/// "The Property %s is already set. ..." (simple members: no brackets).
[[noreturn]] void ThrowChoiceValueAlreadySet(const std::string& selected);
[[noreturn]] void ThrowPropertyIsNull(const char* memberName);
[[noreturn]] void ThrowElementNameDiffers(const char* elementName, const std::string& actual);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BINDING_CHOICEGUARDERRORS_H
