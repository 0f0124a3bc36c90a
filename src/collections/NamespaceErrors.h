// Failures of the namespace rules: the message texts are in NamespaceErrors.cpp.
#ifndef VXXML_SRC_COLLECTIONS_NAMESPACEERRORS_H
#define VXXML_SRC_COLLECTIONS_NAMESPACEERRORS_H

#include <string>

namespace VxXmlLib10 {
namespace detail {

/// A namespace that no token of the rule accepts.
[[noreturn]] void ThrowNamespaceNotAllowed(const std::string& namespaceUri,
                                           const std::string& rule,
                                           const std::string& targetNamespace);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_COLLECTIONS_NAMESPACEERRORS_H
