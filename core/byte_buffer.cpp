#include "byte_buffer.h"

#include <cassert>
#include <cstdlib>
#include <utility>

namespace tavelin {

// malloc rather than new char[n]() because nothing here wants the bytes
// zeroed: the pages are first touched by the read that fills them. This is
// the one place to change for huge pages on Linux (an aligned allocation
// plus madvise(MADV_HUGEPAGE) for large sizes, released to match).
ByteBuffer ByteBuffer::allocate(std::size_t size, Allocation which) {
  ByteBuffer buffer;
  if (size == 0) return buffer;
  buffer.data_.reset(static_cast<char*>(std::malloc(size)));
  if (!buffer.data_) throw OutOfMemory(which, size);
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

void ByteBuffer::Release::operator()(char* storage) const noexcept { std::free(storage); }

}  // namespace tavelin
