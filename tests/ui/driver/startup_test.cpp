// Start-up makes the program's own folder the current one, wherever it was
// started from.
#include <gtest/gtest.h>

#include <string>

#include "program.h"

namespace driver {
namespace {

struct FolderRow {
  const char* subfolder;
  const char* exeName;
};

TEST(StartUp, CurrentFolderIsTheProgramsFolder) {
  const FolderRow rows[] = {
      {"plain", "Tavelin.exe"},
      // 誠 is D5 5C in GBK: its trail byte is a backslash to a byte search,
      // which would cut the name in half and leave the folder unchanged.
      {"trail-byte", "\xD5\x5C.exe"},
  };
  const std::string scratch = scratchFolder();
  for (const FolderRow& row : rows) {
    SCOPED_TRACE(row.subfolder);
    const std::string folder = scratch + "\\" + row.subfolder;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "\\" + row.exeName;
    ASSERT_TRUE(CopyFileA(programPath().c_str(), exe.c_str(), FALSE)) << GetLastError();

    const Program program(exe, scratch);
    ASSERT_NE(program.window(), nullptr);
    EXPECT_EQ(program.currentFolder(), folder);
  }
}

}  // namespace
}  // namespace driver
