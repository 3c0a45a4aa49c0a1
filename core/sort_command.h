#pragma once
// The sort command: a number file named by a path, rewritten in place with
// its values in ascending order, one per line, each ended by CR LF.

#include <string_view>

#include "file_access.h"
#include "notice.h"

namespace tavelin {

enum class SortOutcome {
  Sorted,       // the file now holds the sorted values
  EmptyPath,    // no file was named; nothing was touched
  ReadFailed,   // the file could not be read; nothing was written or created
  NotText,      // the file holds a NUL byte; nothing was written
  WriteFailed,  // the rewrite failed; the file is exactly as it was
};

struct SortResult {
  SortOutcome outcome = SortOutcome::Sorted;
  // Why reading or writing failed (ReadFailed, WriteFailed); Ok otherwise.
  FileStatus fileStatus = FileStatus::Ok;
};

// Sorts the file at `path` and says how it went, with the file access's
// reason when reading or writing failed. A UTF-8 byte-order mark at the very
// start is dropped; the rewritten file has none. Throws OutOfMemory naming
// the allocation when one of the run's large allocations fails.
SortResult sortNumberFileWithReason(std::string_view path);

// sortNumberFileWithReason without the reason.
SortOutcome sortNumberFile(std::string_view path);

// The notice that tells the user about `outcome`.
Notice noticeFor(SortOutcome outcome);

// The command bound to the sort button: sortNumberFile, then the notice of
// its outcome through `showNotice`. OutOfMemory passes through to the caller.
void SortCommand(std::string_view path, const NoticeFunction& showNotice);

}  // namespace tavelin
