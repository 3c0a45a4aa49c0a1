#pragma once
// Starting Tavelin.exe and finding its windows from outside, as a person
// at the screen would see them.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace driver {

using namespace std::chrono_literals;

// Waits until `done` holds, checking every few milliseconds; false on timeout.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5000ms);

// The path of Tavelin.exe, as given on the command line.
const std::string& programPath();
void setProgramPath(std::string path);

// A folder of the driver's own for files the tests make; created on first use.
std::string scratchFolder();

// The window's text through WM_GETTEXT, in GBK bytes.
std::string textOf(HWND window);
std::string classOf(HWND window);
// A window's rectangle in the client coordinates of `parent`.
RECT rectIn(HWND parent, HWND window);
HWND focusOf(DWORD threadId);
std::vector<HWND> childrenOf(HWND parent);

// Starts the program, waits (long) for its window, and closes it.
bool warmUp();

// One run of the program: started in `currentFolder` (the driver's own when
// empty), closed if still running when the object goes.
class Program {
 public:
  explicit Program(const std::string& exe = programPath(), const std::string& currentFolder = {},
                   std::chrono::milliseconds startTimeout = 10000ms);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The main window once it is shown and painted; null if it never came.
  HWND window() const { return window_; }
  HWND control(int id) const { return GetDlgItem(window_, id); }
  DWORD threadId() const { return threadId_; }
  HANDLE process() const { return process_.hProcess; }

  // The visible message boxes ("#32770") of the program.
  std::vector<HWND> messageBoxes() const;
  // Waits for exactly one message box and returns it (null on timeout).
  HWND waitForMessageBox() const;

  // Waits for the process to end and gives its exit code; STILL_ACTIVE when it does not.
  DWORD waitForExit(std::chrono::milliseconds timeout = 5000ms) const;

  // The program's current folder, read from its process parameters.
  std::string currentFolder() const;

  // Returns once the program has handled everything sent to it so far.
  void sync() const;

 private:
  PROCESS_INFORMATION process_{};
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

}  // namespace driver
