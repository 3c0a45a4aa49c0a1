// Stands in for the browser in the link label's tests: every start appends
// its whole command line, and a CR LF, to the file named like the program
// with ".log" added, then ends at once.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string log = std::string(self, length) + ".log";
  const std::string line = std::string(GetCommandLineA()) + "\r\n";
  const HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
