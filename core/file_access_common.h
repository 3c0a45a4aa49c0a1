#pragma once
// Small pieces both file-access implementations share. Internal to the core.

#include <optional>
#include <string>
#include <string_view>

#include "file_access.h"

namespace tavelin::detail {

// A path as the system calls want it; nullopt when it holds a NUL, which no
// file name can.
inline std::optional<std::string> systemPath(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) return std::nullopt;
  return std::string(path);
}

inline ReadResult failedRead(FileStatus status) { return {status, ByteBuffer()}; }

}  // namespace tavelin::detail
