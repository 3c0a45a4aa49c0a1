# GoogleTest is built from source with each build: the cross build cannot
# link the Linux library. Debian ships the sources in /usr/src/googletest.
set(TAVELIN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(EXISTS ${TAVELIN_GTEST_SOURCE}/CMakeLists.txt)
  add_subdirectory(${TAVELIN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  include(FetchContent)
  FetchContent_Declare(googletest
    URL https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz)
  FetchContent_MakeAvailable(googletest)
endif()
include(GoogleTest)
