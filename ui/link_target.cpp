#include "link_target.h"

#include <cstddef>

namespace tavelin::ui {
namespace {

constexpr std::string_view kQuotedPlaceholder = "\"%1\"";
constexpr std::string_view kPlaceholder = "%1";

std::size_t findQuotedPlaceholder(std::string_view command) {
  for (std::size_t i = 0; i < command.size();) {
    if (command.substr(i, kQuotedPlaceholder.size()) == kQuotedPlaceholder) return i;
    i += static_cast<unsigned char>(command[i]) >= 0x80 ? 2 : 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::string linkTarget(LinkKind kind, std::string_view webAddress, std::string_view mailAddress) {
  if (kind == LinkKind::Web) return std::string(webAddress);
  if (mailAddress.empty()) return {};
  return "mailto:" + std::string(mailAddress);
}

std::string_view shownText(std::string_view windowText, LinkKind kind, std::string_view webAddress,
                           std::string_view mailAddress) {
  if (!windowText.empty()) return windowText;
  return kind == LinkKind::Web ? webAddress : mailAddress;
}

std::string fallbackCommandLine(std::string_view command, std::string_view address) {
  std::size_t cut = findQuotedPlaceholder(command);
  if (cut == std::string_view::npos) cut = command.find(kPlaceholder);
  std::string line(command.substr(0, cut));
  line += ' ';
  line += address;
  return line;
}

}  // namespace tavelin::ui
