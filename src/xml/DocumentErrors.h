// Every failure message of the document model and the XML text reader.
#ifndef VXXML_SRC_XML_DOCUMENTERRORS_H
#define VXXML_SRC_XML_DOCUMENTERRORS_H

namespace VxXmlLib10 {
namespace detail {

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

#endif  // VXXML_SRC_XML_DOCUMENTERRORS_H
