// Message texts of the writers and streams.
#include "xml/XmlMessages.h"

#include "vxxml/Exception.h"
#include "xml/XmlChars.h"

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

void ThrowCharacterNotAllowed(uint32_t codePoint) {
  throw CVxException(FormatString("Character U+%04X cannot be written in XML 1.0.",
                                  static_cast<unsigned>(codePoint)));
}

void ThrowIllFormedText(unsigned octet) {
  throw CVxException(FormatString(
      "Ill-formed UTF-8 sequence starting with the octet 0x%02X cannot be written in XML.",
      octet));
}

void ThrowInvalidName(const std::string& name) {
  throw CVxException(
      FormatString("Invalid XML name [%s].", Printable(name.data(), name.size()).c_str()));
}

void ThrowDuplicateAttribute(const std::string& qualifiedName) {
  throw CVxException(FormatString("The attribute [%s] is written twice on one element.",
                                  qualifiedName.c_str()));
}

}  // namespace detail
}  // namespace VxXmlLib10
