#include "key_rules.h"

#include <gtest/gtest.h>

#include "win.h"

namespace tavelin::ui {
namespace {

TEST(KeyActionFor, TheWindowsKeysAndTheirModifiers) {
  constexpr Modifiers none{}, shift{false, true, false}, ctrl{true, false, false}, alt{false, false, true},
      ctrlShift{true, true, false};
  const struct { unsigned key; Modifiers held; KeyAction expected; } rows[] = {
      {VK_TAB, none, KeyAction::NextControl},
      {VK_TAB, shift, KeyAction::PreviousControl},
      {VK_TAB, ctrl, KeyAction::Pass},
      {VK_TAB, alt, KeyAction::Pass},  // Alt+Tab belongs to the system
      {VK_TAB, ctrlShift, KeyAction::Pass},
      {VK_RETURN, none, KeyAction::DefaultButton},
      {VK_RETURN, alt, KeyAction::Pass},
      {VK_ESCAPE, none, KeyAction::Close},
      {VK_ESCAPE, shift, KeyAction::Pass},
      {VK_F1, none, KeyAction::Swallow},
      {VK_F1, shift, KeyAction::Pass},
      {VK_SPACE, none, KeyAction::Pass},  // the focused button's own click
      {VK_LEFT, none, KeyAction::Pass},   // no arrow-key navigation
      {'A', alt, KeyAction::Pass},        // no mnemonics
      {VK_F4, alt, KeyAction::Pass},      // Alt+F4 closes through the system
  };
  for (const auto& row : rows) {
    EXPECT_EQ(keyActionFor(row.key, row.held), row.expected)
        << "key " << row.key << " ctrl " << row.held.ctrl << " shift " << row.held.shift << " alt " << row.held.alt;
  }
}

TEST(StepInCycle, WrapsBothWaysAndStartsFromTheEnds) {
  const struct { int count, current; bool forward; int expected; } rows[] = {
      {2, 0, true, 1}, {2, 1, true, 0}, {2, 0, false, 1}, {2, 1, false, 0},
      {3, 2, true, 0}, {3, 0, false, 2}, {3, 1, false, 0},
      {2, -1, true, 0}, {2, -1, false, 1},  // focus outside the cycle
      {1, 0, true, 0}, {1, 0, false, 0},
      {0, -1, true, -1}, {0, -1, false, -1},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(stepInCycle(row.count, row.current, row.forward), row.expected)
        << row.count << " members, from " << row.current << (row.forward ? " forward" : " back");
  }
}

}  // namespace
}  // namespace tavelin::ui
