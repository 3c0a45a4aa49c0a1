#pragma once
// Ascending signed order of the values of a number file.

#include <cstdint>
#include <span>

namespace tavelin {

// Puts `values` in ascending signed order in place, with no second array of
// the values. Not stable (equal values cannot be told apart).
void sortNumbers(std::span<std::int64_t> values);

// The same, faster, borrowing `scratch` (of any size, even empty) as room to
// move values in; its contents are overwritten. The sorted values always end
// in `values`.
void sortNumbers(std::span<std::int64_t> values, std::span<std::int64_t> scratch);

}  // namespace tavelin
