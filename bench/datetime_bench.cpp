// Parse and print throughput of dateTime and duration text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"

using namespace VxXmlLib10;

namespace {

const std::vector<std::string>& DateTimeTexts() {
  static const std::vector<std::string> texts = {
      "2004-02-29T12:30:00",          "1999-12-31T23:59:59.999Z",
      "-0044-03-15T10:00:00+01:00",   "2038-01-19T03:14:07.123456789-05:30",
      "0001-01-01T00:00:00Z",         "2001-05-17T08:09:10.5",
  };
  return texts;
}

const std::vector<std::string>& DurationTexts() {
  static const std::vector<std::string> texts = {
      "P1Y2M3DT4H5M6.789S", "-P1D", "PT36H", "PT0.000000001S", "P30DT12H", "-P10Y6M",
  };
  return texts;
}

void BM_ParseDateTime(benchmark::State& state) {
  const auto& texts = DateTimeTexts();
  CDateTime v;
  size_t i = 0;
  for (auto _ : state) {
    v.ParseXSDDateTime(texts[i].c_str());
    benchmark::DoNotOptimize(v);
    if (++i == texts.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseDateTime);

void BM_PrintDateTime(benchmark::State& state) {
  std::vector<CDateTime> values;
  for (const auto& t : DateTimeTexts()) values.emplace_back(t.c_str());
  size_t i = 0;
  for (auto _ : state) {
    std::string s = values[i].ToString();
    benchmark::DoNotOptimize(s);
    if (++i == values.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PrintDateTime);

void BM_ParseDuration(benchmark::State& state) {
  const auto& texts = DurationTexts();
  CDateTimeSpan d;
  size_t i = 0;
  for (auto _ : state) {
    d.ParseXSDDuration(texts[i].c_str());
    benchmark::DoNotOptimize(d);
    if (++i == texts.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseDuration);

void BM_PrintDuration(benchmark::State& state) {
  std::vector<CDateTimeSpan> values;
  for (const auto& t : DurationTexts()) {
    values.emplace_back();
    values.back().ParseXSDDuration(t.c_str());
  }
  size_t i = 0;
  for (auto _ : state) {
    std::string s = values[i].ToString();
    benchmark::DoNotOptimize(s);
    if (++i == values.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PrintDuration);

void BM_CompareDateTime(benchmark::State& state) {
  const CDateTime a("2004-02-29T12:30:00+05:00"), b("2004-02-29T08:30:00");
  for (auto _ : state) benchmark::DoNotOptimize(a.CompareTo(b));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CompareDateTime);

}  // namespace
