#include "link_opener.h"

#include "win.h"  // first: shellapi.h needs it

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "handles.h"
#include "link_target.h"

namespace tavelin::ui {
namespace {

// The value buffer holds 260 bytes with its terminator; a longer value is
// unreadable here, and that counts as a failed attempt.
std::optional<std::string> readClassDefault(const std::string& keyName) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const RegistryKey key(opened);
  std::array<char, 260> value{};
  LONG size = static_cast<LONG>(value.size());
  if (RegQueryValueA(key.get(), nullptr, value.data(), &size) != ERROR_SUCCESS) return std::nullopt;
  return std::string(value.begin(), std::find(value.begin(), value.end(), '\0'));
}

bool shellOpen(const std::string& address, int showCommand) {
  const HINSTANCE result = ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, showCommand);
  return reinterpret_cast<std::intptr_t>(result) > 32;
}

bool runCommandLine(const std::string& commandLine, int showCommand) {
  return WinExec(commandLine.c_str(), static_cast<UINT>(showCommand)) > 32;
}

}  // namespace

OpenSteps systemOpenSteps() { return {shellOpen, readClassDefault, runCommandLine}; }

bool openTarget(const std::string& address, int showCommand, const OpenSteps& steps) {
  if (address.empty()) return false;
  if (steps.shellOpen(address, showCommand)) return true;
  const std::optional<std::string> pageClass = steps.classDefault(".htm");
  if (!pageClass) return false;
  const std::optional<std::string> command = steps.classDefault(*pageClass + "\\shell\\open\\command");
  if (!command) return false;
  return steps.run(fallbackCommandLine(*command, address), showCommand);
}

}  // namespace tavelin::ui
