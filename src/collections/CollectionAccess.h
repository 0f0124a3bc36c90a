// What the readers of the library do with a list of objects beyond its
// public operations.
#ifndef VXXML_SRC_COLLECTIONS_COLLECTIONACCESS_H
#define VXXML_SRC_COLLECTIONS_COLLECTIONACCESS_H

#include "vxxml/Collection.h"

namespace VxXmlLib10 {
namespace detail {

struct CollectionAccess {
  /// Links a new node holding `item` in front of `before` (null: at the
  /// end); takes no reference to the item.
  static void Link(CXmlCollection& list, CXmlCollection::Node* before, CXmlObjectBase* item);
  /// AppendItem for an item whose reference the caller hands over, which
  /// spares taking one and dropping the caller's. The events are
  /// AppendItem's.
  static void AppendOwned(CXmlCollection& list, CSmartPtr<CXmlObjectBase>&& item);
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_COLLECTIONS_COLLECTIONACCESS_H
