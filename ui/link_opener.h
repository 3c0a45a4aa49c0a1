#pragma once
// Opening an address in the user's browser: the shell first, then the open
// command that the registry gives for web pages (".htm").

#include <functional>
#include <optional>
#include <string>

namespace tavelin::ui {

// The platform steps of opening, so that tests can stand in for them.
struct OpenSteps {
  // The shell's "open" of the address; true when the shell reports success.
  std::function<bool(const std::string& address, int showCommand)> shellOpen;
  // The default value of a key under HKEY_CLASSES_ROOT (at most 259 bytes);
  // none when the key cannot be opened or its value cannot be read.
  std::function<std::optional<std::string>(const std::string& key)> classDefault;
  // Starts a command line; true when it started.
  std::function<bool(const std::string& commandLine, int showCommand)> run;
};

// ShellExecuteA "open", the registry under HKEY_CLASSES_ROOT, and WinExec.
OpenSteps systemOpenSteps();

// Opens `address`: the shell's "open"; when that fails, the open command of
// the class named by ".htm" with the address put in (fallbackCommandLine).
// True when one of them reports success; false for an empty address, a class
// or command that cannot be read, and a command that does not start.
bool openTarget(const std::string& address, int showCommand, const OpenSteps& steps);

}  // namespace tavelin::ui
