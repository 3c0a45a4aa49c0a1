// The window as it stands after start-up: frame, place, controls, icons.
#include <gtest/gtest.h>

#include <string>

#include "input.h"
#include "program.h"
#include "screenshot_path.h"

namespace driver {
namespace {

constexpr int kPathBox = 100, kChooseButton = 110, kSortButton = 120, kLinkLabel = 140;

class StartedWindow : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(program_.window(), nullptr) << "the main window did not appear"; }
  HWND window() const { return program_.window(); }
  HWND control(int id) const { return program_.control(id); }
  Program program_;
};

TEST_F(StartedWindow, HasItsTitleSizeAndCentredPlace) {
  EXPECT_EQ(textOf(window()), "Tavelin");
  RECT outer{};
  GetWindowRect(window(), &outer);
  EXPECT_EQ(outer.right - outer.left, 368);
  EXPECT_EQ(outer.bottom - outer.top, 241);
  // The truncating centre on the fixed 1024 x 768 test screen.
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(outer.left, (1024 - 368) / 2);
  EXPECT_EQ(outer.top, (768 - 241) / 2);
}

TEST_F(StartedWindow, IsAFixedTopLevelWindowWithoutMaximise) {
  const LONG style = GetWindowLongA(window(), GWL_STYLE);
  for (const LONG wanted : {WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_CLIPCHILDREN, WS_VISIBLE}) {
    EXPECT_EQ(style & wanted, wanted) << std::hex << "style " << style << " lacks " << wanted;
  }
  for (const LONG unwanted : {LONG{WS_THICKFRAME}, LONG{WS_MAXIMIZEBOX}, LONG{WS_CHILD}, static_cast<LONG>(WS_POPUP), LONG{WS_DISABLED}}) {
    EXPECT_EQ(style & unwanted, 0) << std::hex << "style " << style << " has " << unwanted;
  }
  // The system adds the window edge to any captioned window; nothing else.
  EXPECT_EQ(GetWindowLongA(window(), GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(GetWindow(window(), GW_OWNER), nullptr);
  EXPECT_EQ(GetAncestor(window(), GA_PARENT), GetDesktopWindow());
}

// Wine answers WM_GETICON and WM_GETFONT from another process with 0, so
// the icon is looked for where the user sees it: in the title bar.
TEST_F(StartedWindow, ShowsItsOwnIconInTheTitleBar) {
  const COLORREF iconBlue = RGB(0x1F, 0x5F, 0xC8);  // the tile of the icon
  RECT outer{};
  GetWindowRect(window(), &outer);
  const int captionBottom = outer.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
  EXPECT_TRUE(waitUntil([&] {
    for (int y = outer.top; y < captionBottom; ++y) {
      for (int x = outer.left; x < outer.left + 32; ++x) {
        if (pixelAt({x, y}) == iconBlue) return true;
      }
    }
    return false;
  })) << "the title bar shows no pixel of the icon's blue";
}

struct ControlRow {
  int id;
  const char* className;
  RECT place;  // in the window's client area
  const char* text;
  bool enabled;
  LONG style;    // all of these bits
  LONG exStyle;  // exactly this
};

TEST_F(StartedWindow, ShowsTheControlsInOrderWithTheirPlacesTextsAndStates) {
  const LONG button = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER |
                      BS_MULTILINE;
  const ControlRow rows[] = {
      {kPathBox, "Edit", {8, 16, 256, 40}, "", false,
       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | WS_TABSTOP | WS_DISABLED, WS_EX_CLIENTEDGE},
      {kChooseButton, "Button", {264, 16, 344, 40}, "\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE", true, button, 0},  // 选择文件
      {kSortButton, "Button", {104, 56, 256, 136}, "\xC5\xC5\xD0\xF2", true, button, 0},                  // 排序
      {kLinkLabel, nullptr, {112, 152, 232, 184}, nullptr, true, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0},
  };
  const std::vector<HWND> children = childrenOf(window());
  ASSERT_EQ(children.size(), std::size(rows));
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ControlRow& row = rows[i];
    const HWND control = children[i];
    SCOPED_TRACE("control " + std::to_string(row.id));
    EXPECT_EQ(GetDlgCtrlID(control), row.id);
    if (row.className) {
      EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, classOf(control).c_str(), -1, row.className, -1),
                CSTR_EQUAL)
          << classOf(control);
    }
    const RECT place = rectIn(window(), control);
    EXPECT_EQ(place.left, row.place.left);
    EXPECT_EQ(place.top, row.place.top);
    EXPECT_EQ(place.right, row.place.right);
    EXPECT_EQ(place.bottom, row.place.bottom);
    if (row.text) {
      EXPECT_EQ(textOf(control), row.text);
    }
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, row.enabled);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    EXPECT_EQ(style & row.style, row.style) << std::hex << style;
    EXPECT_EQ(GetWindowLongA(control, GWL_EXSTYLE), row.exStyle);
  }
  // No default button, and the path box hides its selection and takes text as typed.
  EXPECT_EQ(GetWindowLongA(control(kSortButton), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(control(kChooseButton), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(control(kPathBox), GWL_STYLE) &
                (ES_NOHIDESEL | ES_READONLY | ES_PASSWORD | ES_CENTER | ES_RIGHT | ES_UPPERCASE | ES_LOWERCASE),
            0);
}

TEST_F(StartedWindow, PathBoxKeepsItsTextBandInTheMiddle) {
  const HWND box = control(kPathBox);
  // The height of "W" in the default GUI font is the height of the band
  // (which also shows that the box has that font).
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
  SIZE w{};
  GetTextExtentPoint32A(screen, "W", 1, &w);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);

  RECT client{};
  GetClientRect(box, &client);
  EXPECT_EQ(client.bottom - client.top, w.cy);

  // The band sits centred between the sunken edges (2 pixels each).
  RECT outer{};
  GetWindowRect(box, &outer);
  POINT origin{0, 0};
  ClientToScreen(box, &origin);
  const int edge = GetSystemMetrics(SM_CYEDGE);
  const int inner = (outer.bottom - outer.top) - 2 * edge;
  EXPECT_EQ(origin.y - outer.top, edge + (inner - w.cy) / 2);

  // Above and below the text is frame: the hit test says border.
  for (const int y : {origin.y - 1, origin.y + w.cy}) {
    const LRESULT hit = SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM((outer.left + outer.right) / 2, y));
    EXPECT_EQ(hit, HTBORDER) << "at y " << y;
  }
}

TEST_F(StartedWindow, PathBoxIsWhiteInside) {
  RECT client{};
  GetClientRect(control(kPathBox), &client);
  MapWindowPoints(control(kPathBox), nullptr, reinterpret_cast<POINT*>(&client), 2);
  for (const POINT p : {POINT{client.left + 1, client.top + 1}, POINT{client.right - 2, client.bottom - 2}}) {
    EXPECT_TRUE(waitUntil([&] { return pixelAt(p) == RGB(255, 255, 255); })) << std::hex << pixelAt(p);
  }
}

TEST_F(StartedWindow, PaintsTheButtonFaceAndSavesAPicture) {
  RECT client{};
  GetClientRect(window(), &client);
  POINT corner{4, client.bottom - 4};
  ClientToScreen(window(), &corner);
  EXPECT_TRUE(waitUntil([&] { return pixelAt(corner) == GetSysColor(COLOR_BTNFACE); }));
  if (!screenshotPath().empty()) {
    EXPECT_TRUE(saveScreenshot(window(), screenshotPath()));
  }
}

}  // namespace
}  // namespace driver
