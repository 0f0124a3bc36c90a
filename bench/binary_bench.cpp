// Throughput of the hexadecimal and Base64 forms of binary data.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "vxxml/BinaryData.h"

using namespace VxXmlLib10;

namespace {

constexpr unsigned long kSize = 16u << 20;

const CBinaryData& Input() {
  static const CBinaryData data = [] {
    std::mt19937 rng(42);
    std::string bytes(kSize, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    return CBinaryData(reinterpret_cast<unsigned char*>(&bytes[0]), kSize, false);
  }();
  return data;
}

void BM_Base64Encode(benchmark::State& state) {
  const CBinaryData& data = Input();
  for (auto _ : state) benchmark::DoNotOptimize(data.GetAsBase64());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

void BM_Base64Decode(benchmark::State& state) {
  const std::string text = Input().GetAsBase64();
  CBinaryData out;
  for (auto _ : state) {
    out.SetAsBase64(text.c_str());
    benchmark::DoNotOptimize(out.GetData());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

void BM_HexEncode(benchmark::State& state) {
  const CBinaryData& data = Input();
  for (auto _ : state) benchmark::DoNotOptimize(data.GetAsHexString());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

void BM_HexDecode(benchmark::State& state) {
  const std::string text = Input().GetAsHexString();
  CBinaryData out;
  for (auto _ : state) {
    out.SetAsHexString(text.c_str());
    benchmark::DoNotOptimize(out.GetData());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

}  // namespace

BENCHMARK(BM_Base64Encode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Base64Decode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HexEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HexDecode)->Unit(benchmark::kMillisecond);
