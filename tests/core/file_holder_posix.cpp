#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <stdexcept>

#include "file_holder.h"

namespace tavelin::testing {

FileHolder::FileHolder(const std::string& path, Hold hold) : fd_(::open(path.c_str(), O_RDWR | O_CLOEXEC)) {
  if (fd_ < 0) throw std::runtime_error("cannot open " + path);
  if (::flock(fd_, hold == Hold::Writing ? LOCK_EX : LOCK_SH) != 0) {
    ::close(fd_);
    throw std::runtime_error("cannot lock " + path);
  }
}

FileHolder::~FileHolder() { ::close(fd_); }

std::string FileHolder::read() const {
  std::string content;
  char chunk[4096];
  for (off_t at = 0;;) {
    const ssize_t got = ::pread(fd_, chunk, sizeof chunk, at);
    if (got <= 0) break;
    content.append(chunk, static_cast<std::size_t>(got));
    at += got;
  }
  return content;
}

}  // namespace tavelin::testing
