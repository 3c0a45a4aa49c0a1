#include "window_geometry.h"

#include <gtest/gtest.h>

namespace tavelin::ui {
namespace {

TEST(CentredOrigin, HalvesTheSpareRoomTruncatingTowardZero) {
  const struct { Size screen; Point expected; } rows[] = {
      {{1024, 768}, {328, 263}},   // 527 / 2 rounds down
      {{1920, 1080}, {776, 419}},
      {{368, 241}, {0, 0}},        // exactly the window
      {{369, 242}, {0, 0}},        // one spare pixel goes nowhere
      {{320, 240}, {-24, 0}},      // smaller: -1 / 2 is 0, not -1
      {{100, 100}, {-134, -70}},   // -141 / 2 truncates to -70
  };
  for (const auto& row : rows) {
    EXPECT_EQ(centredOrigin(row.screen, {368, 241}), row.expected)
        << row.screen.width << " x " << row.screen.height;
  }
}

TEST(TextBand, CentresTheTextHeightInTheGivenHeight) {
  const struct { int top, bottom, text; Band expected; } rows[] = {
      {2, 22, 13, {5, 18}},   // 7 spare pixels: 3 above, 4 below
      {2, 22, 14, {5, 19}},
      {0, 20, 20, {0, 20}},   // no room to spare
      {0, 10, 13, {-1, 12}},  // taller text: -3 / 2 truncates to -1
      {10, 30, 0, {20, 20}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(textBand(row.top, row.bottom, row.text), row.expected)
        << row.top << ".." << row.bottom << " text " << row.text;
  }
}

TEST(FlooredEditHeight, NeverBelowTextPlusTwoEdges) {
  const struct { int height, text, edge, expected; } rows[] = {
      {24, 13, 2, 24},  // the path box with the default GUI font keeps its height
      {16, 13, 2, 17},
      {17, 13, 2, 17},
      {0, 16, 2, 20},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(flooredEditHeight(row.height, row.text, row.edge), row.expected) << row.height;
  }
}

}  // namespace
}  // namespace tavelin::ui
