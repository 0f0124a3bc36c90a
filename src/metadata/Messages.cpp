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

}  // namespace detail
}  // namespace VxXmlLib10
