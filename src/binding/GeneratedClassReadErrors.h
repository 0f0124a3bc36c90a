// Failures of the generated-class reader: every message text of it is in
// GeneratedClassReadErrors.cpp.
#ifndef VXXML_SRC_BINDING_GENERATEDCLASSREADERRORS_H
#define VXXML_SRC_BINDING_GENERATEDCLASSREADERRORS_H

#include <string>

namespace VxXmlLib10 {

class CVxException;

namespace detail {

[[noreturn]] void ThrowUnknownGroupTypeFromXml();
[[noreturn]] void ThrowNilOnNonNillableClass(const std::string& elementName);
[[noreturn]] void ThrowUnexpectedNilAttributeValue(const std::string& value);
[[noreturn]] void ThrowUnexpectedAttribute(const std::string& attributeName);
[[noreturn]] void ThrowElementsLeftOver(const std::string& parentName,
                                        const std::string& elementName);
[[noreturn]] void ThrowEmptyChoiceFromXml(const std::string& parentName);
[[noreturn]] void ThrowElementFromXmlFailed(const std::string& elementName,
                                            const CVxException& inner);
/// Generated code: a document whose root no global element matches.
[[noreturn]] void ThrowUnknownDocumentElement(const std::string& elementName,
                                              const std::string& namespaceUri);
/// Generated code: an enumeration text that names no value.
[[noreturn]] void ThrowInvalidEnumValue(const char* typeName, const char* text);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BINDING_GENERATEDCLASSREADERRORS_H
