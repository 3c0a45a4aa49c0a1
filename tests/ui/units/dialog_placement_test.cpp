#include "dialog_placement.h"

#include <gtest/gtest.h>

namespace tavelin::ui {
namespace {

struct PlacementCase {
  const char* what;
  ScreenRect dialog;
  ScreenRect owner;
  ScreenRect workArea;
  Point corner;
};

constexpr ScreenRect kScreen{0, 0, 1024, 740};  // a taskbar below

TEST(CentredOver, CentresAndKeepsInsideTheWorkArea) {
  const PlacementCase cases[] = {
      {"centred", {0, 0, 400, 300}, {328, 263, 696, 504}, kScreen, {312, 233}},
      {"the dialog's place does not matter", {-50, 900, 350, 1200}, {328, 263, 696, 504}, kScreen, {312, 233}},
      {"odd sizes halve down", {0, 0, 101, 51}, {100, 100, 111, 111}, kScreen, {55, 80}},
      {"left of the area", {0, 0, 400, 300}, {-100, 263, 100, 504}, kScreen, {0, 233}},
      {"above the area", {0, 0, 400, 300}, {328, -200, 696, 41}, kScreen, {312, 0}},
      {"past the right edge", {0, 0, 400, 300}, {900, 263, 1100, 504}, kScreen, {624, 233}},
      {"past the bottom edge", {0, 0, 400, 300}, {328, 600, 696, 841}, kScreen, {312, 440}},
      {"larger than the area starts at its edge", {0, 0, 1200, 800}, {328, 263, 696, 504}, kScreen, {0, 0}},
      {"a monitor left of the primary", {0, 0, 400, 300}, {-900, 263, -532, 504}, {-1280, 0, 0, 1024}, {-916, 233}},
      {"halves truncate toward zero", {0, 0, 10, 10}, {-101, -101, -50, -50}, {-2000, -2000, 2000, 2000}, {-80, -80}},
      {"in the work area itself", {0, 0, 400, 300}, kScreen, kScreen, {312, 220}},
  };
  for (const auto& c : cases) {
    const Point corner = centredOver(c.dialog, c.owner, c.workArea);
    EXPECT_EQ(corner.x, c.corner.x) << c.what;
    EXPECT_EQ(corner.y, c.corner.y) << c.what;
  }
}

}  // namespace
}  // namespace tavelin::ui
