# Cross-compiles Tavelin for 64-bit Windows with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVELIN_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Tests built for Windows run under Wine, in a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
