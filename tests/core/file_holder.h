#pragma once
// Another program's hold on a file, imitated inside the test process: share
// modes apply between handles of one process, and so do flock locks
// between separate opens.

#include <string>

namespace tavelin::testing {

enum class Hold {
  Reading,                // Windows: read access, sharing reading; POSIX: a shared lock
  ReadingSharingDelete,   // Windows: the same, sharing delete as well; POSIX: a shared lock
  Writing,                // Windows: write access, sharing everything; POSIX: an exclusive lock
};

class FileHolder {
 public:
  FileHolder(const std::string& path, Hold hold);  // throws when the file cannot be held
  ~FileHolder();
  FileHolder(const FileHolder&) = delete;
  FileHolder& operator=(const FileHolder&) = delete;

  // The held file's content as the holder sees it now.
  std::string read() const;

 private:
#ifdef _WIN32
  void* handle_;
#else
  int fd_;
#endif
};

}  // namespace tavelin::testing
