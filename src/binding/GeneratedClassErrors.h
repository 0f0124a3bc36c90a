// Failures of the generated-class writer: every message text of it is in
// GeneratedClassErrors.cpp.
#ifndef VXXML_SRC_BINDING_GENERATEDCLASSERRORS_H
#define VXXML_SRC_BINDING_GENERATEDCLASSERRORS_H

#include <string>

namespace VxXmlLib10 {

class CVxException;

namespace detail {

[[noreturn]] void ThrowUnknownGroupTypeToXml();
[[noreturn]] void ThrowEmptyChoiceToXml();
[[noreturn]] void ThrowAttributesToXmlFailed(const CVxException& inner);
[[noreturn]] void ThrowElementToXmlFailed(const std::string& elementName,
                                          const CVxException& inner);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BINDING_GENERATEDCLASSERRORS_H
