// The table of value kinds.
#include "types/ValueKinds.h"

namespace VxXmlLib10 {
namespace detail {

#define VXXML_VALUE_KIND_ROW(kind, storage, accessor, facets, shape) \
  {#kind, Storage::storage, Facets::facets},

const ValueKind kValueKinds[ItemType_xmlCollection + 1] = {
    {"none", Storage::None, Facets::Unchecked},
    VXXML_VALUE_KINDS(VXXML_VALUE_KIND_ROW)
    {"object", Storage::Object, Facets::Unchecked},
    {"collection", Storage::Object, Facets::Unchecked},
};

#undef VXXML_VALUE_KIND_ROW

const ValueKind kUnknownValueKind = {"unknown", Storage::None, Facets::Unchecked};

namespace {

// The rows stand in ItemType order: row n is ItemType n.
#define VXXML_VALUE_KIND_TYPE(kind, storage, accessor, facets, shape) ItemType_##kind,
constexpr ItemType kOrder[] = {ItemType_none, VXXML_VALUE_KINDS(VXXML_VALUE_KIND_TYPE)
                                   ItemType_xmlObject, ItemType_xmlCollection};
#undef VXXML_VALUE_KIND_TYPE

constexpr bool InItemTypeOrder() {
  for (int i = 0; i <= ItemType_xmlCollection; ++i)
    if (kOrder[i] != static_cast<ItemType>(i)) return false;
  return sizeof kOrder / sizeof kOrder[0] == ItemType_xmlCollection + 1;
}
static_assert(InItemTypeOrder(), "VXXML_VALUE_KINDS: one row per simple ItemType, in order");

}  // namespace

}  // namespace detail
}  // namespace VxXmlLib10
