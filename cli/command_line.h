#pragma once
// The console sorter's arguments: options first or mixed with the files,
// "--" ends the options.

#include <string>
#include <string_view>
#include <vector>

namespace tavelin::cli {

struct CommandLine {
  enum class Action { Sort, Help, Version, UsageError };
  Action action = Action::Sort;
  std::vector<std::string_view> files;  // for Sort: at least one, none empty
  std::string error;                    // for UsageError: what was wrong
};

// Reads `args` (the arguments after the program name). --help and --version
// act as soon as they are met; an unknown option, an empty file argument or
// no file at all is a usage error. A lone "-" is a file name.
CommandLine parseCommandLine(const std::vector<std::string_view>& args);

}  // namespace tavelin::cli
