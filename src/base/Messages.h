// Every message of the base layer: thrown from small [[noreturn]] helpers, so that the exact
// wording can be checked in one file (Messages.cpp).
#ifndef VXXML_SRC_BASE_MESSAGES_H
#define VXXML_SRC_BASE_MESSAGES_H

#include <string>

namespace VxXmlLib10 {
namespace detail {

/// std::bad_alloc, for a size no allocation can satisfy.
[[noreturn]] void ThrowNoMemory();

// ---- the namespace alias map --------------------------------------------------------------------

[[noreturn]] void ThrowAliasIndexOutOfRange(int index, int count);
[[noreturn]] void ThrowAliasNotFound(const std::string& alias);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_BASE_MESSAGES_H
