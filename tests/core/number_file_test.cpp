#include "number_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "byte_notation.h"
#include "numbers.h"
#include "text.h"

namespace tavelin {
namespace {

using testing::bytes;
using testing::shown;

// What the file rules say, spelled out with the single-line operations.
std::vector<std::int64_t> valuesByLines(std::string_view text) {
  std::vector<std::int64_t> values;
  for (const auto line : splitLines(text)) {
    if (!isEmptyLine(line)) values.push_back(parseInt64(line));
  }
  return values;
}

std::vector<std::int64_t> valuesOf(std::string_view text) {
  // A heap block of exactly the text, so a sanitised build sees any read
  // past its end.
  const auto exact = std::make_unique<char[]>(text.size());
  std::copy(text.begin(), text.end(), exact.get());
  text = {exact.get(), text.size()};
  NumberList values;
  values.reserve(lineCountBound(text));
  appendLineValues(text, values);
  return {values.begin(), values.end()};
}

TEST(AppendLineValues, OneValuePerNonEmptyLine) {
  struct Case {
    const char* text;
    std::vector<std::int64_t> values;
  };
  const Case cases[] = {
      {"", {}},
      {"3 CR LF 1 CR LF 2", {3, 1, 2}},
      {"5 CR LF CR LF CR LF 4", {5, 4}},
      {"abc CR LF SP CR LF 7", {0, 0, 7}},
      {"1 LF 2 CR 3 CR LF", {1, 2, 3}},
      {"TAB CR SP 8", {0, 8}},  // the CR ends the first line here
      {"0xA3 0xB1 0xB0 CR LF 2", {1, 2}},  // B0 CR is one character; the LF ends line 1
      {"-5 0xB0 LF 6 CR LF 7", {-5, 7}},
      {"0xA1 0xA1 9 CR LF", {9}},
      {"0xA3", {0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(valuesOf(bytes(c.text)), c.values) << c.text;
  }
}

TEST(AppendLineValues, AgreesWithSplittingAndParsing) {
  const char alphabet[] = {'1', '7', '0', '-', '+', ' ', '\t', '\r', '\n', '\r', '\n', 'z',
                           '\xA3', '\xB2', '\xAD', '\xA1', '\xB0', '\xFF', '\v'};
  std::mt19937 random(5);
  for (int round = 0; round < 50000; ++round) {
    std::string text(random() % 24, ' ');
    for (char& c : text) c = alphabet[random() % sizeof alphabet];
    const auto values = valuesOf(text);
    ASSERT_EQ(values, valuesByLines(text)) << shown(text);
    ASSERT_LE(values.size(), lineCountBound(text)) << shown(text);
  }
}

TEST(AppendLineValues, LongTextsAgreeWithSplittingAndParsing) {
  // Long texts of mostly plain lines, so that whole-line shortcuts are taken,
  // mixed with every kind of line they must give way to.
  const char* pieces[] = {"-", "+", "0", "7", "12345678", "999999999999", "18446744073709551616", "\r\n", "\r\n",
                          "\n", "\r", " ", "\t", "x", "\xA3\xB5", "\xB0", "\xA1\xA1", "00000000000000000000000000001"};
  std::mt19937 random(9);
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int count = static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) text += pieces[random() % std::size(pieces)];
    ASSERT_EQ(valuesOf(text), valuesByLines(text)) << shown(text);
  }
}

TEST(AppendLineValues, EveryDigitCountOfAPlainLine) {
  // 1 to 30 digits, with and without a minus, in the middle of a long text.
  for (int digits = 1; digits <= 30; ++digits) {
    for (const char* sign : {"", "-"}) {
      std::string number(sign);
      for (int i = 0; i < digits; ++i) number += static_cast<char>('1' + (i * 7) % 9);
      const std::string text = number + "\r\n" + number + "\n" + std::string(40, '5') + "\r\n";
      ASSERT_EQ(valuesOf(text), valuesByLines(text)) << text;
    }
  }
}

// Plain lines of exactly `size` bytes in all.
std::string plainLines(std::size_t size) {
  static const char* const remainders[] = {"", "\n", "5\n", "56\r", "567\n"};
  std::string text;
  while (text.size() + 5 <= size) text += "123\r\n";
  return text + remainders[size - text.size()];
}

TEST(AppendLineValues, EveryLineShapeAtEveryPlaceInABlock) {
  // The fast path reads 64-byte blocks and needs some bytes after them, so
  // each shape is tried at every offset across two blocks, with its break
  // and the text's end at every distance after it.
  const char* const shapes[] = {
      "7", "-7", "-", "00000000000000000009", "-9223372036854775808", "18446744073709551617",  // wraps
      "123456789012345678901234", "1234567890123456789012345",  // the longest fast run and one more
      "12x", "1-2", "--1", "+5", " 5", "5 ", "\xA3\xB5", "9\xB0", "9\xB0\r", "\xB0\n3", "7\xA3\xB2" "8",
  };
  const char* const breaks[] = {"\r\n", "\n", "\r", "\r\r\n\n", ""};
  for (const char* shape : shapes) {
    for (std::size_t offset = 0; offset < 140; ++offset) {
      for (const char* lineBreak : breaks) {
        for (const std::size_t after : {0, 1, 9, 70, 80}) {
          const std::string text = plainLines(offset) + shape + lineBreak + plainLines(after);
          ASSERT_EQ(valuesOf(text), valuesByLines(text)) << shown(text);
        }
      }
    }
  }
}

// The values are reserved from this bound, so it should not be twice the
// line count for CR LF text.
TEST(LineCountBound, CountsEachLineBreakOnce) {
  struct Case {
    const char* text;
    std::size_t bound;
  };
  const Case cases[] = {
      {"", 1},
      {"7", 1},
      {"1 CR LF 2 CR LF", 3},
      {"1 CR LF 2", 2},
      {"1 CR 2 LF 3", 3},
      {"CR CR LF LF", 4},
      {"1 CR", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lineCountBound(bytes(c.text)), c.bound) << c.text;
  }
}

TEST(LineCountBound, AgreesWithCountingBreaksOneByOne) {
  // Long texts too, since the count is taken sixteen bytes at a time in
  // counters that are emptied every few thousand bytes.
  const char alphabet[] = {'\r', '\n', '1', '\xB0', ' '};
  std::mt19937 random(6);
  for (int round = 0; round < 3000; ++round) {
    std::string text(round < 20 ? 5000 * round : random() % 300, ' ');
    for (char& c : text) c = alphabet[random() % (round % 2 ? 2 : sizeof alphabet)];
    std::size_t expected = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
      expected += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    }
    ASSERT_EQ(lineCountBound(text), expected) << text.size();
  }
  // A break in every byte fills the counters fastest.
  EXPECT_EQ(lineCountBound(std::string(10000, '\n')), 10001u);
  EXPECT_EQ(lineCountBound(std::string(10000, '\r')), 10001u);
}

TEST(NumberLines, WritesEachValueWithCrLf) {
  const std::vector<std::int64_t> values = {-9223372036854775807 - 1, -3, 0, 10, 9223372036854775807};
  const std::string expected = "-9223372036854775808\r\n-3\r\n0\r\n10\r\n9223372036854775807\r\n";
  ASSERT_EQ(numberLinesSize(values), expected.size());
  std::string out(expected.size(), '?');
  EXPECT_EQ(writeNumberLines(values, out.data()), out.data() + out.size());
  EXPECT_EQ(out, expected);
  EXPECT_EQ(numberLinesSize({}), 0u);
}

// The lines are written with block stores that may reach past a number into
// the space of the lines after it, so what is written is checked in a buffer
// of exactly the size, with lists of every length and numbers of every
// length at their end.
TEST(NumberLines, FillExactlyTheirSize) {
  std::vector<std::int64_t> lengths;
  for (std::int64_t p = 1;; p *= 10) {
    lengths.insert(lengths.end(), {p, -p, p * 9 + 1});
    if (p == 1000000000000000000) break;
  }
  lengths.insert(lengths.end(), {0, -9223372036854775807 - 1, 9223372036854775807, -5});
  std::mt19937 random(3);
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::int64_t> values(random() % 6);
    for (auto& v : values) v = lengths[random() % lengths.size()];
    std::string expected;
    for (const std::int64_t v : values) expected += std::to_string(v) + "\r\n";
    ASSERT_EQ(numberLinesSize(values), expected.size());
    // A heap block of exactly the size, so a sanitised build sees any store past it.
    const auto out = std::make_unique<char[]>(expected.size());
    ASSERT_EQ(writeNumberLines(values, out.get()), out.get() + expected.size());
    ASSERT_EQ(std::string(out.get(), expected.size()), expected);
  }
}

}  // namespace
}  // namespace tavelin
