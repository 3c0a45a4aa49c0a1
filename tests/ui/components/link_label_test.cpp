#include "link_label.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <vector>

#include "resource_ids.h"
#include "test_windows.h"
#include "texts.h"

namespace tavelin::ui {
namespace {

using testing::TestWindow;

constexpr RECT kLabelBounds{112, 152, 232, 184};  // 120 x 32, as on the main window
constexpr COLORREF kUnpainted = 0x123456;         // no case paints with it

LPARAM at(int x, int y) { return static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(x, y))); }

// The label's client area as painted into a bitmap of our own.
class Picture {
 public:
  explicit Picture(HWND label) {
    RECT client{};
    GetClientRect(label, &client);
    width_ = client.right;
    height_ = client.bottom;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width_, height_);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const HBRUSH unpainted = CreateSolidBrush(kUnpainted);
    FillRect(memory, &client, unpainted);
    DeleteObject(unpainted);
    SendMessageA(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) pixels_.push_back(GetPixel(memory, x, y));
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
  }

  int count(COLORREF colour) const {
    int n = 0;
    for (const COLORREF p : pixels_) n += p == colour;
    return n;
  }

  // The smallest rectangle holding every pixel that is not `back`; empty when none.
  RECT inkBounds(COLORREF back) const {
    RECT ink{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (pixels_[static_cast<std::size_t>(y * width_ + x)] == back) continue;
        ink.left = std::min<LONG>(ink.left, x);
        ink.top = std::min<LONG>(ink.top, y);
        ink.right = std::max<LONG>(ink.right, x + 1);
        ink.bottom = std::max<LONG>(ink.bottom, y + 1);
      }
    }
    return ink;
  }

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

struct LabelOnWindow {
  TestWindow parent{RECT{0, 0, 368, 241}, TestWindow::Hidden};
  LinkLabel label;
  bool create() { return label.create(parent.window(), 140, kLabelBounds); }
};

// Settings

TEST(LinkLabelSettings, DefaultsAndTheMainWindowValues) {
  LinkLabel label;
  EXPECT_EQ(label.labelText(), "");
  EXPECT_EQ(label.linkKind(), 0);
  EXPECT_EQ(label.mailAddress(), "");
  EXPECT_EQ(label.webAddress(), "");
  EXPECT_EQ(label.normalColour(), 0xFF0000u);
  EXPECT_EQ(label.visitedColour(), 0x000080u);
  EXPECT_EQ(label.hoverColour(), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(label.backColour(), 0xFF000000u);
  EXPECT_EQ(label.border(), 0);
  EXPECT_FALSE(label.font().has_value());

  useMainWindowSettings(label);
  EXPECT_EQ(label.labelText(), "");
  EXPECT_EQ(label.linkKind(), 1);
  EXPECT_EQ(label.webAddress(), texts::kMakerWebAddress);
  EXPECT_EQ(label.normalColour(), 0xFF0000u);
  EXPECT_EQ(label.visitedColour(), 0xFF0000u);
  EXPECT_EQ(label.hoverColour(), 0x0000FFu);
  EXPECT_EQ(label.backColour(), 0xFF000000u);
  EXPECT_EQ(label.border(), 0);
  EXPECT_FALSE(label.font().has_value());
}

TEST(LinkLabelSettings, KindAndBorderAreClamped) {
  struct Case {
    int given;
    int kind;
    int border;
  };
  const Case cases[] = {
      {INT_MIN, 0, 0}, {-1, 0, 0}, {0, 0, 0}, {1, 1, 1}, {2, 1, 2},
      {5, 1, 5},       {6, 1, 5},  {INT_MAX, 1, 5},
  };
  for (const auto& c : cases) {
    LinkLabel label;
    label.setLinkKind(c.given);
    label.setBorder(c.given);
    EXPECT_EQ(label.linkKind(), c.kind) << c.given;
    EXPECT_EQ(label.border(), c.border) << c.given;
  }
}

TEST(LinkLabelSettings, MakerAddressFitsTheLabelInTheDefaultGuiFont) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32A(screen, texts::kMakerWebAddress, static_cast<int>(sizeof texts::kMakerWebAddress - 1), &size);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  EXPECT_GT(size.cx, 0);
  EXPECT_LE(size.cx, kLabelBounds.right - kLabelBounds.left);
}

// The window

TEST(LinkLabelWindow, OwnClassHiddenChildOutsideTheFocusCycle) {
  LabelOnWindow on;
  useMainWindowSettings(on.label);
  ASSERT_TRUE(on.create());
  const HWND window = on.label.window();
  EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
  EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), 0u);  // nothing is erased before painting
  const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(TAVELIN_HAND_CURSOR));
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR)), hand);
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | WS_TABSTOP | WS_BORDER), DWORD{WS_CHILD | WS_CLIPSIBLINGS});
  EXPECT_EQ(GetDlgCtrlID(window), 140);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 120);
  EXPECT_EQ(client.bottom, 32);
  EXPECT_FALSE(on.label.create(on.parent.window(), 141, kLabelBounds));  // one window per label
}

TEST(LinkLabelWindow, BorderSettingPicksTheFrame) {
  constexpr DWORD kEdges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  struct Case {
    int border;
    DWORD exStyle;
    bool line;
  };
  const Case cases[] = {
      {0, 0, false},
      {1, WS_EX_CLIENTEDGE, false},
      {2, WS_EX_DLGMODALFRAME, false},
      {3, WS_EX_STATICEDGE, false},
      {4, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, false},
      {5, 0, true},
  };
  for (const auto& c : cases) {
    LabelOnWindow on;
    on.label.setBorder(c.border);
    ASSERT_TRUE(on.create());
    const HWND window = on.label.window();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)) & kEdges, c.exStyle) << c.border;
    EXPECT_EQ((GetWindowLongPtrA(window, GWL_STYLE) & WS_BORDER) != 0, c.line) << c.border;
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right < 120, c.border != 0) << c.border;  // the frame takes its room at once
  }
}

// Painting

TEST(LinkLabelPaint, TextColourBackgroundAndCentring) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  struct Case {
    const char* what;
    std::function<void(LinkLabel&)> set;
    bool hover;
    COLORREF back;
    COLORREF text;  // kUnpainted: no text at all
  };
  const Case cases[] = {
      {"main window", useMainWindowSettings, false, face, 0xFF0000},
      {"main window under the mouse", useMainWindowSettings, true, face, 0x0000FF},
      {"mail address shown", [](LinkLabel& l) { l.setMailAddress("me@example.com"); }, false, face, 0xFF0000},
      {"highlight under the mouse by default", [](LinkLabel& l) { l.setMailAddress("me@example.com"); }, true, face,
       GetSysColor(COLOR_HIGHLIGHT)},
      {"label text over an empty address",
       [](LinkLabel& l) {
         l.setLinkKind(1);
         l.setLabelText("Home & away");
       },
       false, face, 0xFF0000},
      {"own colours",
       [](LinkLabel& l) {
         useMainWindowSettings(l);
         l.setBackColour(0x00FFFF);
         l.setNormalColour(0x008000);
       },
       false, 0x00FFFF, 0x008000},
      {"nothing to show", [](LinkLabel&) {}, false, face, kUnpainted},
  };
  for (const auto& c : cases) {
    LabelOnWindow on;
    c.set(on.label);
    ASSERT_TRUE(on.create()) << c.what;
    if (c.hover) SendMessageA(on.label.window(), WM_MOUSEMOVE, 0, at(10, 10));
    const Picture picture(on.label.window());
    EXPECT_EQ(picture.count(kUnpainted), 0) << c.what;
    const RECT ink = picture.inkBounds(c.back);
    if (c.text == kUnpainted) {
      EXPECT_EQ(picture.count(c.back), picture.width() * picture.height()) << c.what;
      continue;
    }
    EXPECT_GE(picture.count(c.text), 20) << c.what;
    EXPECT_LE(std::abs(ink.left - (picture.width() - ink.right)), 2) << c.what;
    EXPECT_LE(std::abs(ink.top - (picture.height() - ink.bottom)), 3) << c.what;
    EXPECT_GT(ink.left, 0) << c.what;
    EXPECT_LT(ink.right, picture.width()) << c.what;
  }
}

TEST(LinkLabelPaint, FontRecordSetsTheSize) {
  const auto inkHeight = [](const std::optional<LOGFONTA>& font) {
    LabelOnWindow on;
    useMainWindowSettings(on.label);
    on.label.setFont(font);
    on.create();
    const RECT ink = Picture(on.label.window()).inkBounds(GetSysColor(COLOR_BTNFACE));
    return ink.bottom - ink.top;
  };
  LOGFONTA large{};
  large.lfHeight = -24;
  large.lfCharSet = SYMBOL_CHARSET;  // replaced by the default set
  EXPECT_GT(inkHeight(large), inkHeight(std::nullopt) + 4);
}

// The mouse

TEST(LinkLabelMouse, HoverHoldsTheCaptureUntilTheMouseLeaves) {
  LabelOnWindow on;
  useMainWindowSettings(on.label);
  ASSERT_TRUE(on.create());
  const HWND window = on.label.window();

  SendMessageA(window, WM_MOUSEMOVE, 0, at(10, 10));
  EXPECT_TRUE(on.label.hovering());
  EXPECT_EQ(GetCapture(), window);

  ReleaseCapture();  // someone else took it
  SendMessageA(window, WM_MOUSEMOVE, 0, at(60, 16));
  EXPECT_TRUE(on.label.hovering());
  EXPECT_EQ(GetCapture(), window);

  SendMessageA(window, WM_MOUSEMOVE, 0, at(-3, 16));
  EXPECT_FALSE(on.label.hovering());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(LinkLabelMouse, LeavesExactlyAtTheClientEdges) {
  struct Case {
    int x;
    int y;
    bool inside;
  };
  const Case cases[] = {
      {0, 0, true},    {119, 31, true},  {-1, 5, false},  {5, -1, false},
      {120, 5, false}, {5, 32, false},   {-300, -300, false}, {119, 0, true},
  };
  for (const auto& c : cases) {
    LabelOnWindow on;
    ASSERT_TRUE(on.create());
    const HWND window = on.label.window();
    SendMessageA(window, WM_MOUSEMOVE, 0, at(50, 10));
    SendMessageA(window, WM_MOUSEMOVE, 0, at(c.x, c.y));
    EXPECT_EQ(on.label.hovering(), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(GetCapture() == window, c.inside) << c.x << "," << c.y;
    ReleaseCapture();
  }
}

TEST(LinkLabelMouse, PressWithNothingToOpenIsNoVisit) {
  struct Case {
    const char* what;
    int kind;
    const char* web;
    const char* mail;
  };
  const Case cases[] = {
      {"web kind without a web address", 1, "", "me@example.com"},
      {"mail kind without a mail address", 0, "https://example.com/", ""},
  };
  for (const auto& c : cases) {
    LabelOnWindow on;
    on.label.setLinkKind(c.kind);
    on.label.setWebAddress(c.web);
    on.label.setMailAddress(c.mail);
    ASSERT_TRUE(on.create());
    SendMessageA(on.label.window(), WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10));
    EXPECT_FALSE(on.label.visited()) << c.what;
    EXPECT_FALSE(on.label.openAddress(SW_SHOW)) << c.what;
  }
}

}  // namespace
}  // namespace tavelin::ui
