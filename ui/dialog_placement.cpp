#include "dialog_placement.h"

namespace tavelin::ui {
namespace {

int placeOnAxis(int size, int ownerStart, int ownerEnd, int areaStart, int areaEnd) {
  const int start = (ownerStart + ownerEnd) / 2 - size / 2;
  if (start < areaStart) return areaStart;
  if (start + size > areaEnd) return areaEnd - size;
  return start;
}

}  // namespace

Point centredOver(const ScreenRect& dialog, const ScreenRect& owner, const ScreenRect& workArea) {
  return {placeOnAxis(dialog.right - dialog.left, owner.left, owner.right, workArea.left, workArea.right),
          placeOnAxis(dialog.bottom - dialog.top, owner.top, owner.bottom, workArea.top, workArea.bottom)};
}

}  // namespace tavelin::ui
