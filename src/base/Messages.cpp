// The message texts of the base layer.
#include "base/Messages.h"

#include <new>

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowNoMemory() { throw std::bad_alloc(); }

// ---- the namespace alias map --------------------------------------------------------------------

void ThrowAliasIndexOutOfRange(int index, int count) {
  throw CVxInvalidParamException(
      FormatString("Index %d is out of range, use 0 - %d", index, count - 1));
}

void ThrowAliasNotFound(const std::string& alias) {
  throw CVxException(FormatString("Namespace alias [%s] not found", alias.c_str()));
}

}  // namespace detail
}  // namespace VxXmlLib10
