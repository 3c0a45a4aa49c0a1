#pragma once
// Where the file dialog goes: centred over its owner, kept inside the work
// area of the owner's monitor. Screen pixels; right and bottom exclusive.

#include "window_geometry.h"

namespace tavelin::ui {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The new top-left corner of `dialog`, keeping its size: the midpoint of
// `owner`'s edges minus half the dialog's size (integer halves, truncating
// toward zero), each axis on its own. A dialog that would start before the
// work area starts at its edge; otherwise one that would pass the far edge
// ends there (so a dialog larger than the work area may still start before it).
Point centredOver(const ScreenRect& dialog, const ScreenRect& owner, const ScreenRect& workArea);

}  // namespace tavelin::ui
