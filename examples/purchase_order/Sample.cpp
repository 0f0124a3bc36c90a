#include "PurchaseOrder.h"

namespace sample {

const char kExtensionNamespace[] = "http://www.example.com/extensions";

VxXmlLib10::CXmlSerializationContext Context() {
  VxXmlLib10::CXmlSerializationContext context = po::Context();
  context.GetNamespaceAliases().Add("ext", kExtensionNamespace);
  return context;
}

}  // namespace sample
