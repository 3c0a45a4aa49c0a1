#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "sort_numbers.h"

namespace tavelin {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(SortNumbers, SmallCases) {
  struct Case {
    std::vector<std::int64_t> in, out;
  };
  const Case cases[] = {
      {{}, {}},
      {{5}, {5}},
      {{3, -1, 2, -1}, {-1, -1, 2, 3}},
      {{kMax, 0, kMin, -1}, {kMin, -1, 0, kMax}},
      {{-1, 0}, {-1, 0}},
      {{0, -1}, {-1, 0}},
  };
  for (const auto& c : cases) {
    auto values = c.in;
    sortNumbers(values);
    EXPECT_EQ(values, c.out);
  }
}

// Orders a list as the rule says, with the plainest possible method.
std::vector<std::int64_t> referenceSort(std::vector<std::int64_t> v) {
  std::sort(v.begin(), v.end());
  return v;
}

struct Shape {
  const char* name;
  std::function<std::int64_t(std::mt19937_64&, std::size_t i, std::size_t n)> value;
};

TEST(SortNumbers, AgreesWithAReferenceOnManyShapes) {
  const Shape shapes[] = {
      {"uniform", [](auto& r, auto, auto) { return static_cast<std::int64_t>(r()); }},
      {"small non-negative", [](auto& r, auto, auto) { return static_cast<std::int64_t>(r() % 1000000); }},
      {"few distinct", [](auto& r, auto, auto) { return static_cast<std::int64_t>(r() % 3) - 1; }},
      {"all equal", [](auto&, auto, auto) { return std::int64_t{42}; }},
      {"sorted", [](auto&, auto i, auto) { return static_cast<std::int64_t>(i) - 500; }},
      {"reversed", [](auto&, auto i, auto n) { return static_cast<std::int64_t>(n - i) * 1000003; }},
      {"extremes", [](auto& r, auto, auto) {
         const std::int64_t pick[] = {kMin, kMin + 1, -1, 0, 1, kMax - 1, kMax};
         return pick[r() % 7];
       }},
      {"shared high bytes", [](auto& r, auto, auto) {
         return static_cast<std::int64_t>(0x0123456700000000ULL | (r() & 0xFF00FF));
       }},
      {"mixed magnitudes", [](auto& r, auto, auto) { return static_cast<std::int64_t>(r()) >> (r() % 64); }},
  };
  // Scratch room as a share of the values: none (every level in place), a
  // third (in place until the buckets fit), and room for all.
  const double scratchShares[] = {0.0, 1.0 / 3, 1.0};
  std::mt19937_64 random(3);
  for (const auto& shape : shapes) {
    for (const std::size_t n : {2u, 33u, 50u, 97u, 300u, 5000u, 70000u, 200000u}) {
      std::vector<std::int64_t> unsorted(n);
      for (std::size_t i = 0; i < n; ++i) unsorted[i] = shape.value(random, i, n);
      const auto expected = referenceSort(unsorted);
      for (const double share : scratchShares) {
        auto values = unsorted;
        std::vector<std::int64_t> scratch(static_cast<std::size_t>(static_cast<double>(n) * share));
        sortNumbers(values, scratch);
        ASSERT_EQ(values, expected) << shape.name << ", " << n << " values, scratch " << scratch.size();
      }
    }
  }
}

TEST(SortNumbers, WithoutScratchArgumentSortsInPlace) {
  std::mt19937_64 random(5);
  std::vector<std::int64_t> values(100000);
  for (auto& v : values) v = static_cast<std::int64_t>(random());
  const auto expected = referenceSort(values);
  sortNumbers(values);
  EXPECT_EQ(values, expected);
}

TEST(SortNumbers, EndsInTheListsOwnStorageWhateverTheScratch) {
  // Depths of one, two and three levels end on different sides of the
  // scratch; the values must always come back to the list.
  for (const std::size_t n : {10u, 40u, 3000u, 100000u}) {
    std::vector<std::int64_t> values(n);
    for (std::size_t i = 0; i < n; ++i) values[i] = static_cast<std::int64_t>((n - i) * 0x9E3779B97F4A7C15ULL);
    std::vector<std::int64_t> scratch(n + 7, 0);
    const auto* storage = values.data();
    sortNumbers(values, scratch);
    EXPECT_EQ(values.data(), storage);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end())) << n << " values";
  }
}

}  // namespace
}  // namespace tavelin
