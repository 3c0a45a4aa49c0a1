#pragma once
// The path box: a disabled single-line edit box, black on white, whose text
// sits vertically centred (the bands above and below belong to the frame).

#include <string>

#include "handles.h"
#include "win.h"

namespace tavelin::ui {

class PathBox {
 public:
  PathBox() = default;
  PathBox(const PathBox&) = delete;
  PathBox& operator=(const PathBox&) = delete;

  // Creates the box hidden and disabled as child `id` of `parent`, with
  // `font`; false when the system refuses the window.
  bool create(HWND parent, int id, const RECT& place, HFONT font);

  HWND window() const noexcept { return window_; }

  // A copy of the current text, and replacing it whole.
  std::string text() const;
  void setText(const char* text);

  // The answer to WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC for the box: black on
  // white and the white brush.
  HBRUSH colours(HDC dc) const;

 private:
  static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);
  LRESULT onCalcSize(WPARAM wParam, LPARAM lParam);
  LRESULT onNcPaint(WPARAM wParam, LPARAM lParam);
  LRESULT onHitTest(WPARAM wParam, LPARAM lParam);
  void raiseToHeightFloor();
  int textHeight(const char* sample) const;

  HWND window_ = nullptr;
  Brush white_;
};

}  // namespace tavelin::ui
