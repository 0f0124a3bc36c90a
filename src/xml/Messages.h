// Every message of XML text input and output: the writers, the streams, the document model and the
// text reader: thrown from small [[noreturn]] helpers, so that the exact wording can be checked in
// one file (Messages.cpp).
#ifndef VXXML_SRC_XML_MESSAGES_H
#define VXXML_SRC_XML_MESSAGES_H

#include <cstdint>
#include <string>

namespace VxXmlLib10 {

namespace detail {

// ---- the writers and streams --------------------------------------------------------------------

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

// ---- the document model and the text reader -----------------------------------------------------

[[noreturn]] void ThrowFileOpenFailed(const char* path);
[[noreturn]] void ThrowFileSizeFailed(const char* path, int error);
[[noreturn]] void ThrowFileReadFailed(const char* path, int error);
[[noreturn]] void ThrowXmlStringEmpty();
[[noreturn]] void ThrowXmlStreamEmpty();
[[noreturn]] void ThrowNoOpenElement(const char* localName);
[[noreturn]] void ThrowParserCreateFailed();
[[noreturn]] void ThrowOutOfMemory();
[[noreturn]] void ThrowXmlParseError(const char* errorText, unsigned long line);
[[noreturn]] void ThrowDepthLimit(unsigned int maxDepth);
[[noreturn]] void ThrowElementLimit(unsigned long long maxElements);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_MESSAGES_H
