// Message texts of the generated-class reader.
#include "binding/GeneratedClassReadErrors.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowUnknownGroupTypeFromXml() { throw CVxException("Unknow Group Type"); }

void ThrowNilOnNonNillableClass(const std::string& elementName) {
  throw CVxValidationException(FormatString(
      "Invalid use of 'nil' attibute in non-nillable element [%s]", elementName.c_str()));
}

void ThrowUnexpectedNilAttributeValue(const std::string& value) {
  throw CVxValidationException(
      FormatString("Unexpected Value [%s] for 'nil' Attribute found.", value.c_str()));
}

void ThrowUnexpectedAttribute(const std::string& attributeName) {
  throw CVxValidationException(
      FormatString("Unexpected Attribute [%s] found.", attributeName.c_str()));
}

void ThrowElementsLeftOver(const std::string& parentName, const std::string& elementName) {
  throw CVxValidationException(
      FormatString("Failed read all the elements held within the element [%s]. The unexpected "
                   "element [%s] remains un processed",
                   parentName.c_str(), elementName.c_str()));
}

void ThrowEmptyChoiceFromXml(const std::string& parentName) {
  throw CVxValidationException(
      FormatString("No child elements within the element [%s] were populated. The element "
                   "represents a choice, so one and only one element should be populated. The "
                   "element contained no sutable child elements",
                   parentName.c_str()));
}

void ThrowElementFromXmlFailed(const std::string& elementName, const CVxException& inner) {
  throw CVxValidationException(
      FormatString("Failed to process the element [%s]", elementName.c_str()), inner);
}

void ThrowUnknownDocumentElement(const std::string& elementName, const std::string& namespaceUri) {
  throw CVxValidationException(FormatString(
      "The document element [%s] in the namespace [%s] is not a global element of the schema",
      elementName.c_str(), namespaceUri.c_str()));
}

void ThrowInvalidEnumValue(const char* typeName, const char* text) {
  throw CVxValidationException(FormatString("Invalid %s value [%s]", typeName, text));
}

}  // namespace detail
}  // namespace VxXmlLib10
