// Parse and print throughput of the exact number types (values per second).
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "vxxml/BigInteger.h"
#include "vxxml/Decimal.h"

using namespace VxXmlLib10;

namespace {

constexpr size_t kValues = 1024;

std::string Digits(std::mt19937_64& rng, size_t count) {
  std::string s(1, char('1' + rng() % 9));
  while (s.size() < count) s += char('0' + rng() % 10);
  return s;
}

// Decimal texts with up to `intDigits` integral and `fracDigits` fraction digits.
std::vector<std::string> DecimalTexts(size_t intDigits, size_t fracDigits) {
  std::mt19937_64 rng(1);
  std::vector<std::string> out;
  for (size_t i = 0; i < kValues; ++i) {
    std::string s = Digits(rng, 1 + rng() % intDigits);
    if (fracDigits) s += "." + Digits(rng, 1 + rng() % fracDigits);
    if (rng() % 2) s.insert(0, 1, '-');
    out.push_back(s);
  }
  return out;
}

std::vector<std::string> IntegerTexts(size_t digits) {
  std::mt19937_64 rng(2);
  std::vector<std::string> out;
  for (size_t i = 0; i < kValues; ++i) {
    std::string s = Digits(rng, digits);
    if (rng() % 2) s.insert(0, 1, '-');
    out.push_back(s);
  }
  return out;
}

template <typename T>
void Parse(benchmark::State& state, const std::vector<std::string>& texts) {
  size_t bytes = 0;
  for (auto& t : texts) bytes += t.size();
  for (auto _ : state) {
    for (const std::string& t : texts) {
      T value(t.c_str());
      benchmark::DoNotOptimize(value);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(texts.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

template <typename T>
void Print(benchmark::State& state, const std::vector<std::string>& texts) {
  std::vector<T> values;
  for (const std::string& t : texts) values.emplace_back(t.c_str());
  for (auto _ : state) {
    for (const T& v : values) {
      std::string s = v.ToString();
      benchmark::DoNotOptimize(s);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(values.size()));
}

void BM_DecimalParseShort(benchmark::State& s) { static auto t = DecimalTexts(6, 4); Parse<CDecimal>(s, t); }
void BM_DecimalPrintShort(benchmark::State& s) { static auto t = DecimalTexts(6, 4); Print<CDecimal>(s, t); }
void BM_DecimalParse30(benchmark::State& s) { static auto t = DecimalTexts(20, 30); Parse<CDecimal>(s, t); }
void BM_DecimalPrint30(benchmark::State& s) { static auto t = DecimalTexts(20, 30); Print<CDecimal>(s, t); }
void BM_DecimalPrintFixed2(benchmark::State& state) {
  static auto texts = DecimalTexts(6, 4);
  std::vector<CDecimal> values;
  for (const std::string& t : texts) values.emplace_back(t.c_str());
  for (auto _ : state) {
    for (const CDecimal& v : values) {
      std::string s = v.ToString(2);
      benchmark::DoNotOptimize(s);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(values.size()));
}
void BM_IntegerParse18(benchmark::State& s) { static auto t = IntegerTexts(18); Parse<CBigInteger>(s, t); }
void BM_IntegerPrint18(benchmark::State& s) { static auto t = IntegerTexts(18); Print<CBigInteger>(s, t); }
void BM_IntegerParse300(benchmark::State& s) { static auto t = IntegerTexts(300); Parse<CBigInteger>(s, t); }
void BM_IntegerPrint300(benchmark::State& s) { static auto t = IntegerTexts(300); Print<CBigInteger>(s, t); }

void BM_DecimalAddMultiply(benchmark::State& state) {
  static auto texts = DecimalTexts(10, 10);
  std::vector<CDecimal> values;
  for (const std::string& t : texts) values.emplace_back(t.c_str());
  for (auto _ : state) {
    CDecimal sum;
    for (size_t i = 0; i + 1 < values.size(); ++i) sum += values[i] * values[i + 1];
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(values.size() - 1));
}

void BM_DecimalDivide(benchmark::State& state) {
  static auto texts = DecimalTexts(10, 10);
  std::vector<CDecimal> values;
  for (const std::string& t : texts) values.emplace_back(t.c_str());
  for (auto _ : state) {
    for (size_t i = 0; i + 1 < values.size(); ++i) {
      CDecimal q = values[i] / values[i + 1];
      benchmark::DoNotOptimize(q);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(values.size() - 1));
}

}  // namespace

BENCHMARK(BM_DecimalParseShort);
BENCHMARK(BM_DecimalPrintShort);
BENCHMARK(BM_DecimalParse30);
BENCHMARK(BM_DecimalPrint30);
BENCHMARK(BM_DecimalPrintFixed2);
BENCHMARK(BM_IntegerParse18);
BENCHMARK(BM_IntegerPrint18);
BENCHMARK(BM_IntegerParse300);
BENCHMARK(BM_IntegerPrint300);
BENCHMARK(BM_DecimalAddMultiply);
BENCHMARK(BM_DecimalDivide);
