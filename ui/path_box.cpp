#include "path_box.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "window_class.h"
#include "window_geometry.h"

namespace tavelin::ui {
namespace {

constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kBackColour = RGB(255, 255, 255);
constexpr UINT_PTR kSubclassId = 1;

}  // namespace

bool PathBox::create(HWND parent, int id, const RECT& place, HFONT font) {
  white_.reset(CreateSolidBrush(kBackColour));
  window_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                            WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | WS_TABSTOP | WS_DISABLED, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, parent,
                            childId(id), programInstance(), nullptr);
  if (!window_) return false;
  SetWindowSubclass(window_, subclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(window_, EM_LIMITTEXT, 0, 0);
  SendMessageA(window_, EM_SETSEL, 0, 0);
  SendMessageA(window_, EM_SCROLLCARET, 0, 0);
  raiseToHeightFloor();
  // The client area shrinks to the text band only once the box has a font.
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

std::string PathBox::text() const {
  const int length = GetWindowTextLengthA(window_);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextA(window_, buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void PathBox::setText(const char* text) { SetWindowTextA(window_, text ? text : ""); }

HBRUSH PathBox::colours(HDC dc) const {
  SetTextColor(dc, kTextColour);
  SetBkColor(dc, kBackColour);
  return white_.get();
}

LRESULT CALLBACK PathBox::subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
  auto* box = reinterpret_cast<PathBox*>(self);
  switch (message) {
    case WM_NCCALCSIZE: return box->onCalcSize(wParam, lParam);
    case WM_NCPAINT: return box->onNcPaint(wParam, lParam);
    case WM_NCHITTEST: return box->onHitTest(wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, subclassProcedure, kSubclassId);
      box->window_ = nullptr;
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT PathBox::onCalcSize(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefSubclassProc(window_, WM_NCCALCSIZE, wParam, lParam);
  if (!SendMessageA(window_, WM_GETFONT, 0, 0)) return result;
  // Both forms of the message start with the proposed client rectangle.
  RECT& client = *reinterpret_cast<RECT*>(lParam);
  const Band band = textBand(client.top, client.bottom, textHeight("W"));
  client.top = band.top;
  client.bottom = band.bottom;
  return result;
}

LRESULT PathBox::onNcPaint(WPARAM wParam, LPARAM lParam) {
  {
    // The whole frame white, the client area left to the box; the system's
    // sunken edge is then drawn over it.
    ScopedWindowDc dc(window_, ScopedWindowDc::Area::Whole);
    RECT outer{};
    GetWindowRect(window_, &outer);
    RECT client{};
    GetClientRect(window_, &client);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    OffsetRect(&outer, -outer.left, -outer.top);
    ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
    FillRect(dc.get(), &outer, white_.get());
  }
  return DefSubclassProc(window_, WM_NCPAINT, wParam, lParam);
}

LRESULT PathBox::onHitTest(WPARAM wParam, LPARAM lParam) {
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  RECT outer{};
  GetWindowRect(window_, &outer);
  RECT client{};
  GetClientRect(window_, &client);
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  if (PtInRect(&outer, point) && !PtInRect(&client, point)) return HTBORDER;
  return DefSubclassProc(window_, WM_NCHITTEST, wParam, lParam);
}

void PathBox::raiseToHeightFloor() {
  RECT outer{};
  GetWindowRect(window_, &outer);
  const int height = outer.bottom - outer.top;
  // "吴" stands for the tallest characters of the font.
  const int floor = flooredEditHeight(height, textHeight("\xCE\xE2"), GetSystemMetrics(SM_CYEDGE));
  if (floor != height) {
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, floor,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

int PathBox::textHeight(const char* sample) const {
  ScopedWindowDc dc(window_);
  const auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
  ScopedSelect selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  SIZE extent{};
  GetTextExtentPoint32A(dc.get(), sample, static_cast<int>(std::strlen(sample)), &extent);
  return extent.cy;
}

}  // namespace tavelin::ui
