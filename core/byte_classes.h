#pragma once
// Byte classes of a 64-byte block as bit masks, for the number-file reader's
// fast path. Internal to the core.

#include <cstdint>

#include "sse2.h"

namespace tavelin::detail {

inline constexpr int kClassBlock = 64;

// Bit i of each mask is about byte i of the block.
struct ByteClasses {
  std::uint64_t breaks;  // CR or LF
  std::uint64_t digits;  // 0..9
  std::uint64_t minus;   // '-'
};

// Classifies the 64 bytes at `p`, which must all be readable.
inline ByteClasses classifyBlock(const char* p) {
#ifdef TAVELIN_SSE2
  // Sixteen bytes at a time, three compares each; the masks are then glued.
  ByteClasses c{0, 0, 0};
  for (int i = 0; i < kClassBlock; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')),
                                        _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
    // Moving '0' to -128 turns the unsigned test "byte - '0' < 10" into one
    // signed compare.
    const __m128i digits = _mm_cmplt_epi8(_mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>('0' ^ 0x80))),
                                          _mm_set1_epi8(static_cast<char>(-128 + 10)));
    const __m128i minus = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('-'));
    c.breaks |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(breaks))} << i;
    c.digits |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(digits))} << i;
    c.minus |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(minus))} << i;
  }
  return c;
#else
  ByteClasses c{0, 0, 0};
  for (int i = 0; i < kClassBlock; ++i) {
    const auto b = static_cast<unsigned char>(p[i]);
    const std::uint64_t bit = std::uint64_t{1} << i;
    if (b == '\r' || b == '\n') c.breaks |= bit;
    if (b - unsigned{'0'} <= 9u) c.digits |= bit;
    if (b == '-') c.minus |= bit;
  }
  return c;
#endif
}

}  // namespace tavelin::detail
