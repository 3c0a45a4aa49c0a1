#pragma once
// What the core asks its host to tell the user. The core never calls the
// window system: the window passes a function that shows a message box, the
// console sorter one that prints, a test one that records.

#include <cstdint>
#include <functional>
#include <string_view>

namespace tavelin {

// A notice's look, as the message box style word spells it.
inline constexpr std::uint32_t kNoticePlain = 0x00000000;  // one OK button, no icon (MB_OK)
inline constexpr std::uint32_t kNoticeError = 0x00000010;  // one OK button, error icon (MB_ICONERROR)

struct Notice {
  std::string_view text;     // GBK bytes
  std::string_view caption;  // GBK bytes
  std::uint32_t style = kNoticePlain;
};

using NoticeFunction = std::function<void(const Notice&)>;

}  // namespace tavelin
