// The purchase order of BenchDocuments.h as the peer toolkits' schema has it
// (po.xsd here, the Primer's schema without a target namespace): the same
// text with the same items, the elements unprefixed and the root without
// namespace declarations. Kept apart from the peers' generated headers, whose
// global names would meet the example's classes.
#ifndef VXXML_BENCH_PEERS_PEERDOCUMENT_H
#define VXXML_BENCH_PEERS_PEERDOCUMENT_H

#include <string>

namespace peerdoc {

// The items the order holds.
int ItemCount();

// The text, built once; throws std::logic_error if the vxxml text no longer
// has the form this turns into the peers' document.
const std::string& PurchaseOrderText();

}  // namespace peerdoc

#endif  // VXXML_BENCH_PEERS_PEERDOCUMENT_H
