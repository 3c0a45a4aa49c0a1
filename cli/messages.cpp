#include "messages.h"

namespace tavelin::cli {

namespace {

std::string_view nameOf(Allocation allocation) {
  switch (allocation) {
    case Allocation::FileContents: return "the file contents";
    case Allocation::NumberList: return "the number list";
    case Allocation::OutputText: break;
  }
  return "the output text";
}

}  // namespace

std::string usage() {
  std::string text = "Usage: ";
  text += kProgram;
  text +=
      " [OPTION]... [--] FILE...\n"
      "Sort each FILE in place: every non-empty line is read as a signed 64-bit\n"
      "integer (full-width GBK digits count as ASCII ones, a line without a\n"
      "number as 0), and the values are written back in ascending order, one per\n"
      "line, each ended by CR LF. A file that cannot be sorted is left unchanged.\n"
      "\n"
      "  --help     show this help and exit\n"
      "  --version  show the version and exit\n"
      "  --         end the options; what follows are file names\n"
      "\n"
      "Exit status: 0 when every file was sorted, 1 when any was not,\n"
      "2 for a usage error, 3 when memory ran out.\n";
  return text;
}

std::string failureReason(const SortResult& result) {
  switch (result.outcome) {
    case SortOutcome::ReadFailed: return "cannot read the file: " + std::string(describe(result.fileStatus));
    case SortOutcome::NotText: return "not a text file (it holds a NUL byte)";
    case SortOutcome::WriteFailed: return "cannot write the file: " + std::string(describe(result.fileStatus));
    case SortOutcome::EmptyPath: return "no file was named";
    case SortOutcome::Sorted: break;
  }
  return "sorted";
}

std::string outOfMemoryReason(const OutOfMemory& error) {
  return "out of memory: cannot allocate " + std::to_string(error.bytes()) + " bytes for " +
         std::string(nameOf(error.which()));
}

}  // namespace tavelin::cli
