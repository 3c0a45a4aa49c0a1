#include "numbers.h"

#include <algorithm>
#include <array>
#include <bit>
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

constexpr std::array<std::uint64_t, 20> kPowersOf10 = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t p = 1;
  for (auto& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

// Digits of v from its bit width (log10(2) ~ 1233/4096) and one comparison,
// instead of a chain of divisions.
unsigned decimalDigits(std::uint64_t v) {
  v |= 1;  // zero has one digit, like one
  const unsigned approx = (static_cast<unsigned>(std::bit_width(v)) * 1233) >> 12;
  return approx + (v >= kPowersOf10[approx] ? 1 : 0);
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

void writePair(char* out, std::uint32_t pair) { std::memcpy(out, &kDigitPairs[pair * 2], 2); }

// Exactly eight digits of n < 10^8, leading zeros included. The two halves
// are independent, so their divisions overlap instead of forming one chain.
void writeEightDigits(char* out, std::uint32_t n) {
  const std::uint32_t high = n / 10000;
  const std::uint32_t low = n % 10000;
  writePair(out, high / 100);
  writePair(out + 2, high % 100);
  writePair(out + 4, low / 100);
  writePair(out + 6, low % 100);
}

// The digits of n < 10^8 without leading zeros, written backwards from the end.
char* writeShortNumber(char* out, std::uint32_t n) {
  char* const end = out + decimalDigits(n);
  char* p = end;
  while (n >= 100) {
    p -= 2;
    writePair(p, n % 100);
    n /= 100;
  }
  if (n >= 10) {
    writePair(p - 2, n);
  } else {
    p[-1] = static_cast<char>('0' + n);
  }
  return end;
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
  return decimalDigits(magnitudeOf(value)) + (value < 0 ? 1 : 0);
}

char* writeInt64(std::int64_t value, char* out) {
  std::uint64_t v = magnitudeOf(value);
  if (value < 0) *out++ = '-';
  // Cut into blocks of eight digits: 64-bit division only twice at most, the
  // blocks themselves in 32-bit arithmetic.
  constexpr std::uint64_t kBlock = 100000000;
  if (v < kBlock) return writeShortNumber(out, static_cast<std::uint32_t>(v));
  if (v < kBlock * kBlock) {
    out = writeShortNumber(out, static_cast<std::uint32_t>(v / kBlock));
  } else {
    const std::uint64_t top = v / (kBlock * kBlock);
    v %= kBlock * kBlock;
    out = writeShortNumber(out, static_cast<std::uint32_t>(top));
    writeEightDigits(out, static_cast<std::uint32_t>(v / kBlock));
    out += 8;
  }
  writeEightDigits(out, static_cast<std::uint32_t>(v % kBlock));
  return out + 8;
}

std::string formatInt64(std::int64_t value) {
  char buffer[kMaxInt64Length];
  const char* end = writeInt64(value, buffer);
  return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

}  // namespace tavelin
