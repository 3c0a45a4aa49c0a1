#include "sort_command.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <stdexcept>

#include "byte_buffer.h"
#include "number_file.h"
#include "numbers.h"
#include "out_of_memory.h"
#include "sort_numbers.h"
#include "sort_texts.h"
#include "text.h"

namespace tavelin {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view withoutByteOrderMark(std::string_view text) {
  return text.starts_with(kUtf8ByteOrderMark) ? text.substr(kUtf8ByteOrderMark.size()) : text;
}

// One allocation for all values: the line count bound is reserved up front,
// so the list never grows by copying.
NumberList valuesOf(std::string_view text) {
  const std::size_t bound = lineCountBound(text);
  NumberList values;
  try {
    values.reserve(bound);
  } catch (const std::bad_alloc&) {  // bad_array_new_length included
    throw OutOfMemory(Allocation::NumberList, std::uint64_t{bound} * sizeof(std::int64_t));
  } catch (const std::length_error&) {
    throw OutOfMemory(Allocation::NumberList, std::uint64_t{bound} * sizeof(std::int64_t));
  }
  appendLineValues(text, values);
  return values;
}

// The file's buffer is free once its values are read: the sort borrows it
// as room to move the values in, which makes it a good deal faster.
std::span<std::int64_t> scratchIn(ByteBuffer& buffer) {
  void* start = buffer.data();
  std::size_t room = buffer.capacity();
  if (std::align(alignof(std::int64_t), sizeof(std::int64_t), start, room) == nullptr) return {};
  // The storage came from an allocation function, so int64_t objects may
  // live in it as well as bytes.
  return {static_cast<std::int64_t*>(start), room / sizeof(std::int64_t)};
}

// The lines of the sorted values, formatted a run at a time into one small
// buffer as the writer asks for them: the buffer stays in the cache, from
// which the system takes each run, and the disk writes the first runs while
// the later ones are formatted.
class LinePieces {
 public:
  explicit LinePieces(std::span<const std::int64_t> values)
      : values_(values),
        room_(ByteBuffer::allocate(std::min(kRunValues, values.size()) * kLongestLine, Allocation::OutputText)) {}

  std::string_view operator()() {
    const std::span<const std::int64_t> run = values_.first(std::min(kRunValues, values_.size()));
    values_ = values_.subspan(run.size());
    const char* const end = writeNumberLines(run, room_.data());
    return {room_.data(), static_cast<std::size_t>(end - room_.data())};
  }

 private:
  // Under 3 MiB of lines: small enough to stay in the cache, large enough
  // that the requests cost nothing next to the formatting.
  static constexpr std::size_t kRunValues = std::size_t{1} << 17;
  static constexpr std::size_t kLongestLine = kMaxInt64Length + 2;  // and CR LF

  std::span<const std::int64_t> values_;
  ByteBuffer room_;
};

}  // namespace

SortResult sortNumberFileWithReason(std::string_view path) {
  if (path.empty()) return {SortOutcome::EmptyPath, FileStatus::EmptyPath};

  ReadResult file = readWholeFile(path);
  if (file.status != FileStatus::Ok) return {SortOutcome::ReadFailed, file.status};
  const std::string_view bytes = file.bytes.view();
  if (bytesToText(bytes).size() != bytes.size()) return {SortOutcome::NotText, FileStatus::Ok};

  NumberList values = valuesOf(withoutByteOrderMark(bytes));
  sortNumbers(values, scratchIn(file.bytes));
  file.bytes = ByteBuffer();  // the lines are formatted into a small buffer of their own

  LinePieces pieces(values);
  const FileStatus written = writeWholeFile(path, std::ref(pieces));
  if (written != FileStatus::Ok) return {SortOutcome::WriteFailed, written};
  return {SortOutcome::Sorted, FileStatus::Ok};
}

SortOutcome sortNumberFile(std::string_view path) { return sortNumberFileWithReason(path).outcome; }

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
