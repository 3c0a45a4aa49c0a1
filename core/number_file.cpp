#include "number_file.h"

#include <bit>
#include <cstring>

#include "byte_classes.h"
#include "decimal_digits.h"
#include "lenient_parse.h"
#include "numbers.h"
#include "sse2.h"

namespace tavelin {

namespace {

// The fast path needs this many readable bytes from a block's start: the
// block itself and the eight bytes blockValue may read past a line's digits.
constexpr std::ptrdiff_t kBlockReach = detail::kClassBlock + 8;
// Longest digit run the fast path converts (three blocks of eight).
constexpr std::ptrdiff_t kMaxFastDigits = 24;

static_assert(std::endian::native == std::endian::little, "blockValue reads digits little-endian");

// The value of the `count` ASCII digits at `q` (1 <= count <= 8; eight bytes
// must be readable). Eight digits are combined in three multiply steps
// instead of eight dependent ones.
std::uint64_t blockValue(const char* q, unsigned count) {
  std::uint64_t chunk;
  std::memcpy(&chunk, q, 8);
  // The digits are the low `count` bytes; a borrow from a non-digit byte
  // above them only runs upward, into bytes that the shift throws away.
  chunk -= 0x3030303030303030ULL;
  chunk <<= 8 * (8 - count);  // the first digit moves up; zeros lead
  chunk = (chunk * 10) + (chunk >> 8);
  chunk = (((chunk & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
           (((chunk >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
          32;
  return chunk;
}

// The value of the sixteen ASCII digits at `q`.
std::uint64_t sixteenDigitsValue(const char* q) {
#ifdef TAVELIN_SSE2
  // Three multiply-add rounds on all digits at once: pairs, fours, eights.
  const __m128i digits = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), _mm_set1_epi8('0'));
  const __m128i zero = _mm_setzero_si128();
  const __m128i tens = _mm_set1_epi32(0x0001000A);  // word pairs (10, 1)
  const __m128i pairs = _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(digits, zero), tens),
                                        _mm_madd_epi16(_mm_unpackhi_epi8(digits, zero), tens));
  const __m128i fours = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00010064));  // (100, 1)
  const __m128i eights = _mm_madd_epi16(_mm_packs_epi32(fours, fours), _mm_set1_epi32(0x00012710));  // (10000, 1)
  const auto high = static_cast<std::uint32_t>(_mm_cvtsi128_si32(eights));
  const auto low = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(eights, 4)));
  return std::uint64_t{high} * 100000000 + low;
#else
  return blockValue(q, 8) * 100000000 + blockValue(q + 8, 8);
#endif
}

// The value of the digits from `q` to `stop` (1 to 24 of them), modulo 2^64
// like parseInt64. The last eight or sixteen are read back from `stop`, so
// nothing before `q` is touched.
std::uint64_t digitsValue(const char* q, const char* stop) {
  const auto count = static_cast<unsigned>(stop - q);
  if (count <= 8) return blockValue(q, count);
  if (count <= 16) return blockValue(q, count - 8) * 100000000 + blockValue(stop - 8, 8);
  return blockValue(q, count - 16) * 10000000000000000 + sixteenDigitsValue(stop - 16);
}

unsigned lowestBit(std::uint64_t bits) { return static_cast<unsigned>(std::countr_zero(bits)); }

// A line in its most common shape, from `start` to the break at `stop`: an
// optional minus and 1 to 24 digits (the caller has checked the bytes).
// Appends its value, or returns false when the digit count is out of range.
bool takePlainLine(const char* start, const char* stop, NumberList& values) {
  const bool negative = *start == '-';
  const char* digits = start + (negative ? 1 : 0);
  if (digits == stop || stop - digits > kMaxFastDigits) return false;
  const std::uint64_t magnitude = digitsValue(digits, stop);
  values.push_back(static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude));
  return true;
}

// Reads plain lines from `p` (a line start or a break) 64 bytes at a time
// and returns where it stopped: the start of the first line of another
// shape, or the first line or break it could not finish before the end.
//
// The bytes are classified a block at a time and the lines found from bit
// masks, so finding the next line never waits for the value of this one:
// the conversions of neighbouring lines overlap. A run of CR and LF bytes is
// one separator, since the empty lines inside it give no value. A line with
// any other byte, a byte of 0x80 or above included, ends the fast path
// before it, so a break that a two-byte character would swallow is never
// taken for one.
const char* appendPlainLines(const char* p, const char* end, NumberList& values) {
  const char* base = p;
  const char* open = nullptr;       // the start of the line whose end comes next
  std::uint64_t previousBreak = 1;  // the byte before `base` ended a line (or there is none)
  while (end - base >= kBlockReach) {
    const detail::ByteClasses c = detail::classifyBlock(base);
    const std::uint64_t afterBreak = (c.breaks << 1) | previousBreak;
    std::uint64_t starts = ~c.breaks & afterBreak;
    std::uint64_t ends = c.breaks & ~afterBreak;
    // A minus is plain only as the first byte of a line.
    const std::uint64_t unusual = ~(c.digits | c.breaks) & ~(c.minus & starts);
    previousBreak = c.breaks >> 63;
    if (open == nullptr && starts != 0) {
      open = base + lowestBit(starts);
      starts &= starts - 1;
    }
    // Starts and ends alternate. All bytes before the current line are
    // plain, so testing every bit up to its end tests the line.
    while (ends != 0) {
      const std::uint64_t throughEnd = ends ^ (ends - 1);
      if ((unusual & throughEnd) != 0 || !takePlainLine(open, base + lowestBit(ends), values)) return open;
      ends &= ends - 1;
      open = starts != 0 ? base + lowestBit(starts) : nullptr;
      starts &= starts - 1;
    }
    // A line still open here goes on into the next block; one that filled a
    // whole block is too long to be plain.
    if (open != nullptr && (open < base || (unusual >> (open - base)) != 0)) return open;
    base += detail::kClassBlock;
  }
  return open != nullptr ? open : base;
}

// Any line, by the general rules. `p` is at the line's first byte, which is
// not a line break. Returns the position of the break that ends it, or `end`.
const char* readAnyLine(const char* p, const char* end, std::int64_t& value) {
  p = detail::readLeadingNumber(p, end, /*lineBreaksAreBlank=*/false, value);
  // Skip what follows the number with the line scan's stepping, so a CR or
  // LF that is the second byte of a two-byte character stays inside.
  while (p < end && *p != '\r' && *p != '\n') {
    p += (static_cast<unsigned char>(*p) >= 0x80 && p + 1 < end) ? 2 : 1;
  }
  return p;
}

}  // namespace

std::size_t lineCountBound(std::string_view text) {
  // A CR LF pair counts once (at its LF), so CR LF files reserve 8 bytes per
  // value, not 16.
  const std::size_t n = text.size();
  if (n == 0) return 1;
  const char* const p = text.data();
  std::size_t breaks = 0;
  std::size_t i = 0;
#ifdef TAVELIN_SSE2
  // Sixteen bytes a step, each with the byte after it; the counts gather in
  // byte lanes, emptied into the sum before 255 steps can overflow them.
  const __m128i zero = _mm_setzero_si128();
  while (i + 17 <= n) {
    __m128i counts = zero;
    for (int step = 0; step < 255 && i + 17 <= n; ++step, i += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
      const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')),
                                        _mm_andnot_si128(_mm_cmpeq_epi8(next, _mm_set1_epi8('\n')),
                                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))));
      counts = _mm_sub_epi8(counts, ends);  // a match is -1
    }
    const __m128i sums = _mm_sad_epu8(counts, zero);
    breaks += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
              static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
  }
#endif
  for (; i + 1 < n; ++i) breaks += (p[i] == '\n') | ((p[i] == '\r') & (p[i + 1] != '\n'));
  breaks += (p[n - 1] == '\r') | (p[n - 1] == '\n');
  return breaks + 1;
}

void appendLineValues(std::string_view text, NumberList& values) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    p = appendPlainLines(p, end, values);
    if (p == end) break;
    // One line or break by the general rules, then back to the fast path.
    if (*p != '\r' && *p != '\n') {
      std::int64_t value = 0;
      p = readAnyLine(p, end, value);
      values.push_back(value);
      if (p == end) break;
    }
    p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
  }
}

std::size_t numberLinesSize(std::span<const std::int64_t> values) {
  std::size_t size = 0;
  for (const std::int64_t v : values) size += detail::digitCount(detail::magnitudeOf(v)) + (v < 0 ? 3 : 2);
  return size;
}

namespace {

// Writes `value`'s text and CR LF at `out` and returns the end. The digits'
// block stores may write up to kDigitsOverrun bytes past them; the CR LF and
// the lines after it cover those.
char* writeLineLoosely(std::int64_t value, char* out) {
  *out = '-';  // covered by the first digit when the value is not negative
  out += value < 0 ? 1 : 0;
  const std::uint64_t magnitude = detail::magnitudeOf(value);
  out = detail::writeDigitsLoosely(magnitude, detail::digitCount(magnitude), out);
  std::memcpy(out, "\r\n", 2);
  return out + 2;
}

}  // namespace

char* writeNumberLines(std::span<const std::int64_t> values, char* out) {
  // Two lines of at least three bytes each cover the overrun of the line
  // before them; the last two lines have nothing after them, so they are
  // written exactly.
  const std::size_t loose = values.size() > 2 ? values.size() - 2 : 0;
  for (const std::int64_t v : values.first(loose)) out = writeLineLoosely(v, out);
  for (const std::int64_t v : values.subspan(loose)) {
    out = writeInt64(v, out);
    *out++ = '\r';
    *out++ = '\n';
  }
  return out;
}

}  // namespace tavelin
