#pragma once
// Name of the file a rewrite fills before it takes the original's place.
// Internal to the file access.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavelin::detail {

// `folder` (empty, or ending in its separator) followed by a name that no
// other process's rewrite uses and `attempt` varies after a collision. Kept
// short, since the folder may already be close to the path length limit.
inline std::string temporaryNameIn(std::string_view folder, std::uint32_t processId, unsigned attempt) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name(folder);
  name += ".tavelin-";
  for (int shift = 28; shift >= 0; shift -= 4) name += kHex[(processId >> shift) & 0xF];
  name += '-';
  name += std::to_string(attempt);
  name += ".tmp";
  return name;
}

// Attempts at a fresh name before creating the new file counts as failed.
inline constexpr unsigned kTemporaryNameAttempts = 100;

}  // namespace tavelin::detail
