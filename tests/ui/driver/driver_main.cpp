// The driver: starts Tavelin.exe and works its window from outside.
//   ui_driver --program=<Tavelin.exe> [--screenshot=<file.bmp>] [gtest flags]
//   ui_driver --program=<Tavelin.exe> --warm-up
// The warm-up starts the program once and closes it: the first window in a
// fresh Wine prefix waits for Wine's desktop and font cache, which would
// otherwise eat into the first test's timeouts.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "program.h"
#include "screenshot_path.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  bool warmUp = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--warm-up") warmUp = true;
    if (argument.rfind("--program=", 0) == 0) driver::setProgramPath(argument.substr(10));
    if (argument.rfind("--screenshot=", 0) == 0) driver::setScreenshotPath(argument.substr(13));
  }
  if (driver::programPath().empty()) {
    std::fprintf(stderr, "usage: ui_driver --program=<Tavelin.exe> [--screenshot=<file.bmp>]\n");
    return 2;
  }
  if (GetACP() != 936) {
    std::fprintf(stderr, "ANSI code page is %u, not 936: generate zh_CN.UTF-8 and set LANG\n", GetACP());
    return 2;
  }
  if (warmUp) return driver::warmUp() ? 0 : 1;
  return RUN_ALL_TESTS();
}
