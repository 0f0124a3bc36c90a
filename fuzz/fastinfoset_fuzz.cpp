// Fuzz target for document loading (XML text and Fast Infoset, plain or
// compressed): every input must load or fail with a CVxException.
//
// Built with libFuzzer (-DVXXML_LIBFUZZER=ON, clang) it is an ordinary
// libFuzzer target:
//   fastinfoset_fuzz -max_total_time=600 CORPUS_DIR fuzz/corpus/fastinfoset
// Built without it (the default) it is a program that replays the files and
// directories given as arguments, so a plain build runs the corpus as a
// regression test.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "vxxml/Exception.h"
#include "vxxml/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  VxXmlLib10::CXmlDocument document;
  try {
    document.LoadXmlStream(data, size);
  } catch (const VxXmlLib10::CVxException&) {
  }
  return 0;
}

#ifdef VXXML_FUZZ_REPLAY
namespace {

void Replay(const std::filesystem::path& path, unsigned long& count) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  ++count;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
        if (entry.is_regular_file()) Replay(entry.path(), count);
    } else if (std::filesystem::is_regular_file(path, error)) {
      Replay(path, count);
    } else {
      std::fprintf(stderr, "no such file or directory: %s\n", argv[i]);
      return 1;
    }
  }
  std::printf("replayed %lu inputs\n", count);
  return count > 0 ? 0 : 1;
}
#endif
