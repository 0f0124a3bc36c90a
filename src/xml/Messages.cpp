// The message texts of XML text input and output: the writers, the streams, the document model and
// the text reader.
#include "xml/Messages.h"

#include "vxxml/Exception.h"
#include "xml/XmlChars.h"

namespace VxXmlLib10 {
namespace detail {

// ---- the writers and streams --------------------------------------------------------------------

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

// ---- the document model and the text reader -----------------------------------------------------

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
