// Message texts of the writers and streams.
#include "xml/XmlMessages.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowElementNotClosed() { throw CVxException("An Element has not been closed."); }

void ThrowInvalidEOLType() { throw CVxException("Invalid EOL type."); }

void ThrowHeaderDirectiveAfterElement() {
  throw CVxException("Headed directives must appear before an Element has been added.");
}

void ThrowAttributeAfterElement() {
  throw CVxException("Attributes must be added before elements");
}

void ThrowNoOpenElementForText() {
  throw CVxInvalidStateException("Text can only be written inside an Element.");
}

void ThrowNoOpenElementToEnd() {
  throw CVxInvalidStateException("There is no open Element to end.");
}

void ThrowFileWriteFailed(const char* path) {
  throw CVxException(FormatString("Failed to write data to the file [%s]", path ? path : ""));
}

void ThrowFileWriteFailed() { throw CVxException("Failed to write data to the file"); }

void ThrowUnknownEncoding() {
  throw CVxException(
      "Unknown Encoding, select UTF-8 (for other encodings contact the vxxml maintainers)");
}

}  // namespace detail
}  // namespace VxXmlLib10
