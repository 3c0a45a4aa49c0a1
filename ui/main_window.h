#pragma once
// MainWindow: the program's one top-level window with its controls, its key
// and focus rules, and the bindings of its buttons to the commands.

#include <memory>
#include <vector>

#include "file_chooser.h"
#include "link_label.h"
#include "path_box.h"
#include "win.h"

namespace tavelin::ui {

// Child-window identifiers, in the order the controls are created. The file
// chooser (130) has no window of its own.
enum ControlId : int {
  kPathBoxId = 100,
  kChooseButtonId = 110,
  kSortButtonId = 120,
  kFileChooserId = 130,
  kLinkLabelId = 140,
};

class MainWindow {
 public:
  // The window's outer size.
  static constexpr int kWidth = 368;
  static constexpr int kHeight = 241;

  // Builds the window centred on the screen with its controls and shows it;
  // null when the system refuses the window. The icons stay the caller's.
  static std::unique_ptr<MainWindow> create(HICON bigIcon, HICON smallIcon);

  // Only create() makes one.
  struct Key {
    explicit Key() = default;
  };
  explicit MainWindow(Key) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  HWND window() const noexcept { return window_; }

  // The key handling, before a message is translated: true when the message
  // was a key for this window that it consumed.
  bool preTranslate(const MSG& message);

 private:
  bool build(HICON bigIcon, HICON smallIcon);
  bool createControls();

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(int id, int code);
  void onActivate(WPARAM wParam);
  void onSetFocus();
  void onPaint();
  void paint(HDC dc, const RECT& area);
  LRESULT onControlColour(UINT message, HDC dc, HWND control);
  void onFatal();

  void onChoose();
  void onSort();

  std::vector<HWND> focusCycle() const;
  void moveFocus(bool forward);
  bool clickDefaultButton();

  HWND window_ = nullptr;
  PathBox pathBox_;
  HWND chooseButton_ = nullptr;
  HWND sortButton_ = nullptr;
  FileChooser chooser_ = mainWindowChooser();
  LinkLabel linkLabel_;
  HWND lastFocus_ = nullptr;
  int exitCode_ = 0;
};

}  // namespace tavelin::ui
