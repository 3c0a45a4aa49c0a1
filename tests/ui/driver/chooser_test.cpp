// The choose button's open-file dialog on the real window, and the whole
// road of one sort: choose a file, sort it, read it back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../open_file_dialog.h"
#include "input.h"
#include "program.h"

namespace driver {
namespace {

using tavelin::testing::fileTypes;
using tavelin::testing::kFileNameField;
using tavelin::testing::kHelpButton;
using tavelin::testing::kReadOnlyBox;

constexpr int kPathBox = 100, kChooseButton = 110, kSortButton = 120;
// A message box's text control.
constexpr int kMessageText = 0xFFFF;

// 文本文件（*.txt）
constexpr char kTextFiles[] = "\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xA3\xA8*.txt\xA3\xA9";

bool shown(HWND control) { return control != nullptr && IsWindowVisible(control); }

void writeFile(const std::string& path, const std::string& bytes) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string readFile(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(cannot read)";
  std::string bytes(4096, '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

class ChooseFile : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(program_.window(), nullptr) << "the main window did not appear"; }

  // Clicks the choose button (posted: a sent click returns only when the
  // dialog is closed) and waits for the dialog and its file name field.
  HWND openDialog() {
    PostMessageA(program_.control(kChooseButton), BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    waitUntil([&] {
      const auto windows = program_.messageBoxes();
      dialog = windows.size() == 1 && GetDlgItem(windows.front(), kFileNameField) ? windows.front() : nullptr;
      return dialog != nullptr;
    }, 10000ms);
    return dialog;
  }

  bool closed() {
    return waitUntil([&] { return program_.messageBoxes().empty(); }) &&
           waitUntil([&] { return IsWindowEnabled(program_.window()) != FALSE; });
  }

  // Types `path` into the file name field and presses OK.
  bool confirm(HWND dialog, const std::string& path) {
    SendMessageA(GetDlgItem(dialog, kFileNameField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return closed();
  }
  bool cancel(HWND dialog) {
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return closed();
  }

  // Clicks the sort button and gives the text of the notice it shows, closing it.
  std::string sortAndReadNotice() {
    PostMessageA(program_.control(kSortButton), BM_CLICK, 0, 0);
    const HWND box = program_.waitForMessageBox();
    if (box == nullptr) return "(no notice)";
    const std::string text = textOf(GetDlgItem(box, kMessageText));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    closed();
    return text;
  }

  std::string pathBox() const { return textOf(program_.control(kPathBox)); }

  Program program_;
};

TEST_F(ChooseFile, DialogIsOwnedByTheWindowCentredOverItWithOneTextFileFilter) {
  const HWND dialog = openDialog();
  ASSERT_NE(dialog, nullptr) << "no open-file dialog appeared";
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), program_.window());
  EXPECT_FALSE(IsWindowEnabled(program_.window()));

  RECT d{}, w{}, area{};
  GetWindowRect(dialog, &d);
  GetWindowRect(program_.window(), &w);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_LE(std::abs((d.left + d.right) / 2 - (w.left + w.right) / 2), 1);
  EXPECT_LE(std::abs((d.top + d.bottom) / 2 - (w.top + w.bottom) / 2), 1);
  EXPECT_TRUE(d.left >= area.left && d.top >= area.top && d.right <= area.right && d.bottom <= area.bottom);

  EXPECT_EQ(fileTypes(dialog), std::vector<std::string>{kTextFiles});
  EXPECT_FALSE(shown(GetDlgItem(dialog, kReadOnlyBox)));
  EXPECT_FALSE(shown(GetDlgItem(dialog, kHelpButton)));
  EXPECT_TRUE(cancel(dialog));
}

TEST_F(ChooseFile, ConfirmedPathFillsThePathBoxCancelKeepsItNextOpeningStartsThere) {
  const std::string first = scratchFolder() + "\\chosen-first.txt";
  const std::string second = scratchFolder() + "\\chosen-second.txt";
  writeFile(first, "1\r\n");
  writeFile(second, "2\r\n");

  ASSERT_TRUE(cancel(openDialog()));
  EXPECT_EQ(pathBox(), "");

  ASSERT_TRUE(confirm(openDialog(), first));
  EXPECT_EQ(pathBox(), first);

  ASSERT_TRUE(cancel(openDialog()));
  EXPECT_EQ(pathBox(), first);

  // The field holds the last choice and the dialog starts in its folder, so
  // OK alone chooses it again.
  HWND dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  const std::string field = textOf(GetDlgItem(dialog, kFileNameField));
  EXPECT_FALSE(field.empty());
  EXPECT_NE(first.find(field), std::string::npos) << field;
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(closed()) << "OK with the starting name did not choose it";
  EXPECT_EQ(pathBox(), first);

  ASSERT_TRUE(confirm(openDialog(), second));
  EXPECT_EQ(pathBox(), second);
}

TEST_F(ChooseFile, WindowIgnoresClicksWhileTheDialogIsOpen) {
  const HWND dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  // Out of the way, so that the clicks reach the window's buttons.
  RECT w{};
  GetWindowRect(program_.window(), &w);
  SetWindowPos(dialog, nullptr, w.right + 10, w.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const int button : {kSortButton, kChooseButton}) {
    clickAt(centreOf(program_.control(button)));
    program_.sync();
    EXPECT_EQ(program_.messageBoxes(), std::vector<HWND>{dialog}) << "button " << button;
  }
  EXPECT_TRUE(cancel(dialog));
  EXPECT_EQ(pathBox(), "");
}

TEST_F(ChooseFile, WholeRoadOfOneSort) {
  // 数字.txt, with a full-width ２ and an empty line
  const std::string path = scratchFolder() + "\\\xCA\xFD\xD7\xD6.txt";
  writeFile(path, "30\r\n-7\r\n\r\n\xA3\xB2\r\n9223372036854775807\r\n-9223372036854775808");
  ASSERT_TRUE(confirm(openDialog(), path));
  ASSERT_EQ(pathBox(), path);
  EXPECT_EQ(sortAndReadNotice(), "\xC5\xC5\xD0\xF2\xCD\xEA\xB3\xC9\xA3\xA1");  // 排序完成！
  EXPECT_EQ(readFile(path), "-9223372036854775808\r\n-7\r\n2\r\n30\r\n9223372036854775807\r\n");
  DeleteFileA(path.c_str());
}

TEST_F(ChooseFile, ReadOnlyFileGivesTheWriteFailureNoticeAndStaysAsItWas) {
  const std::string path = scratchFolder() + "\\read-only.txt";
  const std::string bytes = "2\r\n1\r\n";
  writeFile(path, bytes);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(confirm(openDialog(), path));
  // 无法写入文件，文件未被修改！
  EXPECT_EQ(sortAndReadNotice(),
            "\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xCE\xC4\xBC\xFE\xA3\xAC\xCE\xC4\xBC\xFE\xCE\xB4\xB1\xBB\xD0\xDE\xB8\xC4\xA3\xA1");
  EXPECT_EQ(readFile(path), bytes);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace driver
