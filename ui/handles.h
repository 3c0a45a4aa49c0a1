#pragma once
// Owners for the handles the program must free, and scopes for paint and
// object selection. Owners are move-only, so nothing is freed twice. Child
// windows are not owned here: their parent destroys them.

#include <utility>

#include "win.h"

namespace tavelin::ui {

template <class Traits>
class Owned {
 public:
  using Handle = typename Traits::Handle;

  Owned() noexcept = default;
  explicit Owned(Handle handle) noexcept : handle_(handle) {}
  ~Owned() { reset(); }

  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Handle{}; }

  Handle release() noexcept { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) noexcept {
    if (handle_ != Handle{}) Traits::close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

struct IconTraits {
  using Handle = HICON;
  static void close(Handle icon) noexcept { DestroyIcon(icon); }
};

template <class H>
struct GdiObjectTraits {
  using Handle = H;
  static void close(Handle object) noexcept { DeleteObject(object); }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static void close(Handle key) noexcept { RegCloseKey(key); }
};

using Icon = Owned<IconTraits>;
using Brush = Owned<GdiObjectTraits<HBRUSH>>;
using Font = Owned<GdiObjectTraits<HFONT>>;
using RegistryKey = Owned<RegistryKeyTraits>;

// BeginPaint ... EndPaint.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window_, &paint_); }
  ~ScopedPaint() { EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;

  HDC dc() const noexcept { return dc_; }
  const RECT& area() const noexcept { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// GetDC or GetWindowDC ... ReleaseDC.
class ScopedWindowDc {
 public:
  enum class Area { Client, Whole };
  explicit ScopedWindowDc(HWND window, Area area = Area::Client) noexcept
      : window_(window), dc_(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;

  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// SelectObject, with the previous object put back at the end of the scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tavelin::ui
