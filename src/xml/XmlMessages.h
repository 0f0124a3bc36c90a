// Every message of the XML text input/output subsystem, thrown from one
// place so that the exact wording can be checked here.
#ifndef VXXML_SRC_XML_XMLMESSAGES_H
#define VXXML_SRC_XML_XMLMESSAGES_H

#include <cstdint>
#include <string>

namespace VxXmlLib10 {
namespace detail {

[[noreturn]] void ThrowElementNotClosed();
[[noreturn]] void ThrowInvalidEOLType();
[[noreturn]] void ThrowHeaderDirectiveAfterElement();
[[noreturn]] void ThrowAttributeAfterElement();
[[noreturn]] void ThrowNoOpenElementForText();
[[noreturn]] void ThrowNoOpenElementToEnd();
[[noreturn]] void ThrowFileWriteFailed(const char* path);
[[noreturn]] void ThrowFileWriteFailed();
[[noreturn]] void ThrowUnknownEncoding();
[[noreturn]] void ThrowCharacterNotAllowed(uint32_t codePoint);
[[noreturn]] void ThrowIllFormedText(unsigned octet);
[[noreturn]] void ThrowInvalidName(const std::string& name);
[[noreturn]] void ThrowDuplicateAttribute(const std::string& qualifiedName);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_XMLMESSAGES_H
