// Per-stage compute cost of a sort, in ns per value, on memory that is
// already touched: the page faults of a fresh buffer are the end-to-end
// benchmark's business, not these figures'.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "number_file.h"
#include "number_text.h"
#include "numbers.h"

namespace {

using tavelin::bench::Values;

constexpr std::size_t kCount = 10'000'000;

const std::string& text(Values kind) {
  static const std::string random = tavelin::bench::numberText(kCount, Values::Random, 1);
  static const std::string small = tavelin::bench::numberText(kCount, Values::Small, 2);
  return kind == Values::Random ? random : small;
}

tavelin::NumberList parsed(Values kind) {
  tavelin::NumberList values;
  values.reserve(tavelin::lineCountBound(text(kind)));
  tavelin::appendLineValues(text(kind), values);
  return values;
}

void perValue(benchmark::State& state, std::size_t values) {
  // Seconds per (1e-9 x values) is nanoseconds per value.
  state.counters["ns/value"] = benchmark::Counter(static_cast<double>(values) * 1e-9,
                                                  benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void splitAndParse(benchmark::State& state, Values kind) {
  // Touched once beforehand: page faults are not this stage's cost.
  tavelin::NumberList values(tavelin::lineCountBound(text(kind)));
  for (auto _ : state) {
    values.clear();
    tavelin::appendLineValues(text(kind), values);
    benchmark::DoNotOptimize(values.data());
  }
  perValue(state, values.size());
}

void sort(benchmark::State& state, Values kind) {
  const auto unsorted = parsed(kind);
  tavelin::NumberList values(unsorted.size());
  for (auto _ : state) {
    state.PauseTiming();
    values = unsorted;
    state.ResumeTiming();
    tavelin::sortNumbers(values);
    benchmark::DoNotOptimize(values.data());
  }
  perValue(state, values.size());
}

void format(benchmark::State& state, Values kind) {
  auto values = parsed(kind);
  tavelin::sortNumbers(values);
  std::string out(tavelin::numberLinesSize(values), '\0');
  for (auto _ : state) {
    out.resize(tavelin::numberLinesSize(values));  // the exact length is part of the stage
    tavelin::writeNumberLines(values, out.data());
    benchmark::DoNotOptimize(out.data());
  }
  perValue(state, values.size());
}

BENCHMARK_CAPTURE(splitAndParse, random, Values::Random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(splitAndParse, small, Values::Small)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sort, random, Values::Random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sort, small, Values::Small)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(format, random, Values::Random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(format, small, Values::Small)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
