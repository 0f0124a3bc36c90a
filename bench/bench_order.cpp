// Writes the benchmarks' purchase order (about 10 MB of XML text) to a file,
// for measuring programs outside the benchmarks on the very same document;
// with COPIES, its items COPIES times over (10 makes about 100 MB). Reads
// such a file into the purchase-order classes with --read (through the
// document tree with --tree), for measuring peak memory:
//
//   bench_order OUT.xml [COPIES]
//   /usr/bin/time -f %M bench_order --read OUT.xml [--tree]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchDocuments.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: bench_order OUT.xml [COPIES] | bench_order --read IN.xml [--tree]\n");
  return 2;
}

int Read(const char* path, bool tree) {
  if (tree) VxXmlLib10::BindFromEvents(false);
  VxXmlLib10::CSmartPtr<benchdoc::PurchaseOrder> order = new benchdoc::PurchaseOrder;
  try {
    order->FromXmlFile(path, benchdoc::PurchaseOrderContext());
  } catch (const VxXmlLib10::CVxException& e) {
    std::fprintf(stderr, "%s\n", e.GetFullMessage().c_str());
    return 1;
  }
  std::printf("%ld items\n", benchdoc::ItemCount(*order));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--read") == 0) {
    if (argc > 4 || (argc == 4 && std::strcmp(argv[3], "--tree") != 0)) return Usage();
    return Read(argv[2], argc == 4);
  }
  if (argc != 2 && argc != 3) return Usage();
  const int copies = argc == 3 ? std::atoi(argv[2]) : 1;
  if (copies < 1) return Usage();

  std::string text = benchdoc::PurchaseOrderText();
  if (copies > 1) {
    // The items are everything between <items> and </items>.
    const std::string::size_type begin = text.find("<items>") + 7;
    const std::string::size_type end = text.rfind("</items>");
    const std::string items = text.substr(begin, end - begin);
    std::string more;
    more.reserve(items.size() * static_cast<std::size_t>(copies - 1));
    for (int i = 1; i < copies; ++i) more += items;
    text.insert(end, more);
  }
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
