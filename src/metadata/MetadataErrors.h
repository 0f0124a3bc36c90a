// Failures of the element and attribute infos: every message text of the
// metadata is in MetadataErrors.cpp.
#ifndef VXXML_SRC_METADATA_METADATAERRORS_H
#define VXXML_SRC_METADATA_METADATAERRORS_H

#include <string>

namespace VxXmlLib10 {
namespace detail {

// Model-group members.
[[noreturn]] void ThrowMandatoryElementNotFound(const std::string& elementName);
[[noreturn]] void ThrowAllAbsClsMndNotImplemented();
[[noreturn]] void ThrowAllAbsClsOptNotImplemented();

[[noreturn]] void ThrowCannotCheckRestriction(const std::string& typeName);
// ---- attribute infos ----
[[noreturn]] void ThrowRequiredAttributeMissing(const std::string& attributeName);
[[noreturn]] void ThrowNotAnAttributeCol();
[[noreturn]] void ThrowNilOnNonNillable(const std::string& elementName);
[[noreturn]] void ThrowUnexpectedNilValue(const std::string& value);
[[noreturn]] void ThrowNotImplementedValidate();

// The sequence family.
[[noreturn]] void ThrowRequiredElementMissing(const std::string& elementName);
[[noreturn]] void ThrowNoSubstitutionElement(const std::string& elementName);
[[noreturn]] void ThrowNoElementFromNamespace(const std::string& namespaceUri);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_METADATA_METADATAERRORS_H
