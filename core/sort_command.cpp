#include "sort_command.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <new>
#include <stdexcept>
#include <utility>

#include "byte_buffer.h"
#include "number_file.h"
#include "sort_numbers.h"
#include "out_of_memory.h"
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

// Room for the rewritten file's `size` bytes. The file's own buffer is no
// longer needed once the values are read, so it is used when they fit; else
// it is released before the larger one is taken.
ByteBuffer roomForLines(std::size_t size, ByteBuffer fileBuffer) {
  ByteBuffer room = std::move(fileBuffer);
  if (size > room.capacity()) {
    room = ByteBuffer();
    room = ByteBuffer::allocate(size, Allocation::OutputText);
  }
  return room;
}

// The lines of the sorted values, formatted a run at a time as the writer
// asks for them: each run goes to the system while it is still in the cache,
// and the disk writes the first runs while the later ones are formatted.
class LinePieces {
 public:
  LinePieces(std::span<const std::int64_t> values, char* room) : values_(values), at_(room) {}

  std::string_view operator()() {
    // About 5 MiB of lines.
    constexpr std::size_t kRunValues = std::size_t{1} << 18;
    const std::span<const std::int64_t> run = values_.first(std::min(kRunValues, values_.size()));
    values_ = values_.subspan(run.size());
    char* const start = std::exchange(at_, writeNumberLines(run, at_));
    return {start, static_cast<std::size_t>(at_ - start)};
  }

 private:
  std::span<const std::int64_t> values_;
  char* at_;
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
  ByteBuffer room = roomForLines(numberLinesSize(values), std::move(file.bytes));

  LinePieces pieces(values, room.data());
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
