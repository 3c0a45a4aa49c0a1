#include "input.h"

#include <cstdio>
#include <vector>

#include "program.h"

namespace driver {
namespace {

INPUT keyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT mouseInput(DWORD flags, POINT point = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // Absolute mouse coordinates run from 0 to 65535 across the screen.
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  return input;
}

}  // namespace

void pressKey(WORD key, bool withShift) {
  std::vector<INPUT> inputs;
  if (withShift) inputs.push_back(keyInput(VK_SHIFT, false));
  inputs.push_back(keyInput(key, false));
  inputs.push_back(keyInput(key, true));
  if (withShift) inputs.push_back(keyInput(VK_SHIFT, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void clickAt(POINT point) {
  // The press goes where the system believes the pointer is: move first,
  // and press once the move has arrived.
  INPUT move = mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, point);
  SendInput(1, &move, sizeof(INPUT));
  waitUntil([&] {
    POINT at{};
    GetCursorPos(&at);
    return at.x == point.x && at.y == point.y;
  }, 1000ms);
  INPUT press[] = {mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)};
  SendInput(2, press, sizeof(INPUT));
}

POINT centreOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

COLORREF pixelAt(POINT point) {
  const HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool saveScreenshot(HWND window, const std::string& path) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store it
  header.biPlanes = 1;
  header.biBitCount = 24;
  const int stride = (width * 3 + 3) & ~3;
  header.biSizeImage = static_cast<DWORD>(stride * height);

  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  const HBITMAP bitmap =
      CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  bool written = false;
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
              std::fwrite(bits, header.biSizeImage, 1, out) == 1;
    written = std::fclose(out) == 0 && written;
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

}  // namespace driver
