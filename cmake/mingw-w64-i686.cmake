# Cross-compiles Tavelin for 32-bit Windows with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TAVELIN_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Tests run under 32-bit Wine, in a prefix of this build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine32-run)
