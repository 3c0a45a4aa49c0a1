#include "numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include "byte_notation.h"

namespace tavelin {
namespace {

using testing::bytes;
using testing::shown;

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

struct FoldCase {
  const char* text;
  const char* folded;
};

TEST(FoldFullWidth, AppliesTheTable) {
  const FoldCase cases[] = {
      {"", ""},
      {"abc 12", "abc 12"},
      {"0xA3 0xB1 0xA3 0xB2", "12"},
      {"0xA3 0xA1", "!"},
      {"0xA3 0xFE", "~"},
      {"0xA3 0xAB 0xA3 0xAD", "+ -"},
      {"0xA1 0xA1", "SP"},
      {"0xA1 0xAB", "~"},
      {"0xA1 0xEE 0xA1 0xEF", "* *"},
      // just outside the table: copied as two bytes
      {"0xA3 0xA0", "0xA3 0xA0"},
      {"0xA3 0xFF", "0xA3 0xFF"},
      {"0xA1 0xA2", "0xA1 0xA2"},
      {"0xA2 0xB0", "0xA2 0xB0"},
      {"0xD2 0xBB 5", "0xD2 0xBB 5"},
      // the step is two bytes, so a trail byte is never a lead byte
      {"0xB0 0xA3 0xB1", "0xB0 0xA3"},
      {"0xA3 0xA3 0xB1", "#"},
      // a lead byte in the last position is dropped
      {"7 0xA3", "7"},
      {"0x80", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(shown(foldFullWidth(bytes(c.text))), shown(bytes(c.folded))) << c.text;
  }
}

TEST(FoldFullWidth, EveryFullWidthFormOfA3) {
  for (int trail = 0xA1; trail <= 0xFE; ++trail) {
    const std::string wide{static_cast<char>(0xA3), static_cast<char>(trail)};
    EXPECT_EQ(foldFullWidth(wide), std::string(1, static_cast<char>(trail - 0x80))) << trail;
  }
}

struct ParseCase {
  const char* line;
  std::int64_t value;
};

// parseInt64 of a copy in a heap block of exactly the line, so a sanitised
// build sees any read past its end.
std::int64_t parsedAlone(std::string_view line) {
  const auto exact = std::make_unique<char[]>(line.size());
  std::copy(line.begin(), line.end(), exact.get());
  return parseInt64({exact.get(), line.size()});
}

TEST(ParseInt64, ReadsTheLeadingNumberLeniently) {
  const ParseCase cases[] = {
      // white space, sign, digits
      {"SP SP -12abc", -12},
      {"abc", 0},
      {"", 0},
      {"+7", 7},
      {"007", 7},
      {"-0", 0},
      {"-", 0},
      {"SP", 0},
      {"TAB CR SP 8", 8},
      {"LF VT FF 9", 9},
      {"- SP 5", 0},
      {"+-5", 0},
      {"--5", 0},
      {"1 SP 2", 1},
      {"12.9", 12},
      {"1,234", 1},
      {"1e5", 1},
      {"0x1F", 0},
      {"0xA0 5", 0},  // no high byte is white space
      // full-width forms
      {"0xA3 0xB1 0xA3 0xB2 0xA3 0xB3", 123},
      {"0xA3 0xAD 0xA3 0xB4 0xA3 0xB2", -42},
      {"0xA3 0xAB 0xA3 0xB9", 9},
      {"0xA1 0xA1 0xA3 0xB5", 5},
      {"1 0xA3 0xB2 3", 123},
      {"0xD2 0xBB 5", 0},
      {"0xEF 0xBB 0xBF 1", 0},
      {"4 0xA3", 4},
      {"0xA3 0xAD SP 1", 0},
      // 64-bit range and wrap-around
      {"9223372036854775807", kMax},
      {"9223372036854775808", kMin},
      {"-9223372036854775808", kMin},
      {"-9223372036854775807", kMin + 1},
      {"-9223372036854775809", kMax},
      {"18446744073709551615", -1},
      {"-18446744073709551615", 1},
      {"18446744073709551616", 0},
      {"99999999999999999999", 7766279631452241919},
      {"000000000000000000000000042", 42},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parsedAlone(bytes(c.line)), c.value) << c.line;
  }
}

TEST(ParseInt64, AgreesWithParsingTheFoldedText) {
  // parseInt64 folds on the fly; a deliberately plain reader over the folded
  // text is the oracle.
  auto reference = [](const std::string& line) {
    const std::string f = foldFullWidth(line);
    std::size_t i = 0;
    while (i < f.size() && (f[i] == ' ' || (f[i] >= '\t' && f[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '-' || f[i] == '+')) negative = f[i++] == '-';
    std::uint64_t v = 0;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9') v = v * 10 + static_cast<unsigned>(f[i++] - '0');
    return static_cast<std::int64_t>(negative ? 0 - v : v);
  };
  const char alphabet[] = {'1', '9', '0', '-', '+', ' ', '\t', '\r', '\n', 'x',
                           '\xA3', '\xB1', '\xAD', '\xAB', '\xA1', '\xB0'};
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    std::string line(random() % 8, ' ');
    for (char& c : line) c = alphabet[random() % sizeof alphabet];
    ASSERT_EQ(parseInt64(line), reference(line)) << shown(line);
  }
}

struct FormatCase {
  std::int64_t value;
  const char* text;
};

TEST(FormatInt64, GivesPlainDecimal) {
  const FormatCase cases[] = {
      {0, "0"},
      {7, "7"},
      {-12, "-12"},
      {10, "10"},
      {99, "99"},
      {100, "100"},
      {-1000000, "-1000000"},
      {kMax, "9223372036854775807"},
      {kMin, "-9223372036854775808"},
      {kMin + 1, "-9223372036854775807"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatInt64(c.value), c.text);
    EXPECT_EQ(formattedLength(c.value), std::string(c.text).size()) << c.text;
  }
}

TEST(FormatInt64, RoundTripsThroughParse) {
  std::vector<std::int64_t> values = {0, 1, -1, kMin, kMax, kMin + 1, kMax - 1};
  for (std::int64_t p = 1; p <= kMax / 10; p *= 10) {
    for (const std::int64_t v : {p - 1, p, p + 1}) {
      values.push_back(v);
      values.push_back(-v);
    }
  }
  std::mt19937_64 random(11);
  for (int i = 0; i < 20000; ++i) {
    // All magnitudes: shift a random word right by a random amount.
    values.push_back(static_cast<std::int64_t>(random() >> (random() % 64)));
    values.push_back(static_cast<std::int64_t>(random()));
  }
  for (const std::int64_t v : values) {
    const std::string text = formatInt64(v);
    ASSERT_EQ(parseInt64(text), v) << text;
    ASSERT_EQ(formattedLength(v), text.size()) << text;
  }
}

// Values of every length: the digits are built in blocks of four, eight and
// sixteen, so each length cuts the blocks differently.
std::vector<std::int64_t> valuesOfEveryLength() {
  std::vector<std::int64_t> values = {kMin, kMax};
  std::int64_t mixed = 0;
  for (std::int64_t p = 1;; p *= 10) {
    mixed = mixed * 10 + 1 + (mixed % 9);  // 1, 12, 124, ...: no digit repeats its neighbour
    const std::int64_t largest = p > kMax / 10 ? kMax : p * 10 - 1;
    for (const std::int64_t v : {p, largest, mixed, p + 7}) {
      values.push_back(v);
      values.push_back(-v);
    }
    if (p > kMax / 10) break;
  }
  values.push_back(0);
  return values;
}

TEST(WriteInt64, WritesTheDecimalTextAndNothingAfterIt) {
  for (const std::int64_t v : valuesOfEveryLength()) {
    const std::string expected = std::to_string(v);
    std::string buffer(kMaxInt64Length + 16, '#');
    const char* end = writeInt64(v, buffer.data());
    ASSERT_EQ(end - buffer.data(), static_cast<std::ptrdiff_t>(expected.size())) << expected;
    EXPECT_EQ(buffer.substr(0, expected.size()), expected);
    EXPECT_EQ(buffer.substr(expected.size()), std::string(buffer.size() - expected.size(), '#')) << expected;
  }
}

}  // namespace
}  // namespace tavelin
