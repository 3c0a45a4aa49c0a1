// Per-stage compute cost of a sort, in ns per value, on memory that is
// already touched: the page faults of a fresh buffer are the end-to-end
// benchmark's business, not these figures'.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "file_access.h"
#include "number_file.h"
#include "number_text.h"
#include "numbers.h"
#include "sort_numbers.h"

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

// The pass that sizes the list before the values are read.
void lineBound(benchmark::State& state, Values kind) {
  std::size_t bound = 0;
  for (auto _ : state) {
    bound = tavelin::lineCountBound(text(kind));
    benchmark::DoNotOptimize(bound);
  }
  perValue(state, bound - 1);
}

// The sorter borrows the file's buffer, no longer needed once the values are
// read, as scratch room; `inPlace` sorts without it.
void sort(benchmark::State& state, Values kind, bool inPlace) {
  const auto unsorted = parsed(kind);
  tavelin::NumberList values(unsorted.size());
  tavelin::NumberList scratch(inPlace ? 0 : text(kind).size() / sizeof(std::int64_t));
  for (auto _ : state) {
    state.PauseTiming();
    values = unsorted;
    state.ResumeTiming();
    tavelin::sortNumbers(values, scratch);
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

// The same with the size found from the sorted order, as the sort command can.
void formatSorted(benchmark::State& state, Values kind) {
  auto values = parsed(kind);
  tavelin::sortNumbers(values);
  std::string out(tavelin::sortedNumberLinesSize(values), '\0');
  for (auto _ : state) {
    out.resize(tavelin::sortedNumberLinesSize(values));
    tavelin::writeNumberLines(values, out.data());
    benchmark::DoNotOptimize(out.data());
  }
  perValue(state, values.size());
}

// The file stages run on a real file (in the page cache): a fresh buffer per
// read, and a flushed temporary file renamed over the original per write, as
// the sorter does them.
std::string stageFile(Values kind) {
  const auto path = std::filesystem::temp_directory_path() /
                    (kind == Values::Random ? "tavelin-stage-random.txt" : "tavelin-stage-small.txt");
  if (tavelin::writeWholeFile(path.string(), {text(kind)}) != tavelin::FileStatus::Ok) std::abort();
  return path.string();
}

void read(benchmark::State& state, Values kind) {
  const std::string path = stageFile(kind);
  std::size_t values = tavelin::lineCountBound(text(kind)) - 1;
  for (auto _ : state) {
    auto file = tavelin::readWholeFile(path);
    benchmark::DoNotOptimize(file.bytes.data());
  }
  perValue(state, values);
}

void write(benchmark::State& state, Values kind) {
  const std::string path = stageFile(kind);
  std::size_t values = tavelin::lineCountBound(text(kind)) - 1;
  for (auto _ : state) {
    if (tavelin::writeWholeFile(path, {text(kind)}) != tavelin::FileStatus::Ok) std::abort();
  }
  perValue(state, values);
}

BENCHMARK_CAPTURE(read, random, Values::Random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(read, small, Values::Small)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(splitAndParse, random, Values::Random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(splitAndParse, small, Values::Small)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(lineBound, random, Values::Random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(lineBound, small, Values::Small)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sort, random, Values::Random, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sort, small, Values::Small, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sort, random_in_place, Values::Random, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sort, small_in_place, Values::Small, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(format, random, Values::Random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(format, small, Values::Small)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(formatSorted, random, Values::Random)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(formatSorted, small, Values::Small)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(write, random, Values::Random)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(write, small, Values::Small)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
