#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <stdexcept>

#include "file_holder.h"

namespace tavelin::testing {

namespace {

HANDLE openHeld(const std::string& path, Hold hold) {
  switch (hold) {
    case Hold::Reading:
      return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    case Hold::ReadingSharingDelete:
      return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
    case Hold::Writing:
      break;
  }
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

}  // namespace

FileHolder::FileHolder(const std::string& path, Hold hold) : handle_(openHeld(path, hold)) {
  if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + path);
}

FileHolder::~FileHolder() { CloseHandle(handle_); }

std::string FileHolder::read() const {
  std::string content;
  char chunk[4096];
  OVERLAPPED at{};
  for (DWORD got = 0; ReadFile(handle_, chunk, sizeof chunk, &got, &at) && got > 0;) {
    content.append(chunk, got);
    at.Offset += got;
  }
  return content;
}

}  // namespace tavelin::testing
