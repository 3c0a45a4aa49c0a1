// Placeholder until the file access lands: knows only the empty path.
#include "sort_command.h"

#include "sort_texts.h"

namespace tavelin {

SortOutcome sortNumberFile(std::string_view path) {
  return path.empty() ? SortOutcome::EmptyPath : SortOutcome::WriteFailed;
}

Notice noticeFor(SortOutcome outcome) {
  switch (outcome) {
    case SortOutcome::Sorted: return {texts::kSortDone, texts::kHint, kNoticePlain};
    case SortOutcome::EmptyPath: return {texts::kChooseAFile, texts::kHint, kNoticePlain};
    case SortOutcome::ReadFailed: return {texts::kCannotRead, texts::kError, kNoticeError};
    case SortOutcome::NotText: return {texts::kNotText, texts::kError, kNoticeError};
    case SortOutcome::WriteFailed: break;
  }
  return {texts::kCannotWrite, texts::kError, kNoticeError};
}

void SortCommand(std::string_view path, const NoticeFunction& showNotice) {
  showNotice(noticeFor(sortNumberFile(path)));
}

}  // namespace tavelin
