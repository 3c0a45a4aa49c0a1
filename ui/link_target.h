#pragma once
// What a link label shows and what it opens, from its settings.

#include <string>
#include <string_view>

namespace tavelin::ui {

enum class LinkKind { Mail = 0, Web = 1 };

// The address a click opens: the web address for Web, "mailto:" and the mail
// address for Mail; empty when that address is empty (nothing to open).
std::string linkTarget(LinkKind kind, std::string_view webAddress, std::string_view mailAddress);

// The text painted: the window text, or when that is empty the address of
// `kind` as set (without "mailto:").
std::string_view shownText(std::string_view windowText, LinkKind kind, std::string_view webAddress,
                           std::string_view mailAddress);

// The command line of the registry fallback: `command` (the open command of
// the web page class) cut at its first quoted placeholder "%1" (searched by
// character, so a trail byte 0x22 starts no quote), else at its first plain
// %1 (searched by byte), else kept whole; then one space and `address`.
// Whatever followed the placeholder is dropped. No length limit.
std::string fallbackCommandLine(std::string_view command, std::string_view address);

}  // namespace tavelin::ui
