#include "numbers.h"

#include <algorithm>
#include <array>
#include <cstring>

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

std::uint64_t magnitudeOf(std::int64_t value) {
  // Negating in the unsigned type keeps INT64_MIN exact.
  const auto bits = static_cast<std::uint64_t>(value);
  return value < 0 ? 0 - bits : bits;
}

unsigned decimalDigits(std::uint64_t v) {
  unsigned digits = 1;
  while (v >= 10000) {
    v /= 10000;
    digits += 4;
  }
  if (v >= 100) digits += 2, v /= 100;
  if (v >= 10) digits += 1;
  return digits;
}

// "00" "01" ... "99": formatting two digits per division halves the divisions.
constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

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
  return decimalDigits(magnitudeOf(value)) + (value < 0 ? 1 : 0);
}

char* writeInt64(std::int64_t value, char* out) {
  std::uint64_t v = magnitudeOf(value);
  if (value < 0) *out++ = '-';
  char* const end = out + decimalDigits(v);
  char* p = end;
  while (v >= 100) {
    const auto pair = static_cast<std::size_t>(v % 100) * 2;
    v /= 100;
    *--p = kDigitPairs[pair + 1];
    *--p = kDigitPairs[pair];
  }
  if (v >= 10) {
    *--p = kDigitPairs[v * 2 + 1];
    *--p = kDigitPairs[v * 2];
  } else {
    *--p = static_cast<char>('0' + v);
  }
  return end;
}

std::string formatInt64(std::int64_t value) {
  char buffer[kMaxInt64Length];
  const char* end = writeInt64(value, buffer);
  return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

}  // namespace tavelin
