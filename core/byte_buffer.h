#pragma once
// File contents in memory: a counted run of bytes that may hold NUL, with
// storage that is not zero-filled when it is allocated, so a file read into
// it touches each page once.

#include <cstddef>
#include <memory>
#include <string_view>

#include "out_of_memory.h"

namespace tavelin {

class ByteBuffer {
 public:
  // The empty buffer: size and capacity 0, no storage.
  ByteBuffer() = default;
  ByteBuffer(ByteBuffer&& other) noexcept;
  ByteBuffer& operator=(ByteBuffer&& other) noexcept;

  // A buffer of `size` bytes whose content is whatever the allocator left
  // there. Size 0 gives the empty buffer. Throws OutOfMemory naming `which`
  // when the storage cannot be had.
  static ByteBuffer allocate(std::size_t size, Allocation which);

  // A buffer over `size` bytes of storage that came from elsewhere (a view
  // of a file); `release(storage, context)` gives it back when the buffer
  // ends.
  using ReleaseFunction = void (*)(char* storage, void* context) noexcept;
  static ByteBuffer adopt(char* storage, std::size_t size, ReleaseFunction release, void* context) noexcept;

  char* data() noexcept { return data_.get(); }
  const char* data() const noexcept { return data_.get(); }
  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  // Bytes the storage holds; setSize can go up to it.
  std::size_t capacity() const noexcept { return capacity_; }
  std::string_view view() const noexcept { return {data_.get(), size_}; }

  // Changes the count of bytes in use, keeping the storage; `size` must not
  // exceed capacity().
  void setSize(std::size_t size) noexcept;

 private:
  struct Release {
    void operator()(char* storage) const noexcept;
    ReleaseFunction release;  // null: the storage came from allocate
    void* context;
  };

  std::unique_ptr<char[], Release> data_{nullptr, Release{nullptr, nullptr}};
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tavelin
