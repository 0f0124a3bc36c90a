// Reads a purchase order file (XML text or Fast Infoset) into the example's
// classes, as an application would, and prints the process's peak memory
// beside the file's size: scripts/bench.sh runs it on an order of about
// 100 MB written by bench_order.
//
//   read_order FILE [TEXT_SIZE]    TEXT_SIZE: the size the ratio is of
//                                  (the order's XML text), else FILE's
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "BenchDocuments.h"
#include "vxxml/Exception.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: read_order FILE [TEXT_SIZE]\n");
    return 2;
  }
  struct stat file;
  if (stat(argv[1], &file) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  const double size = argc == 3 ? std::atof(argv[2]) : static_cast<double>(file.st_size);
  long items = 0;
  try {
    VxXmlLib10::CSmartPtr<benchdoc::PurchaseOrder> order = new benchdoc::PurchaseOrder;
    order->FromXmlFile(argv[1], benchdoc::PurchaseOrderContext());
    items = benchdoc::ItemCount(*order);
  } catch (const VxXmlLib10::CVxException& e) {
    std::fprintf(stderr, "read_order: %s\n", e.GetFullMessage().c_str());
    return 1;
  }
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  const double peak = static_cast<double>(usage.ru_maxrss) * 1024.0;  // kilobytes on Linux
  std::printf("%ld items, peak memory %.1f MiB, %.2f x %.1f MB\n", items, peak / 1048576.0,
              peak / size, size / 1e6);
  return 0;
}
