#pragma once
// A file that is one large hole: it has a size but takes no room on disk.

#include <cstdint>
#include <string>

namespace tavelin::testing {

// Creates or replaces the file at `path` with `size` bytes of hole; false
// when the file system does not take that size.
bool makeSparseFile(const std::string& path, std::uint64_t size);

}  // namespace tavelin::testing
