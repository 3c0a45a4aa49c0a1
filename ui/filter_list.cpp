#include "filter_list.h"

#include <cstddef>

namespace tavelin::ui {
namespace {

bool isTrailingSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::size_t characterLength(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

// Whether the last two characters are both '|'; a trail byte 0x7C is not one.
bool endsInTwoBars(std::string_view text) {
  bool previousIsBar = false;
  bool lastIsBar = false;
  for (std::size_t i = 0; i < text.size(); i += characterLength(text, i)) {
    previousIsBar = lastIsBar;
    lastIsBar = text[i] == '|';
  }
  return previousIsBar && lastIsBar;
}

}  // namespace

std::string filterList(std::string_view filter) {
  while (!filter.empty() && isTrailingSpace(filter.back())) filter.remove_suffix(1);
  if (filter.empty()) return {};
  std::string list(filter);
  if (!endsInTwoBars(list)) list += "||";
  for (std::size_t i = 0; i < list.size(); i += characterLength(list, i)) {
    if (list[i] == '|') list[i] = '\0';
  }
  return list;
}

}  // namespace tavelin::ui
