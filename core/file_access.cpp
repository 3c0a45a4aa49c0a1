// The parts of the file access that need no operating system.
#include "file_access.h"

#include <cstring>

namespace tavelin {

std::string_view describe(FileStatus status) {
  switch (status) {
    case FileStatus::Ok: return "done";
    case FileStatus::EmptyPath: return "no file was named";
    case FileStatus::NotFound: return "no such file or folder";
    case FileStatus::NotAFile: return "not a regular file";
    case FileStatus::AccessDenied: return "access denied";
    case FileStatus::InUse: return "the file is in use by another program";
    case FileStatus::ReadOnly: return "the file is read-only";
    case FileStatus::TooLarge: return "the file is too large";
    case FileStatus::ReadError: return "read error";
    case FileStatus::DiskFull: return "the disk is full";
    case FileStatus::WriteError: break;
  }
  return "write error";
}

FileStatus writeWholeFile(std::string_view path, std::span<const std::string_view> buffers) {
  std::size_t next = 0;
  return writeWholeFile(path, [&buffers, &next]() -> std::string_view {
    for (; next < buffers.size(); ++next) {
      if (!buffers[next].empty()) return buffers[next++];
    }
    return {};
  });
}

ByteBuffer textToBytes(std::string_view text) {
  ByteBuffer bytes = ByteBuffer::allocate(text.size(), Allocation::OutputText);
  if (!text.empty()) std::memcpy(bytes.data(), text.data(), text.size());
  return bytes;
}

}  // namespace tavelin
