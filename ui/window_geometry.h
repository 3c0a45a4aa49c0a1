#pragma once
// Window geometry that can be computed without a window.

namespace tavelin::ui {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// The top-left corner that centres `window` on `screen`: (screen - window) / 2
// in each direction, truncating toward zero. Negative when the screen is the
// smaller: the window then starts partly off the screen.
Point centredOrigin(Size screen, Size window);

struct Band {
  int top = 0;
  int bottom = 0;
  friend bool operator==(const Band&, const Band&) = default;
};

// The band of `textHeight` pixels centred in [top, bottom): the client area
// left to a single-line edit box so that its text sits in the middle.
// top + (bottom - top - textHeight) / 2, truncating toward zero.
Band textBand(int top, int bottom, int textHeight);

// A single-line edit box's outer height raised, if need be, to its floor:
// the text's height plus twice the system edge height.
int flooredEditHeight(int height, int textHeight, int edgeHeight);

}  // namespace tavelin::ui
