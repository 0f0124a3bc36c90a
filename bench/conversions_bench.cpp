// Parse and print throughput of the scalar conversions (values per second).
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "vxxml/Conversions.h"

using namespace VxXmlLib10;

namespace {

const auto kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;

std::vector<std::string> I4Texts() {
  std::mt19937 rng(1);
  std::uniform_int_distribution<long> dist(-2147483647L, 2147483647L);
  std::vector<std::string> texts;
  for (int i = 0; i < 1024; ++i) texts.push_back(CConversions::i4ToString(dist(rng)));
  return texts;
}

std::vector<std::string> R8Texts() {
  std::mt19937 rng(2);
  std::uniform_real_distribution<double> dist(-1e6, 1e6);
  std::vector<std::string> texts;
  for (int i = 0; i < 1024; ++i) texts.push_back(CConversions::r8ToString(dist(rng)));
  return texts;
}

void BM_I4Parse(benchmark::State& state) {
  const auto texts = I4Texts();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(CConversions::i4FromString(texts[i++ & 1023], kCollapse));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_I4Parse);

void BM_I4Print(benchmark::State& state) {
  long v = 123456789;
  for (auto _ : state) benchmark::DoNotOptimize(CConversions::i4ToString(v++));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_I4Print);

void BM_R8Parse(benchmark::State& state) {
  const auto texts = R8Texts();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(CConversions::r8FromString(texts[i++ & 1023], kCollapse));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_R8Parse);

void BM_R8Print(benchmark::State& state) {
  double v = 1234.5678;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CConversions::r8ToString(v));
    v += 0.001;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_R8Print);

}  // namespace
