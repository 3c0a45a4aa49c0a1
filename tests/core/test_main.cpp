// Test entry point. Under Windows every GBK text of the program depends on
// the ANSI code page being 936; a missing zh_CN locale under Wine would
// silently give 1252, so that is checked before any test runs.
#include <gtest/gtest.h>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
  if (GetACP() != 936) {
    std::fprintf(stderr, "ANSI code page is %u, not 936: generate zh_CN.UTF-8 and set LANG\n", GetACP());
    return 2;
  }
#endif
  return RUN_ALL_TESTS();
}
