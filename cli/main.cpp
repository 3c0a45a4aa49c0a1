// tavelin-sort: the sort command for scripts and batch use. Paths are taken
// as the system gives them (ANSI on Windows, like the window's).
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "messages.h"
#include "out_of_memory.h"
#include "sort_command.h"

namespace {

using namespace tavelin;

constexpr int kAllSorted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;
constexpr int kOutOfMemory = 3;

void printFailure(std::string_view file, const std::string& reason) {
  std::fprintf(stderr, "%s: %.*s: %s; the file was not changed\n", cli::kProgram.data(),
               static_cast<int>(file.size()), file.data(), reason.c_str());
}

int run(const std::vector<std::string_view>& args) {
  const cli::CommandLine line = cli::parseCommandLine(args);
  switch (line.action) {
    case cli::CommandLine::Action::Help:
      std::fputs(cli::usage().c_str(), stdout);
      return kAllSorted;
    case cli::CommandLine::Action::Version:
      std::printf("%s %s\n", cli::kProgram.data(), TAVELIN_VERSION);
      return kAllSorted;
    case cli::CommandLine::Action::UsageError:
      std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", cli::kProgram.data(),
                   line.error.c_str(), cli::kProgram.data());
      return kUsageError;
    case cli::CommandLine::Action::Sort:
      break;
  }

  int status = kAllSorted;
  for (const std::string_view file : line.files) {
    try {
      const SortResult result = sortNumberFileWithReason(file);
      if (result.outcome != SortOutcome::Sorted) {
        printFailure(file, cli::failureReason(result));
        status = kSomeFailed;
      }
    } catch (const OutOfMemory& error) {
      printFailure(file, cli::outOfMemoryReason(error));
      return kOutOfMemory;
    } catch (const std::bad_alloc&) {
      printFailure(file, "out of memory");
      return kOutOfMemory;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(std::vector<std::string_view>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", cli::kProgram.data());
    return kOutOfMemory;
  }
}
