#include "filter_list.h"

#include <gtest/gtest.h>

#include "byte_notation.h"
#include "file_chooser.h"

namespace tavelin::ui {
namespace {

using testing::bytes;
using testing::shown;

struct FilterCase {
  const char* filter;  // byte notation
  const char* list;    // byte notation, "" for no list at all
};

TEST(FilterList, FollowsTheSeparatorAndTrimmingRules) {
  const FilterCase cases[] = {
      // no list
      {"", ""},
      {"SP TAB CR LF VT FF", ""},
      // one pair, closed by an empty string
      {"A|*.a", "A NUL *.a NUL NUL"},
      {"A|*.a SP TAB CR LF VT FF", "A NUL *.a NUL NUL"},
      {"SP A|*.a", "SP A NUL *.a NUL NUL"},
      {"A|*.a||", "A NUL *.a NUL NUL"},
      {"A|*.a|", "A NUL *.a NUL NUL NUL"},
      {"A|*.a|B|*.b;*.c", "A NUL *.a NUL B NUL *.b;*.c NUL NUL"},
      // a trail byte 0x7C belongs to its character
      {"0x81 0x7C |*.a", "0x81 0x7C NUL *.a NUL NUL"},
      {"A| 0x81 0x7C |", "A NUL 0x81 0x7C NUL NUL NUL"},
      {"A|*.a 0xB0 0x7C 0xB0 0x7C", "A NUL *.a 0xB0 0x7C 0xB0 0x7C NUL NUL"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(filterList(bytes(c.filter)), bytes(c.list)) << c.filter;
  }
}

TEST(FilterList, MainWindowFilterGivesOneTextFilePair) {
  const std::string list = filterList(kTextFileFilter);
  // 文本文件（*.txt） NUL *.txt NUL NUL
  EXPECT_EQ(list, std::string("\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xA3\xA8*.txt\xA3\xA9\0*.txt\0\0", 25)) << shown(list);
}

}  // namespace
}  // namespace tavelin::ui
