// Cost of facet checks: one check of a typical pattern, with the compiled
// pattern found in the cache, and with a pattern never seen before (so each
// call translates, compiles and stores it, as a cache-less test would); the
// check of a bounded integer.
#include <benchmark/benchmark.h>

#include <clocale>
#include <string>

#include "vxxml/Restrictions.h"
#include "vxxml/XmlObjectHelper.h"

using namespace VxXmlLib10;

namespace {

const char kPattern[] = "\\d{3}-[A-Z]{2}";

// Text is measured under a UTF-8 locale, as the tests run and as an
// application that handles Unicode text sets it.
const bool kUtf8Locale = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

void BM_TestRegExCached(benchmark::State& state) {
  if (!kUtf8Locale) state.SkipWithError("no UTF-8 locale");
  const std::string pattern = kPattern;
  const std::string value = "123-AB";
  for (auto _ : state) benchmark::DoNotOptimize(TestRegEx(pattern, value));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TestRegExCached);
BENCHMARK(BM_TestRegExCached)->Threads(2);

// A group repeated no time makes every pattern distinct without changing
// what it matches, so every call misses the cache.
void BM_TestRegExCompiledEachCall(benchmark::State& state) {
  const std::string value = "123-AB";
  unsigned long n = 0;
  std::string pattern;
  for (auto _ : state) {
    pattern = kPattern;
    pattern += '(';
    pattern += std::to_string(n++);
    pattern += "){0}";
    benchmark::DoNotOptimize(TestRegEx(pattern, value));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TestRegExCompiledEachCall);

// The whole facet check of a string with a pattern and a length, one
// million times.
void BM_CheckStringFacet1M(benchmark::State& state) {
  const CPrimitiveRestrictions r(kPattern, -1, 6, "", "", "", "", -1);
  const std::string value = "123-AB";
  for (auto _ : state) CXmlObjectHelper::CheckRestrictionForstring("code", value, r);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CheckStringFacet1M)->Iterations(1000000);

// A bounded integer, as the order's quantity (1 <= q < 100): the bound texts
// are read on every check.
void BM_CheckUi4Bounds1M(benchmark::State& state) {
  const CPrimitiveRestrictions r("", -1, -1, "1", "", "", "100", -1);
  unsigned long n = 0;
  for (auto _ : state) CXmlObjectHelper::CheckRestrictionForui4("quantity", 1 + n++ % 99, r);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CheckUi4Bounds1M)->Iterations(1000000);

void BM_CheckStringFacet1MEachCallCompiles(benchmark::State& state) {
  const std::string value = "123-AB";
  CPrimitiveRestrictions r;
  unsigned long n = 0;
  for (auto _ : state) {
    r.pattern = std::string(kPattern) + "(" + std::to_string(n++) + "){0}";
    CXmlObjectHelper::CheckRestrictionForstring("code", value, r);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CheckStringFacet1MEachCallCompiles)
    ->Iterations(1000000)
    ;

}  // namespace
