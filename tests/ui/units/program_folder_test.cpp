#include "program_folder.h"

#include <gtest/gtest.h>

#include <string>

#include "byte_notation.h"

namespace tavelin::ui {
namespace {

using tavelin::testing::bytes;
using tavelin::testing::shown;

TEST(FolderOf, CutsAtTheLastRealBackslash) {
  const struct { const char* path; const char* folder; } rows[] = {
      {"C:\\Tools\\Tavelin.exe", "C:\\Tools"},
      {"C:\\Tavelin.exe", "C:"},
      {"\\\\server\\share\\Tavelin.exe", "\\\\server\\share"},
      {"C:\\a\\b\\", "C:\\a\\b"},
      {"Tavelin.exe", ""},  // no backslash: the empty text
      {"", ""},
      {"\\", ""},
      // 誠 (D5 5C): its trail byte is no backslash.
      {"C:\\t\\ 0xD5 0x5C .exe", "C:\\t"},
      {"C:\\ 0xD5 0x5C \\x.exe", "C:\\ 0xD5 0x5C"},
      {"C:\\ 0xD5 0x5C 0xD5 0x5C", "C:"},
      // A single high byte: the byte after it belongs to its character.
      {"C:\\a 0x81 \\b", "C:"},
      // A high byte at the very end has no partner and hides nothing.
      {"C:\\a\\ 0x81", "C:\\a"},
  };
  for (const auto& row : rows) {
    const std::string path = bytes(row.path);
    EXPECT_EQ(std::string(folderOf(path)), bytes(row.folder)) << shown(path);
  }
}

}  // namespace
}  // namespace tavelin::ui
