#pragma once
// The sort command: a number file named by a path, rewritten in place with
// its values in ascending order, one per line, each ended by CR LF.

#include <string_view>

#include "notice.h"

namespace tavelin {

enum class SortOutcome {
  Sorted,       // the file now holds the sorted values
  EmptyPath,    // no file was named; nothing was touched
  ReadFailed,   // the file could not be read; nothing was written or created
  NotText,      // the file holds a NUL byte; nothing was written
  WriteFailed,  // the rewrite failed; the file is exactly as it was
};

// Sorts the file at `path` and says how it went. Throws OutOfMemory when an
// allocation of the run fails.
SortOutcome sortNumberFile(std::string_view path);

// The notice that tells the user about `outcome`.
Notice noticeFor(SortOutcome outcome);

// The command bound to the sort button: sortNumberFile, then the notice of
// its outcome through `showNotice`.
void SortCommand(std::string_view path, const NoticeFunction& showNotice);

}  // namespace tavelin
