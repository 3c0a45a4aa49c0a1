// File access on POSIX systems. Share modes do not exist here; advisory
// locks stand in for them: a read takes a shared lock, the check before a
// rewrite an exclusive one, so a program that locks the file keeps us out.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "file_access.h"
#include "file_access_common.h"
#include "file_faults.h"
#include "temporary_name.h"

namespace tavelin {

namespace {

#ifdef __linux__
// The temporary file is written in requests of 8 MiB, and the disk is asked
// to start on each at once, so the flush at the end waits for the last ones
// only, not for the whole file. Only a hint: its result does not matter.
constexpr std::size_t kWriteRequest = std::size_t{8} << 20;
void startWriteback(int fd, std::uint64_t offset, std::size_t count) {
  ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(count), SYNC_FILE_RANGE_WRITE);
}
#else
constexpr std::size_t kWriteRequest = kFileRequestLimit;
void startWriteback(int, std::uint64_t, std::size_t) {}
#endif

class Descriptor {
 public:
  explicit Descriptor(int fd) noexcept : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  bool isOpen() const noexcept { return fd_ >= 0; }
  int get() const noexcept { return fd_; }

  // Closes now; false when the close reports an error.
  bool close() noexcept { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

FileStatus statusOf(int error, FileStatus otherwise) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return FileStatus::NotFound;
    case EISDIR:
      return FileStatus::NotAFile;
    case EACCES:
    case EPERM:
      return FileStatus::AccessDenied;
    case EROFS:
      return FileStatus::ReadOnly;
    case EWOULDBLOCK:
    case ETXTBSY:
      return FileStatus::InUse;
    case ENOSPC:
    case EDQUOT:
      return FileStatus::DiskFull;
    default:
      return otherwise;
  }
}

using detail::failedRead;
using detail::systemPath;

// What the rewrite must know about the file it replaces.
struct Target {
  std::string path;    // symbolic links resolved, so a link keeps pointing at the sorted file
  std::string folder;  // `path` up to and including its last '/', or empty
  bool exists = false;
  mode_t mode = 0666;
  uid_t owner = 0;
  gid_t group = 0;
};

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

FileStatus examine(const std::string& path, Target& target) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) return statusOf(errno, FileStatus::WriteError);
    target.path = path;
    target.folder = folderOf(path);
    return FileStatus::Ok;
  }
  if (!S_ISREG(info.st_mode)) return FileStatus::NotAFile;
  // Root may write anything; the owner's write bit still says "keep".
  if ((info.st_mode & S_IWUSR) == 0) return FileStatus::ReadOnly;
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  if (!resolved) return statusOf(errno, FileStatus::WriteError);
  target.path = resolved.get();
  target.folder = folderOf(target.path);
  target.exists = true;
  target.mode = info.st_mode & 07777;
  target.owner = info.st_uid;
  target.group = info.st_gid;
  return FileStatus::Ok;
}

// An exclusive lock, taken and dropped at once, tells whether another
// program holds the file. The open is for writing so that the system's own
// verdict counts too: without it, anyone who may write the folder could
// replace a file they may not write (and a read-only volume shows here).
FileStatus checkNotHeld(const Target& target) {
  if (faults::fails(FileStep::CheckNotHeld)) return FileStatus::InUse;
  Descriptor file(::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!file.isOpen()) return statusOf(errno, FileStatus::WriteError);
  if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return FileStatus::InUse;
  return FileStatus::Ok;
}

// The new file beside the original; removed again unless it was put in the
// original's place.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.empty() && !placed_) ::unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  FileStatus create(const Target& target) {
    if (faults::fails(FileStep::CreateTemporary)) return FileStatus::AccessDenied;
    // A new file's bits are the usual ones; a rewritten file's are set later.
    const mode_t mode = target.exists ? 0600 : 0666;
    const auto process = static_cast<std::uint32_t>(::getpid());
    for (unsigned attempt = 0; attempt < detail::kTemporaryNameAttempts; ++attempt) {
      std::string name = detail::temporaryNameIn(target.folder, process, attempt);
      fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
      if (fd_ >= 0) {
        name_ = std::move(name);
        return FileStatus::Ok;
      }
      if (errno != EEXIST) return statusOf(errno, FileStatus::WriteError);
    }
    return FileStatus::WriteError;
  }

  // Every byte of the pieces, each request whole: a short count means the
  // disk ran out of room.
  FileStatus write(const PieceSource& pieces) {
    std::uint64_t position = 0;
    for (std::string_view buffer = pieces(); !buffer.empty(); buffer = pieces()) {
      std::size_t done = 0;
      while (done < buffer.size()) {
        const std::size_t request = std::min(buffer.size() - done, kWriteRequest);
        if (faults::fails(FileStep::WriteRequest)) return FileStatus::WriteError;
        const std::optional<std::size_t> room = faults::writable(position, request);
        if (!room) return FileStatus::DiskFull;
        const ssize_t written = ::write(fd_, buffer.data() + done, *room);
        if (written < 0) {
          if (errno == EINTR) continue;
          return statusOf(errno, FileStatus::WriteError);
        }
        if (static_cast<std::size_t>(written) != request) return FileStatus::DiskFull;
        startWriteback(fd_, position, request);
        done += request;
        position += request;
      }
    }
    return FileStatus::Ok;
  }

  // The original's owner and permission bits. Only root may give a file
  // away; for anyone else the rewritten file is the writer's, as after any
  // editor's save. The bits come second: a change of owner clears set-id bits.
  FileStatus keepOwnerAndMode(const Target& target) {
    if (::fchown(fd_, target.owner, target.group) != 0 && errno != EPERM) {
      return statusOf(errno, FileStatus::WriteError);
    }
    return ::fchmod(fd_, target.mode) == 0 ? FileStatus::Ok : statusOf(errno, FileStatus::WriteError);
  }

  FileStatus flushAndClose() {
    if (faults::fails(FileStep::Flush)) return FileStatus::WriteError;
    if (::fsync(fd_) != 0) return statusOf(errno, FileStatus::WriteError);
    const bool closed = ::close(std::exchange(fd_, -1)) == 0;
    if (faults::fails(FileStep::CloseTemporary) || !closed) return FileStatus::WriteError;
    return FileStatus::Ok;
  }

  FileStatus putInPlaceOf(const Target& target) {
    if (faults::fails(FileStep::Replace)) return FileStatus::WriteError;
    if (::rename(name_.c_str(), target.path.c_str()) != 0) return statusOf(errno, FileStatus::WriteError);
    placed_ = true;
    return FileStatus::Ok;
  }

 private:
  std::string name_;
  int fd_ = -1;
  bool placed_ = false;
};

// Makes the rename itself durable. Some file systems cannot sync a folder;
// the content is on disk already, so that is no failure.
void syncFolder(const std::string& folder) {
  Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.isOpen()) ::fsync(dir.get());
}

}  // namespace

ReadResult readWholeFile(std::string_view path) {
  if (path.empty()) return failedRead(FileStatus::EmptyPath);
  const std::optional<std::string> name = systemPath(path);
  if (!name) return failedRead(FileStatus::NotFound);
  if (faults::fails(FileStep::OpenForReading)) return failedRead(FileStatus::ReadError);
  // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; it is
  // refused just below, and regular files ignore the flag.
  Descriptor file(::open(name->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!file.isOpen()) return failedRead(statusOf(errno, FileStatus::ReadError));

  struct stat info {};
  if (faults::fails(FileStep::TakeSize) || ::fstat(file.get(), &info) != 0) {
    return failedRead(FileStatus::ReadError);
  }
  if (!S_ISREG(info.st_mode)) return failedRead(FileStatus::NotAFile);
  if (::flock(file.get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    return failedRead(FileStatus::InUse);
  }
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > std::numeric_limits<std::size_t>::max()) return failedRead(FileStatus::TooLarge);

  ByteBuffer bytes = ByteBuffer::allocate(static_cast<std::size_t>(size), Allocation::FileContents);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t request = faults::readable(done, std::min(bytes.size() - done, kFileRequestLimit));
    if (faults::fails(FileStep::ReadRequest)) return failedRead(FileStatus::ReadError);
    const ssize_t got = request == 0 ? 0 : ::read(file.get(), bytes.data() + done, request);
    if (got < 0) {
      if (errno == EINTR) continue;
      return failedRead(statusOf(errno, FileStatus::ReadError));
    }
    if (got == 0) break;  // the file shrank after its size was taken
    done += static_cast<std::size_t>(got);
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
  if (status == FileStatus::Ok && target.exists) status = temporary.keepOwnerAndMode(target);
  if (status == FileStatus::Ok) status = temporary.flushAndClose();
  if (status == FileStatus::Ok) status = temporary.putInPlaceOf(target);
  if (status == FileStatus::Ok) syncFolder(target.folder);
  return status;
}

}  // namespace tavelin
