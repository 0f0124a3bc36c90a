// Every message of the element and attribute infos: thrown from small [[noreturn]] helpers, so that
// the exact wording can be checked in one file (Messages.cpp).
#ifndef VXXML_SRC_METADATA_MESSAGES_H
#define VXXML_SRC_METADATA_MESSAGES_H

#include <string>

namespace VxXmlLib10 {

namespace detail {

// Model-group members.
[[noreturn]] void ThrowMandatoryElementNotFound(const std::string& elementName);
[[noreturn]] void ThrowAllAbsClsMndNotImplemented();
[[noreturn]] void ThrowAllAbsClsOptNotImplemented();

[[noreturn]] void ThrowCannotCheckRestriction(const std::string& typeName);
// ---- attribute infos ----------------------------------------------------------------------------
[[noreturn]] void ThrowRequiredAttributeMissing(const std::string& attributeName);
[[noreturn]] void ThrowNotAnAttributeCol();
[[noreturn]] void ThrowNilOnNonNillable(const std::string& elementName);
[[noreturn]] void ThrowUnexpectedNilValue(const std::string& value);
[[noreturn]] void ThrowNotImplementedValidate();

// The sequence family.
[[noreturn]] void ThrowRequiredElementMissing(const std::string& elementName);
[[noreturn]] void ThrowNoSubstitutionElement(const std::string& elementName);
[[noreturn]] void ThrowNoElementFromNamespace(const std::string& namespaceUri);

// The model groups.
[[noreturn]] void ThrowEmptyChoiceToXml();
[[noreturn]] void ThrowElementsLeftOver(const std::string& parentName,
                                        const std::string& elementName);
[[noreturn]] void ThrowEmptyChoiceFromXml(const std::string& parentName);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_METADATA_MESSAGES_H
