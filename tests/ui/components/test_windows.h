#pragma once
// Test helpers for the file chooser and the link label: a top-level window
// to host them, and for the file dialog a timer inside its modal loop that
// looks at the dialog and then confirms or cancels it.

#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <commdlg.h>

#include "../open_file_dialog.h"

namespace tavelin::testing {

inline std::string windowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Lets the thread handle what is waiting, so that shows and activations settle.
inline void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// A top-level window at `bounds` (screen coordinates) with a push button and
// an edit box, shown and active unless asked otherwise.
class TestWindow {
 public:
  enum Look { Shown, Minimised, Hidden };

  explicit TestWindow(const RECT& bounds, Look look = Shown) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavelinTestOwner";
    RegisterClassA(&windowClass);  // fails harmlessly from the second window on
    window_ = CreateWindowExA(0, "TavelinTestOwner", "owner", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                              bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    button_ = CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 8, 8, 80, 24,
                              window_, reinterpret_cast<HMENU>(1), GetModuleHandleA(nullptr), nullptr);
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | WS_DISABLED, 8, 40,
                            248, 24, window_, reinterpret_cast<HMENU>(2), GetModuleHandleA(nullptr), nullptr);
    if (look == Shown) {
      ShowWindow(window_, SW_SHOW);
      SetForegroundWindow(window_);
      SetActiveWindow(window_);
    } else if (look == Minimised) {
      ShowWindow(window_, SW_SHOWMINIMIZED);  // minimised and still the active window
    }
    pumpMessages();
  }
  ~TestWindow() {
    DestroyWindow(window_);
    pumpMessages();
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND window() const { return window_; }
  HWND button() const { return button_; }
  HWND edit() const { return edit_; }

 private:
  HWND window_ = nullptr;
  HWND button_ = nullptr;
  HWND edit_ = nullptr;
};

// What the timer saw of the dialog before acting on it.
struct DialogSeen {
  bool found = false;
  HWND owner = nullptr;
  bool ownerEnabled = true;
  RECT rect{};
  std::vector<std::string> fileTypes;
  bool readOnlyBoxShown = false;
  std::string fileField;
  std::string folder;
};

using DialogAction = std::function<void(HWND dialog)>;

inline void cancel(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

inline DialogAction confirm(const std::string& path) {
  return [path](HWND dialog) {
    SetDlgItemTextA(dialog, kFileNameField, path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
}

namespace detail {

struct DialogRun {
  DialogSeen* seen;
  DialogAction action;
  int ticks = 0;
  bool acted = false;
};
inline DialogRun* currentRun = nullptr;

inline BOOL CALLBACK findShownDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

inline void look(HWND dialog, DialogSeen& seen) {
  seen.found = true;
  seen.owner = GetWindow(dialog, GW_OWNER);
  seen.ownerEnabled = seen.owner != nullptr && IsWindowEnabled(seen.owner);
  GetWindowRect(dialog, &seen.rect);
  seen.fileTypes = fileTypes(dialog);
  const HWND readOnly = GetDlgItem(dialog, kReadOnlyBox);
  seen.readOnlyBoxShown = readOnly != nullptr && IsWindowVisible(readOnly);
  char text[MAX_PATH] = {};
  GetDlgItemTextA(dialog, kFileNameField, text, MAX_PATH);
  seen.fileField = text;
  char folder[MAX_PATH] = {};
  SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
  seen.folder = folder;
}

inline void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
  DialogRun* const run = currentRun;
  if (run == nullptr || run->acted) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findShownDialog, reinterpret_cast<LPARAM>(&dialog));
  // One tick more after the dialog shows, so that its start-up has ended.
  if (dialog == nullptr || ++run->ticks < 2) return;
  run->acted = true;
  look(dialog, *run->seen);
  run->action(dialog);
}

}  // namespace detail

// Calls `open` (which shows the dialog modally) while a timer looks at the
// dialog into `seen` and then does `action` to it. Returns what `open` did.
inline bool runWithDialog(const std::function<bool()>& open, DialogSeen& seen, const DialogAction& action) {
  seen = DialogSeen{};
  detail::DialogRun run{&seen, action};
  detail::currentRun = &run;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, detail::onTick);
  const bool result = open();
  KillTimer(nullptr, timer);
  detail::currentRun = nullptr;
  pumpMessages();
  return result;
}

}  // namespace tavelin::testing
