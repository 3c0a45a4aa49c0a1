#include "fatal_error.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <new>

#include "out_of_memory.h"
#include "texts.h"
#include "win.h"

namespace tavelin::ui {
namespace {

// Appends to a NUL-terminated message, cutting what does not fit.
class MessageWriter {
 public:
  explicit MessageWriter(FatalMessage& message) : message_(message) { message_[0] = '\0'; }
  MessageWriter& operator<<(const char* piece) {
    const std::size_t room = message_.size() - 1 - used_;
    const std::size_t length = std::min(std::strlen(piece), room);
    std::memcpy(message_.data() + used_, piece, length);
    used_ += length;
    message_[used_] = '\0';
    return *this;
  }
  MessageWriter& operator<<(std::uint64_t number) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits - 1, number).ptr;
    *end = '\0';
    return *this << digits;
  }

 private:
  FatalMessage& message_;
  std::size_t used_ = 0;
};

const char* nameOf(Allocation allocation) {
  switch (allocation) {
    case Allocation::FileContents: return texts::kFileContents;
    case Allocation::NumberList: return texts::kNumberList;
    case Allocation::OutputText: return texts::kOutputText;
  }
  return "";
}

}  // namespace

FatalMessage fatalMessageFor(const std::exception_ptr& failure) {
  FatalMessage message{};
  MessageWriter out(message);
  try {
    std::rethrow_exception(failure);
  } catch (const OutOfMemory& named) {
    out << texts::kOutOfMemoryBefore << nameOf(named.which()) << texts::kOutOfMemoryMiddle << named.bytes()
        << texts::kOutOfMemoryAfter;
  } catch (const std::bad_alloc&) {
    out << texts::kOutOfMemoryUnnamed;
  } catch (...) {
    out << texts::kUnexpectedFailure;
  }
  return message;
}

void showFatalError(const std::exception_ptr& failure) {
  const FatalMessage message = fatalMessageFor(failure);
  MessageBoxA(nullptr, message.data(), texts::kErrorCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace tavelin::ui
