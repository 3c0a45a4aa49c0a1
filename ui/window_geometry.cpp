#include "window_geometry.h"

#include <algorithm>

namespace tavelin::ui {

Point centredOrigin(Size screen, Size window) {
  return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

Band textBand(int top, int bottom, int textHeight) {
  const int newTop = top + (bottom - top - textHeight) / 2;
  return {newTop, newTop + textHeight};
}

int flooredEditHeight(int height, int textHeight, int edgeHeight) {
  return std::max(height, textHeight + 2 * edgeHeight);
}

}  // namespace tavelin::ui
