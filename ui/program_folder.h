#pragma once
// The folder part of the program's own path, which becomes the current
// directory at start-up.

#include <string_view>

namespace tavelin::ui {

// The bytes of `path` before its last backslash; the empty text when it has
// none. The search steps over two-byte characters whole (a byte of 0x80 or
// above and the byte after it), so a GBK trail byte 0x5C is not a backslash.
std::string_view folderOf(std::string_view path);

}  // namespace tavelin::ui
