// Without libFuzzer a fuzz target is a program that replays the files and
// directories given as arguments through LLVMFuzzerTestOneInput, so a plain
// build runs each seed corpus as a regression test. Included once, by the
// target's source, after its LLVMFuzzerTestOneInput.
#ifndef VXXML_FUZZ_FUZZREPLAY_H
#define VXXML_FUZZ_FUZZREPLAY_H

#ifdef VXXML_FUZZ_REPLAY
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

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
#endif  // VXXML_FUZZ_REPLAY

#endif  // VXXML_FUZZ_FUZZREPLAY_H
