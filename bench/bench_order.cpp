// Writes the benchmarks' purchase order (about 10 MB of XML text) to a file,
// for measuring programs outside the benchmarks on the very same document;
// with TIMES, an order of TIMES as many items (TIMES 10: about 100 MB), as
// text or, with --fi, as Fast Infoset.
//
//   bench_order OUT [TIMES] [--fi]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BenchDocuments.h"

int main(int argc, char** argv) {
  const bool fi = argc > 2 && std::strcmp(argv[argc - 1], "--fi") == 0;
  const int args = argc - (fi ? 1 : 0);
  const int times = args == 3 ? std::atoi(argv[2]) : 1;
  if (args < 2 || args > 3 || times < 1) {
    std::fprintf(stderr, "usage: bench_order OUT [TIMES] [--fi]\n");
    return 2;
  }
  std::string bytes;
  if (times == 1 && !fi) {
    bytes = benchdoc::PurchaseOrderText();
  } else {
    const auto order = benchdoc::MakePurchaseOrder(benchdoc::kPurchaseOrderItems * times);
    const auto context = benchdoc::PurchaseOrderContext();
    bytes = benchdoc::ToString(fi ? order->ToFastInfosetStream(VxXmlLib10::FInfoDecl_None, context,
                                                               VxXmlLib10::CompressionType_None)
                                  : benchdoc::WriteText(*order, context));
  }
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
