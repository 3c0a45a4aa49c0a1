#include "program_folder.h"

#include <cstddef>

namespace tavelin::ui {

std::string_view folderOf(std::string_view path) {
  std::size_t cut = 0;
  bool found = false;
  for (std::size_t i = 0; i < path.size();) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (byte == '\\') {
      cut = i;
      found = true;
    }
    i += (byte >= 0x80 && i + 1 < path.size()) ? 2 : 1;
  }
  return found ? path.substr(0, cut) : std::string_view();
}

}  // namespace tavelin::ui
