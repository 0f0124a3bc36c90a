// Message texts of the namespace rules.
#include "collections/NamespaceErrors.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowNamespaceNotAllowed(const std::string& namespaceUri, const std::string& rule,
                              const std::string& targetNamespace) {
  throw CVxInvalidNamespaceException(FormatString(
      "Invalid namespace [%s]. The namespace must be one of [%s] where the target namespace "
      "is [%s]",
      namespaceUri.c_str(), rule.c_str(), targetNamespace.c_str()));
}

}  // namespace detail
}  // namespace VxXmlLib10
