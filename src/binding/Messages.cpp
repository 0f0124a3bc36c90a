// The message texts of the binding layer: the writing and reading of generated classes, the choice
// guards, the entry points and the serialization context.
#include "binding/Messages.h"

#include "binding/EventBinder.h"
#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

// ---- writing generated classes ------------------------------------------------------------------

void ThrowUnknownGroupTypeToXml() { throw CVxException("Unknown XML Group Type"); }

void ThrowAttributesToXmlFailed(const CVxException& inner) {
  throw CVxException("Failed to convert attributes to XML", inner);
}

void ThrowElementToXmlFailed(const std::string& elementName, const CVxException& inner) {
  throw CVxValidationException(
      FormatString("Failed to convert the element [%s] to XML", elementName.c_str()), inner);
}

// ---- reading generated classes ------------------------------------------------------------------

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

// ---- the event binder ---------------------------------------------------------------------------

void ThrowBindingAbandoned() { throw CBindingAbandoned(); }

// ---- the entry points and the serialization context ---------------------------------------------

void ThrowZlibToFile() {
  throw CVxException("ZLIB Compression only available for To Stream methods.");
}

void ThrowCannotIgnoreUnknownElements() {
  throw CVxInvalidStateException(
      "The parser can only ignore additional elements, or ignore the fact that some required "
      "ones are missing, you can not ignore both\nSet IgnoreMissingMandatoryElements to false "
      "before setting IgnoreUnknownElements to true");
}

void ThrowCannotIgnoreMissingElements() {
  throw CVxInvalidStateException(
      "The parser can only ignore additional elements, or ignore the fact that some required "
      "ones are missing, you can not ignore both\nSet IgnoreUnknownElements to false before "
      "setting IgnoreMissingMandatoryElements to true");
}

// ---- the choice and property guards -------------------------------------------------------------

void ThrowChoiceAlreadySet(const std::string& selected) {
  throw CVxInvalidStateException(
      FormatString("The Property [%s] is already set. Only one element within this class bay be "
                   "set at a time",
                   selected.c_str()));
}

void ThrowChoiceValueAlreadySet(const std::string& selected) {
  throw CVxInvalidStateException(
      FormatString("The Property %s is already set. Only one element within this class bay be "
                   "set at a time",
                   selected.c_str()));
}

void ThrowPropertyIsNull(const char* memberName) {
  throw CVxInvalidParamException(FormatString(
      "The Property [%s] is mandatory, it may node be NULL", memberName ? memberName : ""));
}

void ThrowElementNameDiffers(const char* elementName, const std::string& actual) {
  throw CVxInvalidParamException(
      FormatString("This property requrires an element with the name %s the element being set "
                   "has the element name %s",
                   elementName ? elementName : "", actual.c_str()));
}

}  // namespace detail
}  // namespace VxXmlLib10
