#pragma once
// The file-type list of the open-file dialog, from its one-line form.

#include <string>
#include <string_view>

namespace tavelin::ui {

// Turns "description|pattern|description|pattern" into the dialog's list:
// trailing white space (space, TAB, CR, LF, VT, FF) removed, "||" appended
// unless the text already ends in two '|' characters, then every '|' replaced
// by NUL. The scan steps over two-byte characters whole (a byte of 0x80 or
// above leads one), so a trail byte 0x7C is no separator. The result holds
// its NULs and ends in the empty string; it is empty when the trimmed filter
// is, meaning that no list is passed.
std::string filterList(std::string_view filter);

}  // namespace tavelin::ui
