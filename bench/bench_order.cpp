// Writes the benchmarks' purchase order (about 10 MB of XML text) to a file,
// for measuring programs outside the benchmarks on the very same document.
//
//   bench_order OUT.xml
#include <cstdio>

#include "BenchDocuments.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_order OUT.xml\n");
    return 2;
  }
  const std::string& text = benchdoc::PurchaseOrderText();
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
