#include "number_file.h"


#include "lenient_parse.h"
#include "numbers.h"

namespace tavelin {

std::size_t lineCountBound(std::string_view text) {
  // Plain counting loop: compilers vectorise it.
  std::size_t breaks = 0;
  for (const char c : text) breaks += (c == '\r') | (c == '\n');
  return breaks + 1;
}

void appendLineValues(std::string_view text, std::vector<std::int64_t>& values) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    if (*p != '\r' && *p != '\n') {
      std::int64_t value = 0;
      p = detail::readLeadingNumber(p, end, /*lineBreaksAreBlank=*/false, value);
      // Skip what follows the number with the line scan's stepping, so a CR
      // or LF that is the second byte of a two-byte character stays inside.
      while (p < end && *p != '\r' && *p != '\n') {
        p += (static_cast<unsigned char>(*p) >= 0x80 && p + 1 < end) ? 2 : 1;
      }
      values.push_back(value);
    }
    if (p < end) p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
  }
}

std::size_t numberLinesSize(std::span<const std::int64_t> values) {
  std::size_t size = 0;
  for (const std::int64_t v : values) size += formattedLength(v) + 2;
  return size;
}

char* writeNumberLines(std::span<const std::int64_t> values, char* out) {
  for (const std::int64_t v : values) {
    out = writeInt64(v, out);
    *out++ = '\r';
    *out++ = '\n';
  }
  return out;
}

}  // namespace tavelin
