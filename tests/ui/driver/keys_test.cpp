// Keys and focus, worked with real key presses and mouse clicks.
#include <gtest/gtest.h>

#include "input.h"
#include "program.h"

namespace driver {
namespace {

constexpr int kChooseButton = 110, kSortButton = 120;

class Keys : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(program_.window(), nullptr) << "the main window did not appear";
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == program_.window(); }));
  }
  HWND focus() const { return focusOf(program_.threadId()); }
  HWND button(int id) const { return program_.control(id); }
  // Presses a key and waits until the focus is on `expected`.
  ::testing::AssertionResult pressAndExpectFocus(WORD key, bool shift, int expected) {
    pressKey(key, shift);
    if (waitUntil([&] { return focus() == button(expected); }, 3000ms)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "focus is on id " << GetDlgCtrlID(focus()) << ", not " << expected;
  }
  Program program_;
};

TEST_F(Keys, FocusStartsOnTheChooseButton) { EXPECT_EQ(focus(), button(kChooseButton)); }

TEST_F(Keys, TabAndShiftTabAlternateTheTwoButtons) {
  const struct { bool shift; int then; } presses[] = {
      {false, kSortButton}, {false, kChooseButton},  // Tab wraps from the last to the first
      {true, kSortButton}, {true, kChooseButton},    // Shift+Tab wraps from the first to the last
      {true, kSortButton}, {false, kChooseButton},
  };
  for (const auto& press : presses) {
    ASSERT_TRUE(pressAndExpectFocus(VK_TAB, press.shift, press.then)) << (press.shift ? "Shift+Tab" : "Tab");
  }
}

TEST_F(Keys, EnterOnAButtonDoesNothingAndSpaceClicksIt) {
  ASSERT_TRUE(pressAndExpectFocus(VK_TAB, false, kSortButton));
  pressKey(VK_RETURN);
  // Keys are handled in order: once the Tab after Enter has moved the
  // focus, Enter has had its chance to open a notice.
  ASSERT_TRUE(pressAndExpectFocus(VK_TAB, false, kChooseButton));
  program_.sync();
  EXPECT_TRUE(program_.messageBoxes().empty()) << "Enter clicked a button";

  ASSERT_TRUE(pressAndExpectFocus(VK_TAB, false, kSortButton));
  pressKey(VK_SPACE);
  EXPECT_NE(program_.waitForMessageBox(), nullptr) << "Space did not click the sort button";
}

TEST_F(Keys, EscClosesTheWindowAndTheProgramEndsWithZero) {
  ASSERT_TRUE(pressAndExpectFocus(VK_TAB, false, kSortButton));
  pressKey(VK_ESCAPE);
  EXPECT_EQ(program_.waitForExit(), 0u);
}

TEST_F(Keys, F1DoesNothing) {
  pressKey(VK_F1);
  ASSERT_TRUE(pressAndExpectFocus(VK_TAB, false, kSortButton));
  program_.sync();
  EXPECT_TRUE(program_.messageBoxes().empty());
  EXPECT_EQ(program_.waitForExit(0ms), STILL_ACTIVE);
}

// A plain window of the driver's own to switch to.
class OtherWindow {
 public:
  OtherWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavelinDriverOther";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "TavelinDriverOther", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 150,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~OtherWindow() { DestroyWindow(window_); }
  HWND window() const { return window_; }
  void pump() const {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }

 private:
  HWND window_ = nullptr;
};

TEST_F(Keys, FocusComesBackAfterSwitchingAwayAndBack) {
  ASSERT_TRUE(pressAndExpectFocus(VK_TAB, false, kSortButton));

  // Switched as the task bar would: by making the other window the
  // foreground one, and then the program's window again.
  OtherWindow other;
  ASSERT_TRUE(waitUntil([&] {
    other.pump();
    SetForegroundWindow(other.window());
    return GetForegroundWindow() == other.window() && focusOf(program_.threadId()) == nullptr;
  })) << "could not switch to another window";
  ASSERT_TRUE(waitUntil([&] {
    other.pump();
    SetForegroundWindow(program_.window());
    return GetForegroundWindow() == program_.window();
  })) << "could not switch back";
  EXPECT_TRUE(waitUntil([&] { return focus() == button(kSortButton); }))
      << "focus is on id " << GetDlgCtrlID(focus());
}

}  // namespace
}  // namespace driver
