#include "link_label.h"

#include <windowsx.h>

#include "handles.h"
#include "link_opener.h"
#include "resource_ids.h"
#include "texts.h"
#include "window_class.h"

namespace tavelin::ui {
namespace {

constexpr const char* kClassName = "TavelinLinkLabel";
constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
static_assert(kTextFormat == 0x925);

bool registerClass(WNDPROC windowProc) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = programInstance();
  windowClass.hCursor = LoadCursorA(programInstance(), MAKEINTRESOURCEA(TAVELIN_HAND_CURSOR));
  windowClass.hbrBackground = nullptr;  // the label paints every pixel itself
  windowClass.lpszClassName = kClassName;
  return registerClassOnce(windowClass);
}

void applyBorder(HWND window, int border) {
  constexpr DWORD kEdges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  constexpr DWORD kEdgesOf[] = {0, WS_EX_CLIENTEDGE, WS_EX_DLGMODALFRAME, WS_EX_STATICEDGE,
                                WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 0};
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
  const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(kEdges);
  SetWindowLongPtrA(window, GWL_STYLE, style | (border == 5 ? WS_BORDER : 0));
  SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle | kEdgesOf[border]);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

std::string windowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The font record's look is kept; how it is matched is fixed.
Font fontFrom(LOGFONTA record) {
  record.lfCharSet = DEFAULT_CHARSET;
  record.lfOutPrecision = OUT_DEFAULT_PRECIS;
  record.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  record.lfQuality = PROOF_QUALITY;
  record.lfPitchAndFamily = static_cast<BYTE>((record.lfPitchAndFamily & 0xF0) | DEFAULT_PITCH);
  return Font(CreateFontIndirectA(&record));
}

}  // namespace

LinkLabel::LinkLabel() : hoverColour_(GetSysColor(COLOR_HIGHLIGHT)) {}

LinkLabel::~LinkLabel() {
  if (window_ == nullptr) return;
  // The window must not reach this object once it is gone.
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

bool LinkLabel::create(HWND parent, int id, const RECT& bounds) {
  if (window_ != nullptr || !registerClass(&LinkLabel::windowProc)) return false;
  const HWND window = CreateWindowExA(0, kClassName, labelText_.c_str(), WS_CHILD | WS_CLIPSIBLINGS, bounds.left,
                                      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                      childId(id), programInstance(), this);
  if (window == nullptr) return false;
  applyBorder(window, border_);
  return true;
}

bool LinkLabel::openAddress(int showCommand) {
  return openTarget(linkTarget(linkKind_, webAddress_, mailAddress_), showCommand, systemOpenSteps());
}

LRESULT CALLBACK LinkLabel::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* const created = static_cast<LinkLabel*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->window_ = window;
  }
  auto* const label = reinterpret_cast<LinkLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (label == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    label->window_ = nullptr;
    label->hovering_ = false;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  try {
    return label->handle(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the system; a lost paint or move is harmless.
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT LinkLabel::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: onPaint(); return 0;
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(window_, &client);
      paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_MOUSEMOVE: onMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONDOWN: onLeftButtonDown(); return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
  }
}

void LinkLabel::onPaint() {
  const ScopedPaint scope(window_);
  if (!IsRectEmpty(&scope.area())) paint(scope.dc(), scope.area());
}

void LinkLabel::paint(HDC dc, const RECT& area) const {
  const Brush brush(CreateSolidBrush(backColour_ == kButtonFaceColour ? GetSysColor(COLOR_BTNFACE) : backColour_));
  {
    const ScopedSelect selected(dc, brush.get());
    PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, PATCOPY);
  }
  const std::string text = windowText(window_);
  const std::string_view shown = shownText(text, linkKind_, webAddress_, mailAddress_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, hovering_ ? hoverColour_ : visited_ ? visitedColour_ : normalColour_);
  const Font made = font_ ? fontFrom(*font_) : Font();
  const ScopedSelect selected(dc, made ? static_cast<HGDIOBJ>(made.get()) : GetStockObject(DEFAULT_GUI_FONT));
  RECT client{};
  GetClientRect(window_, &client);
  DrawTextA(dc, shown.data(), static_cast<int>(shown.size()), &client, kTextFormat);
}

void LinkLabel::onMouseMove(POINT point) {
  if (!hovering_) {
    hovering_ = true;
    invalidate();
    SetCapture(window_);  // so that the move off the label arrives here too
    return;
  }
  RECT client{};
  GetClientRect(window_, &client);
  if (PtInRect(&client, point)) {
    if (GetCapture() != window_) SetCapture(window_);
    return;
  }
  hovering_ = false;
  if (GetCapture() == window_) ReleaseCapture();
  invalidate();
}

void LinkLabel::onLeftButtonDown() {
  visited_ = openAddress(SW_SHOW);
  if (visited_) invalidate();
}

void LinkLabel::invalidate() const { InvalidateRect(window_, nullptr, FALSE); }

void useMainWindowSettings(LinkLabel& label) {
  label.setLabelText("");
  label.setLinkKind(1);
  label.setMailAddress("");
  label.setWebAddress(texts::kMakerWebAddress);
  label.setNormalColour(0xFF0000);
  label.setVisitedColour(0xFF0000);
  label.setHoverColour(0x0000FF);
  label.setBackColour(kButtonFaceColour);
  label.setBorder(0);
  label.setFont(std::nullopt);
}

}  // namespace tavelin::ui
