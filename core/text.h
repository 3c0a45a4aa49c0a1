#pragma once
// Bytes to text, text to lines, and the empty-line test.
//
// A Text is a run of bytes in the ANSI code page (GBK) holding no NUL. A
// byte of 0x80 or above starts a two-byte character together with the byte
// after it: the high bit alone decides, not the code page's lead-byte table.

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavelin {

// The bytes before the first NUL of `bytes`, or all of them when there is
// none. The result views `bytes`.
std::string_view bytesToText(std::string_view bytes);

// A line is empty exactly when it holds no byte; a line of spaces is not.
constexpr bool isEmptyLine(std::string_view line) { return line.empty(); }

// Calls `onLine(std::string_view)` for each line of `text`, in order.
//
// At the scan position CR LF, a lone CR and a lone LF each end a line (CR LF
// counts once), the last byte included; the break belongs to no line. The
// scan steps over a two-byte character whole, so a CR or LF right after a
// byte of 0x80 or above is part of that character. An empty line between two
// breaks is reported; a break at the very end adds no empty line after it.
template <class OnLine>
void forEachLine(std::string_view text, OnLine&& onLine) {
  const char* const begin = text.data();
  const std::size_t n = text.size();
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(begin[i]);
    if (c == '\r' || c == '\n') {
      onLine(std::string_view(begin + start, i - start));
      i += (c == '\r' && i + 1 < n && begin[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      // A lead byte in the last position has no partner: it stays in the line.
      i += (c >= 0x80 && i + 1 < n) ? 2 : 1;
    }
  }
  if (start < n) onLine(std::string_view(begin + start, n - start));
}

// The lines of `text` as views into it (see forEachLine).
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace tavelin
