// File access on Windows, through the ANSI file functions.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define STRICT
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "file_access.h"
#include "file_access_common.h"
#include "file_faults.h"
#include "temporary_name.h"

namespace tavelin {

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) noexcept : handle_(handle) {}
  ~FileHandle() {
    if (isOpen()) ::CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool isOpen() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const noexcept { return handle_; }

  // Closes now; false when the close reports an error.
  bool close() noexcept { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE; }

  // Hands the handle over to the caller, who must close it.
  HANDLE release() noexcept { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

FileStatus statusOf(DWORD error, FileStatus otherwise) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
      return FileStatus::NotFound;
    case ERROR_ACCESS_DENIED:
      return FileStatus::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return FileStatus::InUse;
    case ERROR_WRITE_PROTECT:
      return FileStatus::ReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileStatus::DiskFull;
    default:
      return otherwise;
  }
}

using detail::failedRead;
using detail::systemPath;

bool isFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// What the rewrite must know about the file it replaces.
struct Target {
  std::string path;    // full: ReplaceFileA fails on a bare file name
  std::string folder;  // `path` up to its file name, separator included
  bool exists = false;
  DWORD attributes = 0;
};

// The system splits the full path, so a GBK trail byte of 0x5C (the
// backslash) inside a name is not taken for a separator.
FileStatus examine(const std::string& path, Target& target) {
  char* filePart = nullptr;
  const DWORD length = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return statusOf(::GetLastError(), FileStatus::WriteError);
  std::string full(length, '\0');
  const DWORD written = ::GetFullPathNameA(path.c_str(), length, full.data(), &filePart);
  if (written == 0 || written >= length) return statusOf(::GetLastError(), FileStatus::WriteError);
  if (filePart == nullptr) return FileStatus::NotAFile;  // the path ends in a separator
  target.folder.assign(full.data(), filePart);
  full.resize(written);
  target.path = std::move(full);

  const DWORD attributes = ::GetFileAttributesA(target.path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? FileStatus::Ok : statusOf(error, FileStatus::WriteError);
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return FileStatus::NotAFile;
  // Checked here because Wine running as root ignores the attribute.
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return FileStatus::ReadOnly;
  target.exists = true;
  target.attributes = attributes;
  return FileStatus::Ok;
}

// An unshared open, closed again at once, fails while any other handle to
// the file is open, whatever that handle shares.
FileStatus checkNotHeld(const Target& target) {
  if (faults::fails(FileStep::CheckNotHeld)) return FileStatus::InUse;
  FileHandle file(::CreateFileA(target.path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.isOpen()) return statusOf(::GetLastError(), FileStatus::WriteError);
  return FileStatus::Ok;
}

// ReplaceFileA errors that mean the file system cannot do the replace (FAT,
// some network shares) rather than that the file may not be replaced; a
// move stands in then. After ERROR_UNABLE_TO_MOVE_REPLACEMENT the original
// may already be gone, so the move is needed to put the content back.
bool replaceUnsupported(DWORD error) {
  switch (error) {
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
    case ERROR_INVALID_PARAMETER:
    case ERROR_CALL_NOT_IMPLEMENTED:
      return true;
    default:
      return false;
  }
}

// The new file beside the original; deleted again unless it was put in the
// original's place.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    if (!name_.empty() && !kept_) ::DeleteFileA(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  FileStatus create(const Target& target) {
    if (faults::fails(FileStep::CreateTemporary)) return FileStatus::AccessDenied;
    const auto process = static_cast<std::uint32_t>(::GetCurrentProcessId());
    for (unsigned attempt = 0; attempt < detail::kTemporaryNameAttempts; ++attempt) {
      std::string name = detail::temporaryNameIn(target.folder, process, attempt);
      handle_ = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ != INVALID_HANDLE_VALUE) {
        name_ = std::move(name);
        return FileStatus::Ok;
      }
      const DWORD error = ::GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return statusOf(error, FileStatus::WriteError);
    }
    return FileStatus::WriteError;
  }

  // Every byte of the pieces, each request whole. A full disk first shows as
  // a request that succeeds with a short count, so that is a failure too.
  FileStatus write(const PieceSource& pieces) {
    std::uint64_t position = 0;
    for (std::string_view buffer = pieces(); !buffer.empty(); buffer = pieces()) {
      std::size_t done = 0;
      while (done < buffer.size()) {
        const std::size_t request = std::min(buffer.size() - done, kFileRequestLimit);
        if (faults::fails(FileStep::WriteRequest)) return FileStatus::WriteError;
        const std::optional<std::size_t> room = faults::writable(position, request);
        if (!room) return FileStatus::DiskFull;
        DWORD written = 0;
        if (!::WriteFile(handle_, buffer.data() + done, static_cast<DWORD>(*room), &written, nullptr)) {
          return statusOf(::GetLastError(), FileStatus::WriteError);
        }
        if (written != request) return FileStatus::DiskFull;
        done += request;
        position += request;
      }
    }
    return FileStatus::Ok;
  }

  FileStatus flushAndClose() {
    if (faults::fails(FileStep::Flush)) return FileStatus::WriteError;
    if (!::FlushFileBuffers(handle_)) return statusOf(::GetLastError(), FileStatus::WriteError);
    const bool closed = ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
    if (faults::fails(FileStep::CloseTemporary) || !closed) return FileStatus::WriteError;
    return FileStatus::Ok;
  }

  FileStatus putInPlaceOf(const Target& target) {
    if (!target.exists) return move(target);
    if (faults::fails(FileStep::Replace)) return FileStatus::WriteError;
    // ReplaceFileA keeps the original's attributes, security and creation time.
    const bool unsupported = faults::fails(FileStep::ReplaceUnsupported);
    if (!unsupported && ::ReplaceFileA(target.path.c_str(), name_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                       nullptr, nullptr)) {
      kept_ = true;
      return FileStatus::Ok;
    }
    const DWORD error = unsupported ? ERROR_NOT_SUPPORTED : ::GetLastError();
    if (!replaceUnsupported(error)) return statusOf(error, FileStatus::WriteError);
    // The move keeps nothing of the original, so its attributes are copied.
    ::SetFileAttributesA(name_.c_str(), target.attributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                                             FILE_ATTRIBUTE_SYSTEM |
                                                             FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    const FileStatus moved = move(target);
    // Should the original be gone and the move have failed, the new file
    // holds the only copy of the content: it stays.
    if (moved != FileStatus::Ok && ::GetFileAttributesA(target.path.c_str()) == INVALID_FILE_ATTRIBUTES &&
        ::GetLastError() == ERROR_FILE_NOT_FOUND) {
      kept_ = true;
    }
    return moved;
  }

 private:
  // Places a new file, or stands in for ReplaceFileA.
  FileStatus move(const Target& target) {
    if (faults::fails(FileStep::MoveInstead)) return FileStatus::WriteError;
    if (!::MoveFileExA(name_.c_str(), target.path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return statusOf(::GetLastError(), FileStatus::WriteError);
    }
    kept_ = true;
    return FileStatus::Ok;
  }

  std::string name_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool kept_ = false;
};

}  // namespace

// The file's bytes as a copy-on-write view of it, or the empty buffer when
// the system will not map it. Each page of fresh memory costs a fault when
// it is first touched, and the read then copies into it; the view's pages
// come straight from the system's file cache, and what is written to them
// (the sort command's scratch values) stays private to this process. The
// buffer takes over the file's handle and closes it when it ends, so that,
// as while reading, no one can start writing the file meanwhile.
ByteBuffer copyOnWriteView(FileHandle& file, std::size_t size) {
  HANDLE mapping = ::CreateFileMappingA(file.get(), nullptr, PAGE_WRITECOPY, 0, 0, nullptr);
  if (mapping == nullptr) return {};
  void* view = ::MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, size);
  ::CloseHandle(mapping);  // the view keeps the mapping
  if (view == nullptr) return {};
  return ByteBuffer::adopt(static_cast<char*>(view), size, [](char* storage, void* handle) noexcept {
    ::UnmapViewOfFile(storage);
    ::CloseHandle(handle);
  }, file.release());
}

ReadResult readWholeFile(std::string_view path) {
  if (path.empty()) return failedRead(FileStatus::EmptyPath);
  const std::optional<std::string> name = systemPath(path);
  if (!name) return failedRead(FileStatus::NotFound);
  if (faults::fails(FileStep::OpenForReading)) return failedRead(FileStatus::ReadError);
  // Others may read along, but the open fails while one holds the file for
  // writing, and none can start writing while we read.
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  FileHandle file(::CreateFileA(name->c_str(), GENERIC_READ, FILE_SHARE_READ, &inheritable, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.isOpen()) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED && isFolder(*name)) return failedRead(FileStatus::NotAFile);
    return failedRead(statusOf(error, FileStatus::ReadError));
  }
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return failedRead(FileStatus::NotAFile);

  LARGE_INTEGER size{};
  if (faults::fails(FileStep::TakeSize) || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
    return failedRead(FileStatus::ReadError);
  }
  if (static_cast<std::uint64_t>(size.QuadPart) > std::numeric_limits<std::size_t>::max()) {
    return failedRead(FileStatus::TooLarge);
  }

  // Planted faults shape read requests, so with a plan the file is read.
  if (size.QuadPart > 0 && !faults::planted()) {
    ByteBuffer view = copyOnWriteView(file, static_cast<std::size_t>(size.QuadPart));
    if (!view.empty()) return {FileStatus::Ok, std::move(view)};
  }

  ByteBuffer bytes = ByteBuffer::allocate(static_cast<std::size_t>(size.QuadPart), Allocation::FileContents);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t request = faults::readable(done, std::min(bytes.size() - done, kFileRequestLimit));
    if (faults::fails(FileStep::ReadRequest)) return failedRead(FileStatus::ReadError);
    DWORD got = 0;
    if (request != 0 && !::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(request), &got, nullptr)) {
      return failedRead(statusOf(::GetLastError(), FileStatus::ReadError));
    }
    if (got == 0) break;  // the file shrank after its size was taken
    done += got;
  }
  bytes.setSize(done);

  const bool closed = file.close();
  if (faults::fails(FileStep::CloseAfterReading) || !closed) return failedRead(FileStatus::ReadError);
  return {FileStatus::Ok, std::move(bytes)};
}

FileStatus writeWholeFile(std::string_view path, const PieceSource& pieces) {
  if (path.empty()) return FileStatus::EmptyPath;
  const std::optional<std::string> name = systemPath(path);
  if (!name) return FileStatus::NotFound;

  Target target;
  FileStatus status = examine(*name, target);
  if (status == FileStatus::Ok && target.exists) status = checkNotHeld(target);
  if (status != FileStatus::Ok) return status;

  TemporaryFile temporary;
  status = temporary.create(target);
  if (status == FileStatus::Ok) status = temporary.write(pieces);
  if (status == FileStatus::Ok) status = temporary.flushAndClose();
  if (status == FileStatus::Ok) status = temporary.putInPlaceOf(target);
  return status;
}

}  // namespace tavelin
