#include "numbers.h"

#include <cstring>

#include "decimal_digits.h"
#include "lenient_parse.h"

namespace tavelin {

namespace {

// The ASCII byte a two-byte character folds to, or 0 when it stays as it is.
unsigned char foldedByte(unsigned char lead, unsigned char trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<unsigned char>(trail - 0x80);
  if (lead == 0xA1) {
    if (trail == 0xA1) return ' ';
    if (trail == 0xAB) return '~';
    if (trail == 0xEE || trail == 0xEF) return '*';
  }
  return 0;
}

}  // namespace

std::string foldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      folded.push_back(text[i]);
      continue;
    }
    if (i + 1 == text.size()) break;  // a lead byte without its partner is dropped
    const auto trail = static_cast<unsigned char>(text[++i]);
    if (const unsigned char ascii = foldedByte(lead, trail)) {
      folded.push_back(static_cast<char>(ascii));
    } else {
      folded.push_back(static_cast<char>(lead));
      folded.push_back(static_cast<char>(trail));
    }
  }
  return folded;
}

std::int64_t parseInt64(std::string_view line) {
  std::int64_t value = 0;
  detail::readLeadingNumber(line.data(), line.data() + line.size(), /*lineBreaksAreBlank=*/true, value);
  return value;
}

std::size_t formattedLength(std::int64_t value) {
  return detail::digitCount(detail::magnitudeOf(value)) + (value < 0 ? 1 : 0);
}

char* writeInt64(std::int64_t value, char* out) {
  // The digits are built in a scratch buffer, since the block stores may run
  // past the number and `out` promises no room after it.
  char digits[kMaxInt64Length + detail::kDigitsOverrun];
  const std::uint64_t magnitude = detail::magnitudeOf(value);
  const unsigned count = detail::digitCount(magnitude);
  detail::writeDigitsLoosely(magnitude, count, digits);
  if (value < 0) *out++ = '-';
  std::memcpy(out, digits, count);
  return out + count;
}

std::string formatInt64(std::int64_t value) {
  char buffer[kMaxInt64Length];
  const char* end = writeInt64(value, buffer);
  return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

}  // namespace tavelin
