// Entry point of the file chooser's and link label's tests. The program's
// texts are GBK, so the ANSI code page must be 936; OLE is initialised for
// the thread as the program does at start-up (the file dialog needs it).
#include <gtest/gtest.h>

#include <cstdio>

#include <windows.h>
#include <ole2.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GetACP() != 936) {
    std::fprintf(stderr, "ANSI code page is %u, not 936: generate zh_CN.UTF-8 and set LANG\n", GetACP());
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) {
    std::fprintf(stderr, "OleInitialize failed\n");
    return 2;
  }
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
