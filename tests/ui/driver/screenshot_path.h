#pragma once
#include <string>

namespace driver {

// Where the window test saves its picture of the window; empty: nowhere.
inline std::string& screenshotPath() {
  static std::string path;
  return path;
}
inline void setScreenshotPath(std::string path) { screenshotPath() = std::move(path); }

}  // namespace driver
