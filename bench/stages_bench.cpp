// Per-stage compute cost of a sort, in ns per value, on memory that is
// already touched: the page faults of a fresh buffer are the end-to-end
// benchmark's business, not these figures'.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
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

// As the sorter formats: runs of 2^17 lines into one small buffer, which the
// writer takes run by run; no exact length is needed. `exactLength` instead
// formats the whole list into a buffer sized by numberLinesSize first.
void format(benchmark::State& state, Values kind, bool exactLength) {
  constexpr std::size_t kRunValues = std::size_t{1} << 17;
  auto values = parsed(kind);
  tavelin::sortNumbers(values);
  const std::span<const std::int64_t> all(values);
  std::string out(exactLength ? tavelin::numberLinesSize(all) : kRunValues * (tavelin::kMaxInt64Length + 2), '\0');
  for (auto _ : state) {
    if (exactLength) {
      out.resize(tavelin::numberLinesSize(all));
      tavelin::writeNumberLines(all, out.data());
    } else {
      for (std::size_t done = 0; done < all.size(); done += kRunValues) {
        tavelin::writeNumberLines(all.subspan(done, std::min(kRunValues, all.size() - done)), out.data());
      }
    }
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
BENCHMARK_CAPTURE(format, random, Values::Random, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(format, small, Values::Small, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(format, random_exact_length, Values::Random, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(format, small_exact_length, Values::Small, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(write, random, Values::Random)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(write, small, Values::Small)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
