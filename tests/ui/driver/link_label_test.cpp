// The link label on the real window: its colours as painted, the hand
// cursor, and what a press opens, with a recording program standing in for
// the browser.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "input.h"
#include "program.h"

namespace driver {
namespace {

constexpr int kLinkLabel = 140, kChooseButton = 110, kSortButton = 120;
constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);
constexpr char kAddress[] = "https://example.com/";

// The recording program beside the driver, and the log it appends to.
std::string recorderPath() {
  char self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self, length);
  return path.substr(0, path.rfind('\\') + 1) + "ui_recorder.exe";
}

std::string logPath() { return recorderPath() + ".log"; }

std::vector<std::string> recordedLines() {
  std::vector<std::string> lines;
  const HANDLE file = CreateFileA(logPath().c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string text(64 * 1024, '\0');
  DWORD read = 0;
  ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  text.resize(read);
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// The default value of a key under HKEY_CLASSES_ROOT for the length of one
// test: set, or the key removed; as it was again afterwards.
class ClassesEntry {
 public:
  ClassesEntry(std::string key, const std::optional<std::string>& value) : key_(std::move(key)) {
    char old[1024] = {};
    LONG size = sizeof old;
    existed_ = RegQueryValueA(HKEY_CLASSES_ROOT, key_.c_str(), old, &size) == ERROR_SUCCESS;
    if (existed_) old_ = old;
    apply(value);
  }
  ~ClassesEntry() { apply(existed_ ? std::optional<std::string>(old_) : std::nullopt); }
  ClassesEntry(const ClassesEntry&) = delete;
  ClassesEntry& operator=(const ClassesEntry&) = delete;

 private:
  void apply(const std::optional<std::string>& value) const {
    if (value) {
      RegSetValueA(HKEY_CLASSES_ROOT, key_.c_str(), REG_SZ, value->c_str(), static_cast<DWORD>(value->size()));
    } else {
      RegDeleteTreeA(HKEY_CLASSES_ROOT, key_.c_str());
      RegDeleteKeyA(HKEY_CLASSES_ROOT, key_.c_str());
    }
  }
  std::string key_;
  bool existed_ = false;
  std::string old_;
};

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// The label as it is on the screen: one copy of its pixels, 0x00BBGGRR.
class Shot {
 public:
  explicit Shot(HWND label) {
    RECT rect{};
    GetWindowRect(label, &rect);
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < width_ * height_; ++i) pixels_.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  COLORREF at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

  int count(COLORREF colour) const {
    int n = 0;
    for (const COLORREF p : pixels_) n += p == colour;
    return n;
  }

  // The most pixels of `colour` in one row.
  int widestRow(COLORREF colour) const {
    int widest = 0;
    for (int y = 0; y < height_; ++y) {
      int n = 0;
      for (int x = 0; x < width_; ++x) n += at(x, y) == colour;
      widest = std::max(widest, n);
    }
    return widest;
  }

  // The smallest rectangle holding every pixel of `colour`.
  RECT ink(COLORREF colour) const {
    RECT r{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (at(x, y) != colour) continue;
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
    }
    return r;
  }

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

void moveMouseTo(POINT point) {
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  move.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  SendInput(1, &move, sizeof move);
  waitUntil([&] {
    POINT at{};
    GetCursorPos(&at);
    return at.x == point.x && at.y == point.y;
  }, 1000ms);
}

// Moves the pointer to `point` until `shows` holds and keeps holding. A move
// of the driver's reaches the program twice, as input and as an X event that
// Wine may handle later; a late one can put the pointer back where it was,
// and then the move is made again.
bool settleAt(POINT point, const std::function<bool()>& shows) {
  return waitUntil([&] {
    moveMouseTo(point);
    return waitUntil(shows, 500ms) && !waitUntil([&] { return !shows(); }, 300ms);
  }, 8000ms);
}

// The pointer waits outside the window while the program starts, so that
// the window does not appear under it.
struct ParkedPointer {
  ParkedPointer() { moveMouseTo({2, 2}); }
};

class LinkLabelOnWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(program_.window(), nullptr) << "the main window did not appear";
    label_ = program_.control(kLinkLabel);
    ASSERT_NE(label_, nullptr);
    DeleteFileA(logPath().c_str());
    RECT window{};
    GetWindowRect(program_.window(), &window);
    away_ = {window.left + 30, window.bottom - 20};  // the window's own face, below the path box
    ASSERT_TRUE(hover()) << "the label did not turn red under the mouse";
    ASSERT_TRUE(leave()) << "the label did not turn blue after the mouse left";
  }

  bool only(COLORREF text, COLORREF other) const {
    const Shot shot(label_);
    return shot.count(text) > 30 && shot.count(other) == 0;
  }
  bool red() const { return only(kRed, kBlue); }
  bool blue() const { return only(kBlue, kRed); }

  // The mouse onto the label and off it again, each once the picture shows it.
  bool hover() {
    return settleAt(centreOf(label_), [&] { return red(); });
  }
  bool leave() {
    return settleAt(away_, [&] { return blue(); });
  }

  // Presses the left button on the label, or presses it twice as a double-click.
  void pressOnLabel(int presses = 1) {
    ASSERT_TRUE(hover());
    std::vector<INPUT> inputs;
    for (int i = 0; i < presses; ++i) {
      for (const DWORD flag : {DWORD{MOUSEEVENTF_LEFTDOWN}, DWORD{MOUSEEVENTF_LEFTUP}}) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flag;
        inputs.push_back(input);
      }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    program_.sync();
  }

  // The recorded lines once `count` have come (the first start of the
  // recorder can be slow), and a little later, so that an extra one shows.
  std::vector<std::string> recorded(std::size_t count) {
    if (count > 0) waitUntil([&] { return recordedLines().size() >= count; }, 15000ms);
    waitUntil([] { return false; }, 500ms);
    return recordedLines();
  }

  ParkedPointer parked_;
  Program program_;
  HWND label_ = nullptr;
  POINT away_{};
};

TEST_F(LinkLabelOnWindow, PaintsBlueCentredWithoutUnderlineAndRedUnderTheMouse) {
  EXPECT_EQ(textOf(label_), "");  // the address is drawn, not kept as the window text
  const Shot shot(label_);
  EXPECT_EQ(shot.at(0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(shot.at(shot.width() - 1, shot.height() - 1), GetSysColor(COLOR_BTNFACE));

  // Centred on one line, and no underline: no row is blue across the text.
  const RECT ink = shot.ink(kBlue);
  EXPECT_LE(std::abs(ink.left - (shot.width() - ink.right)), 2) << ink.left << ".." << ink.right;
  EXPECT_LE(std::abs(ink.top - (shot.height() - ink.bottom)), 3) << ink.top << ".." << ink.bottom;
  EXPECT_LT(ink.bottom - ink.top, 16);
  EXPECT_LT(shot.widestRow(kBlue), (ink.right - ink.left) * 4 / 5);

  // SetUp saw it red under the mouse and blue again after; and once more.
  EXPECT_TRUE(hover());
  EXPECT_TRUE(leave());
}

TEST_F(LinkLabelOnWindow, ShowsTheHandCursorOverIt) {
  // Sharing the program's input state lets GetCursor see the cursor it set.
  MSG queue;
  PeekMessageA(&queue, nullptr, 0, 0, PM_NOREMOVE);
  ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), program_.threadId(), TRUE));
  const auto cursor = [] { return GetCursor(); };
  const HCURSOR away = cursor();
  ASSERT_TRUE(hover());
  const HCURSOR hand = cursor();
  EXPECT_NE(hand, away);
  EXPECT_NE(hand, nullptr);
  ASSERT_TRUE(leave());
  EXPECT_EQ(cursor(), away);
}

TEST_F(LinkLabelOnWindow, PressOpensTheAddressOnceEvenForADoubleClick) {
  const ClassesEntry shell("https\\shell\\open\\command", quoted(recorderPath()) + " \"%1\"");
  for (const int presses : {1, 2}) {
    DeleteFileA(logPath().c_str());
    pressOnLabel(presses);
    const std::vector<std::string> lines = recorded(1);
    ASSERT_EQ(lines.size(), 1u) << presses << " press(es)";
    EXPECT_NE(lines[0].find(kAddress), std::string::npos) << lines[0];
    EXPECT_EQ(program_.messageBoxes().size(), 0u);
    EXPECT_TRUE(red()) << "the text stays red while the mouse stays over it";
    ASSERT_TRUE(leave());  // longer than the double-click time, too
  }
}

TEST_F(LinkLabelOnWindow, FallsBackToTheWebPageCommandWhenTheShellCannotOpen) {
  const std::string recorder = quoted(recorderPath());
  struct Case {
    const char* what;
    std::string command;
    std::string line;  // as the recorder sees its command line
  };
  const Case cases[] = {
      {"quoted placeholder", recorder + " \"%1\"", recorder + "  " + kAddress},
      {"no placeholder", recorder, recorder + " " + kAddress},
  };
  const ClassesEntry noShell("https\\shell\\open\\command", std::nullopt);
  const ClassesEntry page(".htm", std::string("TavelinTestPage"));
  for (const auto& c : cases) {
    const ClassesEntry command("TavelinTestPage\\shell\\open\\command", c.command);
    DeleteFileA(logPath().c_str());
    pressOnLabel();
    const std::vector<std::string> lines = recorded(1);
    ASSERT_EQ(lines.size(), 1u) << c.what;
    EXPECT_EQ(lines[0], c.line) << c.what;
    ASSERT_TRUE(leave());
  }
}

TEST_F(LinkLabelOnWindow, OpensNothingAndSaysNothingWhenNeitherWorks) {
  const ClassesEntry noShell("https\\shell\\open\\command", std::nullopt);
  const ClassesEntry noPage(".htm", std::nullopt);
  pressOnLabel();
  EXPECT_TRUE(recorded(0).empty());
  EXPECT_TRUE(program_.messageBoxes().empty());
  EXPECT_TRUE(IsWindowEnabled(program_.window()));
}

TEST_F(LinkLabelOnWindow, TabNeverLandsOnIt) {
  for (int i = 0; i < 4; ++i) {
    pressKey(VK_TAB, i >= 2);
    program_.sync();
    const HWND focus = focusOf(program_.threadId());
    EXPECT_NE(focus, label_);
    EXPECT_TRUE(focus == program_.control(kChooseButton) || focus == program_.control(kSortButton));
  }
}

}  // namespace
}  // namespace driver
