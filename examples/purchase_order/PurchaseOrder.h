// The purchase-order classes are generated at build time from
// PurchaseOrder.xsd by vxxml_generate (see examples/CMakeLists.txt) into
// po.h: po::PurchaseOrderType for <po:purchaseOrder>, po::Item for an
// <item>, and so on. This adds the context the sample documents are written
// with.
#ifndef VXXML_EXAMPLES_PURCHASEORDER_H
#define VXXML_EXAMPLES_PURCHASEORDER_H

#include "po.h"

namespace sample {

/// The namespace of the extensions the wildcards admit in the samples.
extern const char kExtensionNamespace[];

/// po::Context(), with the extension namespace declared as "ext" as well.
VxXmlLib10::CXmlSerializationContext Context();

}  // namespace sample

#endif  // VXXML_EXAMPLES_PURCHASEORDER_H
