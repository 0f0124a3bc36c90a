// Failure messages of the document model and the XML text reader.
#include "xml/DocumentErrors.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowFileOpenFailed(const char* path) {
  throw CVxException(FormatString("Failed to open the file [%s]", path ? path : ""));
}

void ThrowFileSizeFailed(const char* path, int error) {
  throw CVxException(
      FormatString("Failed to get the size of the file [%s] Error [%d]", path, error));
}

void ThrowFileReadFailed(const char* path, int error) {
  throw CVxException(
      FormatString("Failed to read the contents of the file [%s] Error [%d]", path, error));
}

void ThrowXmlStringEmpty() { throw CVxException("XML String is empty!"); }

void ThrowXmlStreamEmpty() { throw CVxException("XML Stream is empty!"); }

void ThrowNoOpenElement(const char* localName) {
  throw CVxInvalidStateException(
      FormatString("No open element to add the child element [%s] to", localName));
}

void ThrowOutOfMemory() { throw CVxException("Not enough memory to load the document"); }

void ThrowParserCreateFailed() { throw CVxException("Failed to create the XML parser"); }

void ThrowXmlParseError(const char* errorText, unsigned long line) {
  throw CVxException(FormatString("%s at line %d", errorText ? errorText : "unknown error",
                                  static_cast<int>(line)));
}

void ThrowDepthLimit(unsigned int maxDepth) {
  throw CVxException(FormatString("Element nesting exceeds the limit MaxDepth [%u]", maxDepth));
}

void ThrowElementLimit(unsigned long long maxElements) {
  throw CVxException(FormatString("Element count exceeds the limit MaxElements [%llu]", maxElements));
}

}  // namespace detail
}  // namespace VxXmlLib10
