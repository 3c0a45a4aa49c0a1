#include "command_line.h"

namespace tavelin::cli {

namespace {

CommandLine usageError(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::UsageError;
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string_view>& args) {
  CommandLine line;
  bool optionsEnded = false;
  for (const std::string_view arg : args) {
    if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      if (arg == "--") {
        optionsEnded = true;
      } else if (arg == "--help") {
        line.action = CommandLine::Action::Help;
        return line;
      } else if (arg == "--version") {
        line.action = CommandLine::Action::Version;
        return line;
      } else {
        return usageError("unknown option '" + std::string(arg) + "'");
      }
      continue;
    }
    if (arg.empty()) return usageError("an empty file name");
    line.files.push_back(arg);
  }
  if (line.files.empty()) return usageError("no file named");
  return line;
}

}  // namespace tavelin::cli
