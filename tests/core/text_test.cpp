#include "text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "byte_notation.h"

namespace tavelin {
namespace {

using testing::bytes;
using testing::lines;
using testing::shown;

struct BytesToTextCase {
  std::string buffer;
  std::string text;
};

TEST(BytesToText, CutsAtTheFirstNul) {
  const BytesToTextCase cases[] = {
      {"", ""},
      {bytes("1 CR LF 2"), bytes("1 CR LF 2")},
      {bytes("12 NUL 34"), "12"},
      {bytes("NUL 1"), ""},
      // UTF-16 text: the first NUL comes right after its first character.
      {bytes("0xFF 0xFE 1 NUL CR NUL LF NUL"), bytes("0xFF 0xFE 1")},
      {bytes("0xFF 0x80 7"), bytes("0xFF 0x80 7")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(bytesToText(c.buffer), c.text) << shown(c.buffer);
  }
}

TEST(BytesToText, ViewsTheBuffer) {
  const std::string buffer = bytes("5 NUL 6");
  EXPECT_EQ(bytesToText(buffer).data(), buffer.data());
}

struct SplitCase {
  const char* text;
  const char* lines;  // ';'-separated, "" for no lines at all
};

TEST(SplitLines, FollowsTheLineRules) {
  const SplitCase cases[] = {
      // CR LF throughout
      {"", ""},
      {"7", "7"},
      {"1 CR LF 2", "1;2"},
      {"1 CR LF 2 CR LF", "1;2"},
      {"1 CR LF CR LF 2", "1;(empty);2"},
      {"1 CR LF CR LF", "1;(empty)"},
      {"CR LF", "(empty)"},
      {"CR LF CR LF 5", "(empty);(empty);5"},
      {"SP SP CR LF 4", "SP SP;4"},
      {"0xD2 0xBB CR LF 2", "0xD2 0xBB;2"},
      {"0xEF 0xBB 0xBF 1 CR LF 2", "0xEF 0xBB 0xBF 1;2"},
      // lone CR and LF end lines too
      {"1 LF 2 LF 3", "1;2;3"},
      {"1 CR 2 CR 3 CR", "1;2;3"},
      {"1 CR CR LF 2", "1;(empty);2"},
      {"1 LF CR 2", "1;(empty);2"},
      {"1 LF LF", "1;(empty)"},
      {"1 CR", "1"},
      {"CR", "(empty)"},
      {"LF", "(empty)"},
      {"LF 5", "(empty);5"},
      // a two-byte character swallows the byte after it
      {"1 0xB0 CR LF 2", "1 0xB0 CR;2"},
      {"1 0xB0 LF 2", "1 0xB0 LF 2"},
      {"0x80 CR 0xFF LF", "0x80 CR 0xFF LF"},
      {"0xB0 0xB0 CR 2", "0xB0 0xB0;2"},
      // a lead byte in the last position stays in the last line
      {"1 CR LF 0xB0", "1;0xB0"},
      {"0xB0", "0xB0"},
  };
  for (const auto& c : cases) {
    const std::string text = bytes(c.text);
    const std::vector<std::string> expected = lines(c.lines);
    const std::vector<std::string_view> got = splitLines(text);
    ASSERT_EQ(got.size(), expected.size()) << c.text;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i], expected[i]) << c.text << ", line " << i << ": " << shown(got[i]);
    }
  }
}

TEST(SplitLines, ViewsTheText) {
  const std::string text = bytes("ab CR LF cd");
  const auto got = splitLines(text);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].data(), text.data());
  EXPECT_EQ(got[1].data(), text.data() + 4);
}

TEST(SplitLines, CrLfTextJoinsBackToItself) {
  // A text of CR LF breaks and no high bytes is its lines joined by CR LF,
  // give or take one final break.
  const char* texts[] = {"1 CR LF 2", "CR LF CR LF 3 CR LF", "SP CR LF TAB", "abc"};
  for (const char* notation : texts) {
    const std::string text = bytes(notation);
    std::string joined;
    for (const auto line : splitLines(text)) joined.append(line).append("\r\n");
    const std::string withFinalBreak = text.ends_with("\r\n") ? text : text + "\r\n";
    EXPECT_EQ(joined, withFinalBreak) << notation;
  }
}

TEST(IsEmptyLine, OnlyTheEmptyText) {
  EXPECT_TRUE(isEmptyLine(""));
  EXPECT_TRUE(isEmptyLine(std::string_view()));
  EXPECT_FALSE(isEmptyLine(" "));
  EXPECT_FALSE(isEmptyLine("\r"));
  EXPECT_FALSE(isEmptyLine("0"));
}

}  // namespace
}  // namespace tavelin
