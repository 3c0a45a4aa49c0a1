#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "numbers.h"

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
  std::mt19937_64 random(3);
  for (const auto& shape : shapes) {
    for (const std::size_t n : {2u, 50u, 97u, 300u, 5000u, 200000u}) {
      std::vector<std::int64_t> values(n);
      for (std::size_t i = 0; i < n; ++i) values[i] = shape.value(random, i, n);
      const auto expected = referenceSort(values);
      sortNumbers(values);
      ASSERT_EQ(values, expected) << shape.name << ", " << n << " values";
    }
  }
}

TEST(SortNumbers, ReordersTheListsOwnStorage) {
  std::vector<std::int64_t> values = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  const auto* storage = values.data();
  sortNumbers(values);
  EXPECT_EQ(values.data(), storage);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
}

}  // namespace
}  // namespace tavelin
