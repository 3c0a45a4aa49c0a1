#pragma once
// A fresh, empty folder for one test, removed with everything in it when
// the test ends, and the few file operations the file tests need. Names and
// paths are plain byte strings (ANSI on Windows), as the core takes them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavelin::testing {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // `name` inside the folder.
  std::string path(std::string_view name) const;

  void write(std::string_view name, std::string_view bytes) const;
  // The whole content; "<missing>" when there is no such file.
  std::string read(std::string_view name) const;
  bool exists(std::string_view name) const;
  void makeFolder(std::string_view name) const;
  // Clears every write permission: the read-only attribute on Windows,
  // the w bits on POSIX.
  void makeReadOnly(std::string_view name) const;

  // The names in the folder, sorted: a leftover file shows here.
  std::vector<std::string> entries() const;

 private:
  std::string folder_;
};

}  // namespace tavelin::testing
