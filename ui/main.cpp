// Start-up, the message loop and the end of the process.
#include "win.h"  // first: ole2.h would pull in all of windows.h

#include <ole2.h>

#include <exception>
#include <string>

#include "fatal_error.h"
#include "handles.h"
#include "main_window.h"
#include "program_folder.h"
#include "resource_ids.h"

namespace {

using namespace tavelin::ui;

// OLE for the GUI thread, from start-up to the very end.
class OleSession {
 public:
  OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (initialised_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool initialised_;
};

// Relative paths then resolve in the program's folder. Without a backslash
// the call gets the empty text, fails, and the inherited folder stays.
void enterProgramFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string folder(folderOf(std::string_view(path, length)));
  SetCurrentDirectoryA(folder.c_str());
}

Icon loadIcon(int size) {
  return Icon(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), TAVELIN_ICON_NAME, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

int runMessageLoop(MainWindow& main) {
  MSG message{};
  for (;;) {
    // No idle work: GetMessageA waits for the next message.
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 0;
    if (main.preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int run() {
  const OleSession ole;
  enterProgramFolder();
  // Loaded once, kept until the end; released before OLE goes.
  const Icon big = loadIcon(32);
  const Icon small = loadIcon(16);
  const std::unique_ptr<MainWindow> main = MainWindow::create(big.get(), small.get());
  if (!main) return 0;
  return runMessageLoop(*main);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return run();
  } catch (...) {
    showFatalError(std::current_exception());
    return kFatalExitCode;
  }
}
