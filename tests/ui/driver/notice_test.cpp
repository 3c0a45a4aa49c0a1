// The empty-path notice: its texts, its one button, and the disabled window.
#include <gtest/gtest.h>

#include "input.h"
#include "program.h"

namespace driver {
namespace {

constexpr int kSortButton = 120;
constexpr int kMessageText = 0xFFFF;  // the static holding a message box's text
constexpr int kMessageIcon = 0x14;    // the static holding its icon, when it has one

class EmptyPathNotice : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(program_.window(), nullptr) << "the main window did not appear";
    // Posted: a sent click would wait for the box to be closed.
    PostMessageA(program_.control(kSortButton), BM_CLICK, 0, 0);
    box_ = program_.waitForMessageBox();
    ASSERT_NE(box_, nullptr) << "no notice appeared";
  }
  Program program_;
  HWND box_ = nullptr;
};

TEST_F(EmptyPathNotice, AsksForAFileUnderTheHintCaptionWithOneOkAndNoIcon) {
  EXPECT_EQ(textOf(box_), "\xCC\xE1\xCA\xBE");                                              // 提示
  EXPECT_EQ(textOf(GetDlgItem(box_, kMessageText)), "\xC7\xEB\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE\xA3\xA1");  // 请选择文件！
  EXPECT_NE(GetDlgItem(box_, IDOK), nullptr);
  for (const int other : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
    EXPECT_EQ(GetDlgItem(box_, other), nullptr) << "button " << other;
  }
  const HWND icon = GetDlgItem(box_, kMessageIcon);
  EXPECT_TRUE(icon == nullptr || !IsWindowVisible(icon)) << "the notice shows an icon";
  EXPECT_EQ(GetWindow(box_, GW_OWNER), nullptr);
}

TEST_F(EmptyPathNotice, DisablesTheWindowUntilOk) {
  EXPECT_FALSE(IsWindowEnabled(program_.window()));

  // A real click on the sort button meanwhile does nothing.
  clickAt(centreOf(program_.control(kSortButton)));
  program_.sync();
  EXPECT_EQ(program_.messageBoxes().size(), 1u);

  PostMessageA(GetDlgItem(box_, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(waitUntil([&] { return program_.messageBoxes().empty(); }));
  EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(program_.window()) != FALSE; }));

  // And the window takes input again.
  clickAt(centreOf(program_.control(kSortButton)));
  EXPECT_NE(program_.waitForMessageBox(), nullptr);
}

}  // namespace
}  // namespace driver
