#include "program.h"

#include <winternl.h>

#include <cstring>
#include <stdexcept>
#include <thread>

namespace driver {
namespace {

std::string& storedProgramPath() {
  static std::string path;
  return path;
}

struct Search {
  DWORD processId;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && IsWindowVisible(window) && classOf(window) == search.className) {
    search.found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> topLevelWindows(DWORD processId, const char* className) {
  Search search{processId, className, {}};
  EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Reads `size` bytes at `address` of another process.
template <class T>
T readRemote(HANDLE process, const void* address) {
  T value{};
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, address, &value, sizeof value, &read) || read != sizeof value) {
    throw std::runtime_error("cannot read the program's memory");
  }
  return value;
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(5ms);
  }
}

const std::string& programPath() { return storedProgramPath(); }
void setProgramPath(std::string path) { storedProgramPath() = std::move(path); }

std::string scratchFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "tavelin-driver";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string textOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      &length);
  return std::string(text, length);
}

std::string classOf(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

RECT rectIn(HWND parent, HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND focusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

bool warmUp() {
  const Program program(programPath(), {}, 120000ms);
  return program.window() != nullptr;
}

Program::Program(const std::string& exe, const std::string& currentFolder, std::chrono::milliseconds startTimeout) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &process_)) {
    return;
  }
  threadId_ = process_.dwThreadId;
  WaitForInputIdle(process_.hProcess, static_cast<DWORD>(startTimeout.count()));
  waitUntil([&] {
    const auto windows = topLevelWindows(process_.dwProcessId, "TavelinMainWindow");
    window_ = windows.empty() ? nullptr : windows.front();
    return window_ != nullptr && focusOf(threadId_) != nullptr;
  }, startTimeout);
  if (window_) sync();
}

Program::~Program() {
  if (process_.hProcess && waitForExit(0ms) == STILL_ACTIVE) {
    for (const HWND box : messageBoxes()) PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (waitForExit(3000ms) == STILL_ACTIVE) TerminateProcess(process_.hProcess, 99);
  }
  if (process_.hProcess) CloseHandle(process_.hProcess);
  if (process_.hThread) CloseHandle(process_.hThread);
}

std::vector<HWND> Program::messageBoxes() const { return topLevelWindows(process_.dwProcessId, "#32770"); }

HWND Program::waitForMessageBox() const {
  HWND box = nullptr;
  waitUntil([&] {
    const auto boxes = messageBoxes();
    box = boxes.size() == 1 ? boxes.front() : nullptr;
    return box != nullptr;
  });
  return box;
}

DWORD Program::waitForExit(std::chrono::milliseconds timeout) const {
  WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count()));
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::string Program::currentFolder() const {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  NtQueryInformationProcess(process_.hProcess, ProcessBasicInformation, &basic, sizeof basic, &length);
  // x64 layouts: PEB.ProcessParameters at 0x20; in the parameters the
  // current folder's DOS path (a UNICODE_STRING) at 0x38.
  const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
  const auto* parameters = readRemote<const char*>(process_.hProcess, peb + 0x20);
  const auto path = readRemote<UNICODE_STRING>(process_.hProcess, parameters + 0x38);
  std::wstring wide(path.Length / sizeof(wchar_t), L'\0');
  SIZE_T read = 0;
  ReadProcessMemory(process_.hProcess, path.Buffer, wide.data(), path.Length, &read);
  char ansi[MAX_PATH * 2] = {};
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi, sizeof ansi,
                                       nullptr, nullptr);
  std::string folder(ansi, size > 0 ? size : 0);
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

void Program::sync() const {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

}  // namespace driver
