#include "text.h"

#include <cstring>

namespace tavelin {

std::string_view bytesToText(std::string_view bytes) {
  if (bytes.empty()) return {};
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  if (nul == nullptr) return bytes;
  return bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  forEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
  return lines;
}

}  // namespace tavelin
