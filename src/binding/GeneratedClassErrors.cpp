// Message texts of the generated-class writer.
#include "binding/GeneratedClassErrors.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowUnknownGroupTypeToXml() { throw CVxException("Unknown XML Group Type"); }

void ThrowEmptyChoiceToXml() {
  throw CVxValidationException(
      "This element is a choice, and as such must have at one (and only one) valid item, "
      "currently there are none set");
}

void ThrowAttributesToXmlFailed(const CVxException& inner) {
  throw CVxException("Failed to convert attributes to XML", inner);
}

void ThrowElementToXmlFailed(const std::string& elementName, const CVxException& inner) {
  throw CVxValidationException(
      FormatString("Failed to convert the element [%s] to XML", elementName.c_str()), inner);
}

}  // namespace detail
}  // namespace VxXmlLib10
