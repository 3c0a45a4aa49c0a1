#include "byte_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <utility>

namespace tavelin {
namespace {

TEST(ByteBuffer, HoldsTheSizeAskedFor) {
  ByteBuffer buffer = ByteBuffer::allocate(5, Allocation::FileContents);
  ASSERT_EQ(buffer.size(), 5u);
  std::memcpy(buffer.data(), "12345", 5);
  buffer.setSize(2);
  EXPECT_EQ(buffer.view(), "12");
  EXPECT_EQ(buffer.capacity(), 5u);

  const ByteBuffer moved = std::move(buffer);
  EXPECT_EQ(moved.view(), "12");
  EXPECT_TRUE(buffer.empty());  // NOLINT(bugprone-use-after-move): the moved-from state is the point
  EXPECT_EQ(buffer.capacity(), 0u);
}

TEST(ByteBuffer, SizeZeroIsTheEmptyBuffer) {
  const ByteBuffer buffer = ByteBuffer::allocate(0, Allocation::FileContents);
  EXPECT_TRUE(buffer.empty());
  EXPECT_EQ(buffer.data(), nullptr);
}

// Far more than any address space: the allocation fails for real.
TEST(ByteBuffer, NamesTheAllocationThatFails) {
  const std::size_t impossible = std::numeric_limits<std::size_t>::max() / 2;
  for (const Allocation which : {Allocation::FileContents, Allocation::OutputText}) {
    try {
      ByteBuffer::allocate(impossible, which);
      ADD_FAILURE() << "allocated " << impossible << " bytes";
    } catch (const OutOfMemory& error) {
      EXPECT_EQ(error.which(), which);
      EXPECT_EQ(error.bytes(), impossible);
    }
  }
}

}  // namespace
}  // namespace tavelin
