// The message texts of the element and attribute infos.
#include "metadata/Messages.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowMandatoryElementNotFound(const std::string& elementName) {
  throw CVxValidationException(
      FormatString("Failed to find the mandatory element [%s]", elementName.c_str()));
}

// Reading a substitutable class member of an all group is not supported.
void ThrowAllAbsClsMndNotImplemented() {
  throw CVxException(
      "CElementInfoAllAbsClsMnd::ElementFromXml, has not been implemented fully, please "
      "contact the vxxml maintainers");
}

void ThrowAllAbsClsOptNotImplemented() {
  throw CVxException(
      "CElementInfoAllAbsClsOpt::ElementFromXml, has not been implemented fully, please "
      "contact the vxxml maintainers");
}

void ThrowCannotCheckRestriction(const std::string& typeName) {
  throw CVxException("Cannot CheckRestriction for type: " + typeName);
}

void ThrowRequiredAttributeMissing(const std::string& attributeName) {
  throw CVxValidationException(
      FormatString("Failed to find the required Attribute [%s]", attributeName.c_str()));
}

void ThrowNotAnAttributeCol() {
  throw CVxException(
      "Serialization Data Error : The collection should be a CAttributeCol, it was not!");
}

void ThrowNilOnNonNillable(const std::string& elementName) {
  throw CVxValidationException(FormatString(
      "Invalid use of 'nil' attibute in non-nillable element [%s]", elementName.c_str()));
}

void ThrowUnexpectedNilValue(const std::string& value) {
  throw CVxValidationException(
      FormatString("Unexpected Value [%s] for 'nil' Attribute found.", value.c_str()));
}

void ThrowNotImplementedValidate() {
  throw CVxException("Not implemented, should never be called");
}

void ThrowRequiredElementMissing(const std::string& elementName) {
  throw CVxValidationException(
      FormatString("Failed to find a required element [%s]", elementName.c_str()));
}

void ThrowNoSubstitutionElement(const std::string& elementName) {
  throw CVxValidationException(
      FormatString("Failed to find a suitable substitution element for [%s]", elementName.c_str()));
}

void ThrowNoElementFromNamespace(const std::string& namespaceUri) {
  throw CVxValidationException(FormatString(
      "Failed to find the required element from namespace [%s]", namespaceUri.c_str()));
}

// ---- the model groups ---------------------------------------------------------------------------

void ThrowEmptyChoiceToXml() {
  throw CVxValidationException(
      "This element is a choice, and as such must have at one (and only one) valid item, "
      "currently there are none set");
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

}  // namespace detail
}  // namespace VxXmlLib10
