#pragma once
// Real input, as from the keyboard and the mouse, and reading the screen.

#include <windows.h>

#include <string>

namespace driver {

// Presses and releases `key`, holding Shift down around it when asked.
void pressKey(WORD key, bool withShift = false);

// Moves the mouse to `point` (screen coordinates) and clicks the left button.
void clickAt(POINT point);

// The centre of a window, in screen coordinates.
POINT centreOf(HWND window);

// The colour of one pixel of the screen.
COLORREF pixelAt(POINT point);

// Saves the screen area of `window` (frame included) as a 24-bit BMP file.
bool saveScreenshot(HWND window, const std::string& path);

}  // namespace driver
