// The library's own reads of what a variant holds, without the copies its
// getters make: the facet checks and the writers read a value in place.
#ifndef VXXML_SRC_TYPES_VARIANTACCESS_H
#define VXXML_SRC_TYPES_VARIANTACCESS_H

#include <string>

#include "vxxml/Variant.h"

namespace VxXmlLib10 {
namespace detail {

struct VariantAccess {
  /// The value of a kind held outside the variant, as class T; a default T
  /// where there is none (as the getters give).
  template <class T>
  static const T& Held(const VxVariant& value) {
    static const T empty{};
    const void* p = value.m_value.p;
    return p ? *static_cast<const T*>(p) : empty;
  }

  /// Makes the variant hold `held`, a live object of the class `type` is held
  /// as, by reference: the variant reads as if it owned a copy, and must not
  /// outlive it.
  static void Lend(VxVariant& value, ItemType type, const void* held) { value.Lend(type, held); }

  /// The value's text (VxVariant::ToString): a string's own text in place,
  /// any other converted into `scratch`.
  static const std::string& Text(const VxVariant& value, const char* format,
                                 std::string& scratch) {
    if (value.m_type == ItemType_string && !value.m_nil && value.m_value.p)
      return *static_cast<const std::string*>(value.m_value.p);
    scratch = value.ToString(format);
    return scratch;
  }
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_VARIANTACCESS_H
