#include "main_window.h"

#include <exception>

#include "fatal_error.h"
#include "handles.h"
#include "key_rules.h"
#include "notices.h"
#include "sort_command.h"
#include "texts.h"
#include "window_class.h"
#include "window_geometry.h"

namespace tavelin::ui {
namespace {

constexpr char kClassName[] = "TavelinMainWindow";
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kButtonStyle =
    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;

HFONT guiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

bool registerMainClass(WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = programInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return registerClassOnce(windowClass);
}

HWND createButton(HWND parent, int id, const char* text, int x, int y, int width, int height) {
  const HWND button = CreateWindowExA(0, "BUTTON", text, kButtonStyle, x, y, width, height, parent, childId(id),
                                      programInstance(), nullptr);
  if (button) SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
  return button;
}

bool createLinkLabel(HWND parent, LinkLabel& label) {
  useMainWindowSettings(label);
  if (!label.create(parent, kLinkLabelId, {112, 152, 112 + 120, 152 + 32})) return false;
  SendMessageA(label.window(), WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
  return true;
}

bool keyIsDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

std::unique_ptr<MainWindow> MainWindow::create(HICON bigIcon, HICON smallIcon) {
  auto main = std::make_unique<MainWindow>(Key{});
  if (!main->build(bigIcon, smallIcon)) return nullptr;
  return main;
}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
}

bool MainWindow::build(HICON bigIcon, HICON smallIcon) {
  if (!registerMainClass(procedure)) return false;
  const Point origin = centredOrigin({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, {kWidth, kHeight});
  CreateWindowExA(0, kClassName, texts::kWindowTitle, kStyle, origin.x, origin.y, kWidth, kHeight, nullptr, nullptr,
                  programInstance(), this);
  if (!window_) return false;

  RECT outer{};
  GetWindowRect(window_, &outer);
  if (outer.right - outer.left != kWidth || outer.bottom - outer.top != kHeight) {
    MoveWindow(window_, origin.x, origin.y, kWidth, kHeight, TRUE);
  }
  if (bigIcon) SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  if (smallIcon) SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), TRUE);

  if (!createControls()) return false;
  for (const HWND control : {pathBox_.window(), chooseButton_, sortButton_, linkLabel_.window()}) {
    ShowWindow(control, SW_SHOWNA);
  }
  ShowWindow(window_, SW_SHOW);
  return true;
}

bool MainWindow::createControls() {
  if (!pathBox_.create(window_, kPathBoxId, {8, 16, 8 + 248, 16 + 24}, guiFont())) return false;
  chooseButton_ = createButton(window_, kChooseButtonId, texts::kChooseButton, 264, 16, 80, 24);
  sortButton_ = createButton(window_, kSortButtonId, texts::kSortButton, 104, 56, 152, 80);
  const bool labelMade = createLinkLabel(window_, linkLabel_);
  return chooseButton_ && sortButton_ && labelMade;
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  // Commands run inside these handlers; nothing they throw may cross into
  // the system's code.
  try {
    return self->handle(message, wParam, lParam);
  } catch (...) {
    showFatalError(std::current_exception());
    self->onFatal();
    return 0;
  }
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_ACTIVATE: onActivate(wParam); break;
    case WM_SETFOCUS: onSetFocus(); return 0;
    case WM_PAINT: onPaint(); return 0;
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(window_, &client);
      paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return onControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_QUERYENDSESSION: return TRUE;
    case WM_DESTROY: PostQuitMessage(exitCode_); return 0;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::onCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == kChooseButtonId) onChoose();
  if (id == kSortButtonId) onSort();
}

void MainWindow::onActivate(WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) return;
  const HWND focus = GetFocus();
  if (focus && IsChild(window_, focus)) lastFocus_ = focus;
}

void MainWindow::onSetFocus() {
  if (lastFocus_ && IsChild(window_, lastFocus_)) {
    SetFocus(lastFocus_);
    return;
  }
  const std::vector<HWND> cycle = focusCycle();
  if (!cycle.empty()) SetFocus(cycle.front());
}

void MainWindow::onPaint() {
  ScopedPaint paintScope(window_);
  paint(paintScope.dc(), paintScope.area());
}

void MainWindow::paint(HDC dc, const RECT& area) {
  const Brush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  FillRect(dc, &area, face.get());
}

LRESULT MainWindow::onControlColour(UINT message, HDC dc, HWND control) {
  if (control == pathBox_.window()) return reinterpret_cast<LRESULT>(pathBox_.colours(dc));
  return DefWindowProcA(window_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

void MainWindow::onFatal() {
  exitCode_ = kFatalExitCode;
  if (window_) DestroyWindow(window_);
}

void MainWindow::onChoose() { ChooseFileCommand(chooser_, pathBox_.window()); }

void MainWindow::onSort() { SortCommand(pathBox_.text(), showCommandNotice); }

std::vector<HWND> MainWindow::focusCycle() const {
  std::vector<HWND> cycle;
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id == kLinkLabelId || id == kFileChooserId) continue;
    const bool tabStop = (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) != 0;
    if (tabStop && IsWindowVisible(child) && IsWindowEnabled(child)) cycle.push_back(child);
  }
  return cycle;
}

void MainWindow::moveFocus(bool forward) {
  const std::vector<HWND> cycle = focusCycle();
  const HWND focus = GetFocus();
  int current = -1;
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    if (cycle[i] == focus) current = static_cast<int>(i);
  }
  const int next = stepInCycle(static_cast<int>(cycle.size()), current, forward);
  if (next >= 0) SetFocus(cycle[static_cast<std::size_t>(next)]);
}

bool MainWindow::clickDefaultButton() {
  for (const HWND control : focusCycle()) {
    if ((GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      PostMessageA(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                   reinterpret_cast<LPARAM>(control));
      return true;
    }
  }
  return false;
}

bool MainWindow::preTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
  const Modifiers held{keyIsDown(VK_CONTROL), keyIsDown(VK_SHIFT), keyIsDown(VK_MENU)};
  switch (keyActionFor(static_cast<unsigned>(message.wParam), held)) {
    case KeyAction::NextControl: moveFocus(true); return true;
    case KeyAction::PreviousControl: moveFocus(false); return true;
    case KeyAction::DefaultButton: return clickDefaultButton();
    case KeyAction::Close: SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0); return true;
    case KeyAction::Swallow: return true;
    case KeyAction::Pass: break;
  }
  return false;
}

}  // namespace tavelin::ui
