#pragma once
// Running out of memory is the one fatal condition. The core throws
// OutOfMemory naming the allocation that failed; the window shows it in an
// error box and ends with exit code -1, the console sorter prints it and
// ends with 3.

#include <cstdint>
#include <new>

namespace tavelin {

enum class Allocation { FileContents, NumberList, OutputText };

class OutOfMemory : public std::bad_alloc {
 public:
  // 64-bit so that a size too large for a 32-bit address space is still
  // named correctly.
  OutOfMemory(Allocation which, std::uint64_t bytes) : which_(which), bytes_(bytes) {}
  Allocation which() const noexcept { return which_; }
  std::uint64_t bytes() const noexcept { return bytes_; }
  const char* what() const noexcept override { return "out of memory"; }

 private:
  Allocation which_;
  std::uint64_t bytes_;
};

}  // namespace tavelin
