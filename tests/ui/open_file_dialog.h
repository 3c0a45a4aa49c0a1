#pragma once
// Reading the system's open-file dialog from a test: its controls' ids and
// its file type list. Shared by the component tests and the window driver.

#include <windows.h>

#include <string>
#include <vector>

namespace tavelin::testing {

// The dialog's controls (Explorer look).
constexpr int kFileNameField = 0x47C;
constexpr int kFileTypeList = 0x470;
constexpr int kReadOnlyBox = 0x410;
constexpr int kHelpButton = 0x40E;

// The file type list is a Unicode control: its items are read as such and
// turned into the ANSI code page.
inline std::vector<std::string> fileTypes(HWND dialog) {
  std::vector<std::string> items;
  const HWND list = GetDlgItem(dialog, kFileTypeList);
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[256] = {};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char ansi[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
    items.emplace_back(ansi);
  }
  return items;
}

}  // namespace tavelin::testing
