#pragma once
// A self-painted hyperlink: coloured text on a plain background that turns to
// its hover colour under the mouse and opens its address when the left button
// goes down on it. It takes no focus and no keys.

#include <optional>
#include <string>
#include <string_view>

#include "win.h"
#include "link_target.h"

namespace tavelin::ui {

// As a background: the system button-face colour, looked up at each paint.
inline constexpr COLORREF kButtonFaceColour = 0xFF000000;

class LinkLabel {
 public:
  // The defaults: e-mail kind, no texts, blue, dark red once visited, the
  // system highlight colour (as it is now) under the mouse, button face
  // behind, no border, the default GUI font.
  LinkLabel();
  ~LinkLabel();
  LinkLabel(const LinkLabel&) = delete;
  LinkLabel& operator=(const LinkLabel&) = delete;

  // Settings, fixed before create().
  // Shown when not empty; otherwise the address of the kind is shown.
  const std::string& labelText() const { return labelText_; }
  void setLabelText(std::string_view text) { labelText_ = text; }
  // 0 mail, 1 web; a value above 1 is stored as 1, a negative one as 0.
  int linkKind() const { return static_cast<int>(linkKind_); }
  void setLinkKind(int kind) { linkKind_ = kind > 0 ? LinkKind::Web : LinkKind::Mail; }
  // Without "mailto:".
  const std::string& mailAddress() const { return mailAddress_; }
  void setMailAddress(std::string_view address) { mailAddress_ = address; }
  const std::string& webAddress() const { return webAddress_; }
  void setWebAddress(std::string_view address) { webAddress_ = address; }
  COLORREF normalColour() const { return normalColour_; }
  void setNormalColour(COLORREF colour) { normalColour_ = colour; }
  COLORREF visitedColour() const { return visitedColour_; }
  void setVisitedColour(COLORREF colour) { visitedColour_ = colour; }
  COLORREF hoverColour() const { return hoverColour_; }
  void setHoverColour(COLORREF colour) { hoverColour_ = colour; }
  // kButtonFaceColour or a colour used as it is.
  COLORREF backColour() const { return backColour_; }
  void setBackColour(COLORREF colour) { backColour_ = colour; }
  // 0 none, 1 sunken client edge, 2 dialog-modal frame, 3 static edge,
  // 4 client edge and dialog-modal frame, 5 plain line; clamped to 0..5.
  int border() const { return border_; }
  void setBorder(int border) { border_ = border < 0 ? 0 : border > 5 ? 5 : border; }
  // None paints in the default GUI font.
  const std::optional<LOGFONTA>& font() const { return font_; }
  void setFont(const std::optional<LOGFONTA>& font) { font_ = font; }

  // Creates the label, hidden, as child `id` of `parent` at `bounds` (in the
  // parent's client coordinates). False when the system refuses it or the
  // label already has a window.
  bool create(HWND parent, int id, const RECT& bounds);
  HWND window() const { return window_; }

  // Whether the mouse is over the label; whether the latest click opened it.
  bool hovering() const { return hovering_; }
  bool visited() const { return visited_; }

  // Opens the target of the kind (see openTarget); true when it opened.
  bool openAddress(int showCommand);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onPaint();
  void paint(HDC dc, const RECT& area) const;
  void onMouseMove(POINT point);
  void onLeftButtonDown();
  void invalidate() const;

  std::string labelText_;
  LinkKind linkKind_ = LinkKind::Mail;
  std::string mailAddress_;
  std::string webAddress_;
  COLORREF normalColour_ = 0xFF0000;
  COLORREF visitedColour_ = 0x000080;
  COLORREF hoverColour_;
  COLORREF backColour_ = kButtonFaceColour;
  int border_ = 0;
  std::optional<LOGFONTA> font_;

  HWND window_ = nullptr;
  bool hovering_ = false;
  bool visited_ = false;
};

// The main window's label: the maker's web address in blue (also once
// visited), red under the mouse, on the button face, no border.
void useMainWindowSettings(LinkLabel& label);

}  // namespace tavelin::ui
