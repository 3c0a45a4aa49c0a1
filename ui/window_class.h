#pragma once
// What every window of the program needs to be made.

#include "win.h"

namespace tavelin::ui {

// The module that holds the program's resources and window classes.
inline HINSTANCE programInstance() { return GetModuleHandleA(nullptr); }

// A child window's identifier in the form CreateWindowExA takes it.
inline HMENU childId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Registers a private window class the first time it is needed; later calls
// find it registered and succeed.
inline bool registerClassOnce(const WNDCLASSA& windowClass) {
  WNDCLASSA existing{};
  if (GetClassInfoA(windowClass.hInstance, windowClass.lpszClassName, &existing)) return true;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace tavelin::ui
