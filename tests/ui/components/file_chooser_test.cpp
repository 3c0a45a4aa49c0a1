#include "file_chooser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <commdlg.h>

#include "dialog_placement.h"
#include "test_windows.h"

namespace tavelin::ui {
namespace {

using testing::DialogSeen;
using testing::TestWindow;
using testing::runWithDialog;

// Settings and flags

TEST(FileChooserSettings, DefaultsAndTheMainWindowValues) {
  const FileChooser chooser;
  EXPECT_EQ(chooser.kind(), 0);
  EXPECT_EQ(chooser.title(), "");
  EXPECT_EQ(chooser.fileName(), "");
  EXPECT_EQ(chooser.filter(), "");
  EXPECT_EQ(chooser.filterIndex(), 0);
  EXPECT_EQ(chooser.initialFolder(), "");
  EXPECT_EQ(chooser.defaultExtension(), "");
  EXPECT_FALSE(chooser.promptToCreate());
  EXPECT_TRUE(chooser.fileMustExist());
  EXPECT_TRUE(chooser.promptToOverwrite());
  EXPECT_TRUE(chooser.pathMustExist());
  EXPECT_FALSE(chooser.keepCurrentFolder());

  const FileChooser main = mainWindowChooser();
  EXPECT_EQ(main.filter(), kTextFileFilter);
  EXPECT_EQ(main.flagWord(), 0x881826u);
}

TEST(FileChooserSettings, NegativeFilterIndexIsStoredAsZero) {
  FileChooser chooser;
  for (const int index : {-1, -2147483647 - 1}) {
    chooser.setFilterIndex(index);
    EXPECT_EQ(chooser.filterIndex(), 0) << index;
  }
  chooser.setFilterIndex(3);
  EXPECT_EQ(chooser.filterIndex(), 3);
}

TEST(FileChooserSettings, EachOptionAddsItsFlag) {
  struct Case {
    const char* option;
    void (FileChooser::*set)(bool);
    std::uint32_t flag;
  };
  const Case cases[] = {
      {"promptToCreate", &FileChooser::setPromptToCreate, 0x2000},
      {"fileMustExist", &FileChooser::setFileMustExist, 0x1000},
      {"promptToOverwrite", &FileChooser::setPromptToOverwrite, 0x2},
      {"pathMustExist", &FileChooser::setPathMustExist, 0x800},
      {"keepCurrentFolder", &FileChooser::setKeepCurrentFolder, 0x8},
  };
  // No read-only box, a hook, the Explorer look and a sizing frame, always.
  constexpr std::uint32_t kAlways = 0x4 | 0x20 | 0x80000 | 0x800000;
  FileChooser none;
  for (const auto& c : cases) (none.*c.set)(false);
  EXPECT_EQ(none.flagWord(), kAlways);
  for (const auto& c : cases) {
    FileChooser chooser = none;
    (chooser.*c.set)(true);
    EXPECT_EQ(chooser.flagWord(), kAlways | c.flag) << c.option;
  }
}

TEST(StartingPath, KeepsAtMost259BytesAndZeroesTheRest) {
  for (const std::size_t length : {0u, 1u, 258u, 259u, 260u, 600u}) {
    const std::string name(length, 'n');
    const PathBuffer buffer = startingPath(name);
    const std::size_t kept = length < 259 ? length : 259;
    EXPECT_EQ(std::string(buffer.data()), name.substr(0, kept)) << length;
    for (std::size_t i = kept; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], '\0') << length << " at " << i;
  }
}

// The dialog itself

// A file of the test's own in the temporary folder, removed at the end.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& folderName, const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + folderName + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    path_ = folder_ + "\\" + name;
    const HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  ~TemporaryFile() {
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
  std::string path_;
};

// 数字 and 号码.txt in GBK: the path travels as ANSI bytes throughout.
const std::string kGbkFolder = "\xCA\xFD\xD7\xD6";
const std::string kGbkName = "\xBA\xC5\xC2\xEB.txt";

TEST(FileChooserDialog, ShowsOneTextFileFilterAndNoReadOnlyBox) {
  TestWindow owner(RECT{328, 263, 696, 504});
  FileChooser chooser = mainWindowChooser();
  DialogSeen seen;
  EXPECT_FALSE(runWithDialog([&] { return chooser.open(); }, seen, testing::cancel));
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.fileTypes, std::vector<std::string>{"\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xA3\xA8*.txt\xA3\xA9"});
  EXPECT_FALSE(seen.readOnlyBoxShown);
}

TEST(FileChooserDialog, IsOwnedByTheActiveWindowWhichIsDisabledMeanwhile) {
  TestWindow owner(RECT{328, 263, 696, 504});
  SetFocus(owner.button());
  FileChooser chooser = mainWindowChooser();
  DialogSeen seen;
  runWithDialog([&] { return chooser.open(); }, seen, testing::cancel);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.owner, owner.window());
  EXPECT_FALSE(seen.ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner.window()));
  EXPECT_EQ(GetFocus(), owner.button());
}

TEST(FileChooserDialog, IsCentredOverItsOwnerInsideTheWorkArea) {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const ScreenRect workArea{area.left, area.top, area.right, area.bottom};
  struct Case {
    const char* what;
    RECT owner;
    TestWindow::Look look;
  };
  const Case cases[] = {
      {"owner in the middle", {328, 263, 696, 504}, TestWindow::Shown},
      {"owner in the top left corner", {0, 0, 368, 241}, TestWindow::Shown},
      {"owner past the bottom right corner", {area.right - 100, area.bottom - 50, area.right + 268, area.bottom + 191},
       TestWindow::Shown},
      {"minimised owner", {0, 0, 368, 241}, TestWindow::Minimised},
      {"no owner", {0, 0, 368, 241}, TestWindow::Hidden},
  };
  for (const auto& c : cases) {
    TestWindow owner(c.owner, c.look);
    FileChooser chooser = mainWindowChooser();
    DialogSeen seen;
    runWithDialog([&] { return chooser.open(); }, seen, testing::cancel);
    ASSERT_TRUE(seen.found) << c.what;
    const ScreenRect dialog{seen.rect.left, seen.rect.top, seen.rect.right, seen.rect.bottom};
    const ScreenRect over = c.look == TestWindow::Shown
                                ? ScreenRect{c.owner.left, c.owner.top, c.owner.right, c.owner.bottom}
                                : workArea;
    const Point expected = centredOver(dialog, over, workArea);
    EXPECT_EQ(seen.rect.left, expected.x) << c.what;
    EXPECT_EQ(seen.rect.top, expected.y) << c.what;
  }
}

TEST(FileChooserDialog, ConfirmedPathBecomesTheFileNameAndCancelKeepsIt) {
  const TemporaryFile ascii("chooser", "numbers.txt");
  const TemporaryFile gbk(kGbkFolder, kGbkName);
  for (const TemporaryFile* file : {&ascii, &gbk}) {
    TestWindow owner(RECT{328, 263, 696, 504});
    FileChooser chooser = mainWindowChooser();
    DialogSeen seen;
    EXPECT_TRUE(runWithDialog([&] { return chooser.open(); }, seen, testing::confirm(file->path())));
    EXPECT_EQ(chooser.fileName(), file->path());

    // The next dialog starts in that file's folder, with its name.
    EXPECT_FALSE(runWithDialog([&] { return chooser.open(); }, seen, testing::cancel));
    EXPECT_EQ(seen.folder, file->folder());
    EXPECT_NE(file->path().find(seen.fileField), std::string::npos) << seen.fileField;
    EXPECT_FALSE(seen.fileField.empty());
    EXPECT_EQ(chooser.fileName(), file->path());
  }
}

TEST(ChooseFileCommand, PutsAConfirmedPathIntoThePathBoxOnly) {
  const TemporaryFile first("chooser", "first.txt");
  const TemporaryFile second("chooser2-", "second.txt");
  TestWindow owner(RECT{328, 263, 696, 504});
  const HWND pathBox = owner.edit();
  FileChooser chooser = mainWindowChooser();
  DialogSeen seen;

  runWithDialog([&] { ChooseFileCommand(chooser, pathBox); return true; }, seen, testing::cancel);
  EXPECT_EQ(testing::windowText(pathBox), "");

  chooser.setKind(1);
  runWithDialog([&] { ChooseFileCommand(chooser, pathBox); return true; }, seen, testing::confirm(first.path()));
  EXPECT_EQ(chooser.kind(), 0);
  EXPECT_EQ(testing::windowText(pathBox), first.path());

  runWithDialog([&] { ChooseFileCommand(chooser, pathBox); return true; }, seen, testing::cancel);
  EXPECT_EQ(testing::windowText(pathBox), first.path());

  runWithDialog([&] { ChooseFileCommand(chooser, pathBox); return true; }, seen, testing::confirm(second.path()));
  EXPECT_EQ(testing::windowText(pathBox), second.path());
}

}  // namespace
}  // namespace tavelin::ui
