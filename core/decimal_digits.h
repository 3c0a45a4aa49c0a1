#pragma once
// Decimal digits of unsigned 64-bit values without a division loop: whole
// blocks of digits at once, written with stores that may run past the last
// digit. Internal to the core.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "sse2.h"

namespace tavelin::detail {

static_assert(std::endian::native == std::endian::little, "digit blocks are stored little-endian");

inline constexpr std::array<std::uint64_t, 20> kPowersOf10 = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t p = 1;
  for (auto& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

inline std::uint64_t magnitudeOf(std::int64_t value) {
  // Negating in the unsigned type keeps INT64_MIN exact.
  const auto bits = static_cast<std::uint64_t>(value);
  return value < 0 ? 0 - bits : bits;
}

// Digits of v (1 to 20) from its bit width (log10(2) ~ 1233/4096) and one
// comparison, instead of a chain of divisions.
inline unsigned digitCount(std::uint64_t v) {
  v |= 1;  // zero has one digit, like one
  const unsigned approx = (static_cast<unsigned>(std::bit_width(v)) * 1233) >> 12;
  return approx + (v >= kPowersOf10[approx] ? 1 : 0);
}

// The eight digits of n < 10^8, leading zeros included, as ASCII bytes in
// memory order. Halves, quarters and eighths are split in the lanes of one
// 64-bit word; each multiply-and-shift is an exact division for its range.
inline std::uint64_t eightDigits(std::uint32_t n) {
  const std::uint64_t high = (std::uint64_t{n} * 109951163) >> 40;  // n / 10^4
  const std::uint64_t fours = high | ((n - high * 10000) << 32);
  const std::uint64_t hundreds = ((fours * 10486) >> 20) & 0x0000007F0000007FULL;  // each / 100
  const std::uint64_t pairs = hundreds | ((fours - hundreds * 100) << 16);
  const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000FULL;  // each / 10
  return (tens | ((pairs - tens * 10) << 8)) | 0x3030303030303030ULL;
}

// The four digits of n < 10^4 in the same way, in a 32-bit word.
inline std::uint32_t fourDigits(std::uint32_t n) {
  const std::uint32_t hundreds = (n * 5243) >> 19;  // n / 100
  const std::uint32_t pairs = hundreds | ((n - hundreds * 100) << 16);
  const std::uint32_t tens = ((pairs * 103) >> 10) & 0x000F000FU;  // each / 10
  return (tens | ((pairs - tens * 10) << 8)) | 0x30303030U;
}

// Writes the sixteen digits of v < 10^16, leading zeros included, at `out`.
inline void writeSixteenDigits(std::uint64_t v, char* out) {
  const auto high = static_cast<std::uint32_t>(v / 100000000);
  const auto low = static_cast<std::uint32_t>(v - std::uint64_t{high} * 100000000);
#ifdef TAVELIN_SSE2
  // The same splitting as eightDigits for both halves at once, in 16-bit
  // lanes, so only the first split is a scalar multiply.
  const __m128i eights = _mm_set_epi32(0, static_cast<int>(low), 0, static_cast<int>(high));
  const __m128i fourHigh = _mm_srli_epi64(_mm_mul_epu32(eights, _mm_set1_epi32(109951163)), 40);
  const __m128i fourLow = _mm_sub_epi32(eights, _mm_mul_epu32(fourHigh, _mm_set1_epi32(10000)));
  const __m128i fours = _mm_or_si128(fourHigh, _mm_slli_epi64(fourLow, 32));
  const __m128i hundreds = _mm_srli_epi16(_mm_mulhi_epu16(fours, _mm_set1_epi16(5243)), 3);  // each / 100
  const __m128i pairs =
      _mm_or_si128(hundreds, _mm_slli_epi32(_mm_sub_epi16(fours, _mm_mullo_epi16(hundreds, _mm_set1_epi16(100))), 16));
  const __m128i tens = _mm_mulhi_epu16(pairs, _mm_set1_epi16(6554));  // each / 10
  const __m128i digits =
      _mm_or_si128(tens, _mm_slli_epi16(_mm_sub_epi16(pairs, _mm_mullo_epi16(tens, _mm_set1_epi16(10))), 8));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_add_epi8(digits, _mm_set1_epi8('0')));
#else
  const std::uint64_t first = eightDigits(high);
  const std::uint64_t second = eightDigits(low);
  std::memcpy(out, &first, 8);
  std::memcpy(out + 8, &second, 8);
#endif
}

// Bytes writeDigitsLoosely may write past the last digit.
inline constexpr int kDigitsOverrun = 7;

// Writes the `count` digits of v (count == digitCount(v)) at `out` and
// returns their end. May also write up to kDigitsOverrun bytes after them:
// the numbers are built in whole blocks, and storing a whole block and
// letting the next store cover its tail costs less than cutting it.
inline char* writeDigitsLoosely(std::uint64_t v, unsigned count, char* out) {
  if (count <= 8) {
    const std::uint64_t digits = eightDigits(static_cast<std::uint32_t>(v)) >> (8 * (8 - count));
    std::memcpy(out, &digits, 8);
  } else if (count <= 16) {
    // The sixteen digits with their leading zeros, then the top part again
    // over the front with the zeros shifted out.
    char block[16];
    writeSixteenDigits(v, block);
    const unsigned zeros = 16 - count;
    std::uint64_t front;
    std::memcpy(&front, block, 8);
    front >>= 8 * zeros;
    std::memcpy(out, &front, 8);
    std::memcpy(out + 8 - zeros, block + 8, 8);
  } else {
    // The top one to four digits, then the other sixteen over their tail.
    const std::uint64_t top = v / 10000000000000000;
    const std::uint32_t digits = fourDigits(static_cast<std::uint32_t>(top)) >> (8 * (20 - count));
    std::memcpy(out, &digits, 4);
    writeSixteenDigits(v - top * 10000000000000000, out + (count - 16));
  }
  return out + count;
}

}  // namespace tavelin::detail
