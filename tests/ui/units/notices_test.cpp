#include "notices.h"

#include <gtest/gtest.h>

#include <exception>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

#include "fatal_error.h"
#include "out_of_memory.h"

namespace tavelin::ui {
namespace {

TEST(NoticeStyle, TaskModalUnlessSystemModal) {
  const struct { UINT buttons, expected; } rows[] = {
      {MB_OK, 0x2000},
      {MB_ICONERROR, 0x2010},
      {MB_YESNO | MB_DEFBUTTON2, 0x2104},
      {MB_SYSTEMMODAL, 0x1000},
      {MB_SYSTEMMODAL | MB_ICONERROR, 0x1010},
      {MB_TASKMODAL, 0x2000},
  };
  for (const auto& row : rows) EXPECT_EQ(noticeStyle(row.buttons), row.expected) << std::hex << row.buttons;
}

TEST(NoticeResult, MapsThePressedButton) {
  const struct { int pressed, expected; } rows[] = {
      {IDOK, 0}, {IDCANCEL, 1}, {IDABORT, 2}, {IDRETRY, 3}, {IDIGNORE, 4}, {IDYES, 5}, {IDNO, 6},
      {0, 0},          // the box could not be shown
      {IDCLOSE, 0},    // any other value
      {IDTRYAGAIN, 0},
  };
  for (const auto& row : rows) EXPECT_EQ(noticeResult(row.pressed), row.expected) << row.pressed;
}

std::string messageFor(std::exception_ptr failure) { return fatalMessageFor(failure).data(); }

TEST(FatalMessage, NamesTheAllocationThatFailed) {
  const std::string before = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\xA3\xAC\xCE\xDE\xB7\xA8\xCE\xAA";  // 内存不足，无法为
  const std::string after = " \xD7\xD6\xBD\xDA\xA1\xA3\xB3\xCC\xD0\xF2\xBD\xAB\xCD\xCB\xB3\xF6\xA1\xA3";  // 字节。程序将退出。
  const std::string allocate = "\xB7\xD6\xC5\xE4 ";                                                      // 分配
  constexpr std::size_t largest = std::numeric_limits<std::size_t>::max();  // differs in a 32-bit build
  const struct { Allocation which; std::size_t bytes; const char* name; std::string size; } rows[] = {
      {Allocation::FileContents, 2147483647, "\xCE\xC4\xBC\xFE\xC4\xDA\xC8\xDD", "2147483647"},  // 文件内容
      {Allocation::NumberList, 8, "\xCA\xFD\xD7\xD6\xC1\xD0\xB1\xED", "8"},                      // 数字列表
      {Allocation::OutputText, largest, "\xCA\xE4\xB3\xF6\xCE\xC4\xB1\xBE", std::to_string(largest)},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(messageFor(std::make_exception_ptr(OutOfMemory(row.which, row.bytes))),
              before + row.name + allocate + row.size + after);
  }
}

TEST(FatalMessage, SaysSoWhenTheAllocationIsUnknownOrTheFailureIsAnother) {
  EXPECT_EQ(messageFor(std::make_exception_ptr(std::bad_alloc())),
            "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\xA3\xAC\xB3\xCC\xD0\xF2\xBD\xAB\xCD\xCB\xB3\xF6\xA1\xA3");  // 内存不足，程序将退出。
  EXPECT_EQ(messageFor(std::make_exception_ptr(std::runtime_error("x"))),
            "\xB3\xCC\xD0\xF2\xB3\xF6\xB4\xED\xA3\xAC\xBD\xAB\xCD\xCB\xB3\xF6\xA1\xA3");  // 程序出错，将退出。
}

}  // namespace
}  // namespace tavelin::ui
