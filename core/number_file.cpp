#include "number_file.h"

#include <bit>
#include <cstring>

#include "lenient_parse.h"
#include "numbers.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TAVELIN_SSE2 1
#endif

namespace tavelin {

namespace {

// The fast path reads this many bytes past a line start without checking.
constexpr std::ptrdiff_t kLookahead = 32;
// Longest digit run the fast path converts (three blocks of eight).
constexpr unsigned kMaxFastDigits = 24;

// Count of ASCII digits at the start of the 32 bytes at `q`.
unsigned digitRunLength(const char* q) {
#ifdef TAVELIN_SSE2
  // SSE2 is part of every x86-64 processor, so no run-time check is needed.
  // Bytes of 0x80 and above compare as negative and so count as non-digits.
  auto digitMask = [](const char* at) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i isDigit = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('0' - 1)),
                                          _mm_cmplt_epi8(bytes, _mm_set1_epi8('9' + 1)));
    return static_cast<unsigned>(_mm_movemask_epi8(isDigit));
  };
  const unsigned low = digitMask(q);
  if (low != 0xFFFF) return static_cast<unsigned>(std::countr_one(low));
  return 16 + static_cast<unsigned>(std::countr_one(digitMask(q + 16)));
#else
  unsigned n = 0;
  while (n < kLookahead && static_cast<unsigned>(static_cast<unsigned char>(q[n])) - '0' <= 9u) ++n;
  return n;
#endif
}

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

// The digits at `q`, `count` of them (1..24), modulo 2^64 like parseInt64.
std::uint64_t digitsValue(const char* q, unsigned count) {
  unsigned head = count % 8 == 0 ? 8 : count % 8;
  std::uint64_t value = blockValue(q, head);
  for (unsigned done = head; done < count; done += 8) value = value * 100000000 + blockValue(q + done, 8);
  return value;
}

// One line in its most common shape: an optional minus, 1 to 24 digits, a
// line break. Returns the start of the next line, or nullptr when the line
// has any other shape. Needs kLookahead readable bytes at `p`.
const char* readPlainLine(const char* p, std::int64_t& value) {
  const bool negative = *p == '-';
  const char* digits = p + (negative ? 1 : 0);
  const unsigned count = digitRunLength(digits);
  if (count == 0 || count > kMaxFastDigits) return nullptr;
  const char* after = digits + count;
  const char* next;
  if (*after == '\n') {
    next = after + 1;
  } else if (*after == '\r') {
    next = after + (after[1] == '\n' ? 2 : 1);
  } else {
    return nullptr;
  }
  const std::uint64_t magnitude = digitsValue(digits, count);
  value = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
  return next;
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
  // Plain branch-free counting loop: compilers vectorise it. A CR LF pair
  // counts once (at its LF), so CR LF files reserve 8 bytes per value, not 16.
  const std::size_t n = text.size();
  if (n == 0) return 1;
  const char* const p = text.data();
  std::size_t breaks = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) breaks += (p[i] == '\n') | ((p[i] == '\r') & (p[i + 1] != '\n'));
  breaks += (p[n - 1] == '\r') | (p[n - 1] == '\n');
  return breaks + 1;
}

void appendLineValues(std::string_view text, NumberList& values) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    if (*p == '\r' || *p == '\n') {  // an empty line gives no value
      p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
      continue;
    }
    std::int64_t value = 0;
    if (end - p >= kLookahead) {
      if (const char* next = readPlainLine(p, value)) {
        values.push_back(value);
        p = next;
        continue;
      }
    }
    p = readAnyLine(p, end, value);
    values.push_back(value);
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
