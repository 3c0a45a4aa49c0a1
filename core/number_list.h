#pragma once
// The values of one sort run, in line order until they are sorted.

#include <cstdint>
#include <vector>

#include "large_allocation.h"

namespace tavelin {

using NumberList = std::vector<std::int64_t, LargeAllocator<std::int64_t>>;

}  // namespace tavelin
