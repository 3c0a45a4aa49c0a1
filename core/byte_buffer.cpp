#include "byte_buffer.h"

#include <cassert>
#include <utility>

#include "large_allocation.h"

namespace tavelin {

// Not new char[n](): nothing here wants the bytes zeroed, since the pages
// are first touched by the read that fills them.
ByteBuffer ByteBuffer::allocate(std::size_t size, Allocation which) {
  ByteBuffer buffer;
  if (size == 0) return buffer;
  buffer.data_.reset(static_cast<char*>(allocateLarge(size)));
  if (!buffer.data_) throw OutOfMemory(which, size);
  buffer.size_ = size;
  buffer.capacity_ = size;
  return buffer;
}

ByteBuffer ByteBuffer::adopt(char* storage, std::size_t size, ReleaseFunction release, void* context) noexcept {
  ByteBuffer buffer;
  buffer.data_ = std::unique_ptr<char[], Release>(storage, Release{release, context});
  buffer.size_ = size;
  buffer.capacity_ = size;
  return buffer;
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : data_(std::move(other.data_)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
  data_ = std::move(other.data_);
  size_ = std::exchange(other.size_, 0);
  capacity_ = std::exchange(other.capacity_, 0);
  return *this;
}

void ByteBuffer::setSize(std::size_t size) noexcept {
  assert(size <= capacity_);
  size_ = size;
}

void ByteBuffer::Release::operator()(char* storage) const noexcept {
  if (release != nullptr) {
    release(storage, context);
  } else {
    releaseLarge(storage);
  }
}

}  // namespace tavelin
