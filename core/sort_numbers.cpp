// sortNumbers: an MSD radix sort on the values read with their sign bit
// flipped, which turns signed order into unsigned order. The digits start at
// the highest bit in which the values differ at all, so small values do not
// pay a pass for each high byte they share.
//
// With scratch room for a range of values, each level moves the range between
// the list and the scratch in one streaming pass: the writes go to one open
// end per bucket, and those ends stay in the cache. Without room, a level
// permutes the range within the list (American flag sort), which is slower,
// since each swap waits for the slot it reads; its buckets go to the scratch
// side as soon as they fit.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <utility>

#include "sort_numbers.h"

namespace tavelin {

namespace {

using Key = std::int64_t;

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

// Ranges of at most this many values are finished by insertion sort: fewer
// moves than another counting pass.
constexpr std::size_t kInsertionRange = 16;
// The in-place levels hand ranges this small to a comparison sort.
constexpr std::size_t kInPlaceComparisonRange = 96;

// Digit widths, measured on 1M and 10M random values. A range larger than
// the cache streams from memory, and its writes must hit few enough open
// bucket ends to keep them in the cache: 10 bits. A range in the cache is
// split about as finely as it has values (up to 13 bits), which leaves the
// insertion sort very little to do. In place, bytes.
constexpr std::size_t kCachedRange = std::size_t{1} << 16;
constexpr unsigned kStreamingDigitBits = 10;
constexpr unsigned kCachedDigitBits = 13;
constexpr unsigned kInPlaceDigitBits = 8;

// Bucket counts. Between the list and the scratch, ranges stay below 2^32
// values and their counts take 32 bits: half the cache and stack. Each
// level takes at least 5 bits (its range has more than 16 values), so at
// most 13 levels of 32 KiB are on the stack at once.
using RangeCounts = std::array<std::uint32_t, std::size_t{1} << kCachedDigitBits>;
constexpr std::size_t kMaxRangeBetween = 0xFFFFFFFF;
using InPlaceCounts = std::array<std::size_t, std::size_t{1} << kInPlaceDigitBits>;

struct Digit {
  unsigned shift;
  unsigned bits;

  std::size_t of(Key value) const {
    const std::uint64_t key = static_cast<std::uint64_t>(value) ^ kSignBit;
    return static_cast<std::size_t>((key >> shift) & ((std::uint64_t{1} << bits) - 1));
  }
  std::size_t buckets() const { return std::size_t{1} << bits; }
};

// The digit just below the `bitsLeft` high bits already decided.
Digit nextDigit(unsigned bitsLeft, unsigned widest) {
  const unsigned bits = std::min(bitsLeft, widest);
  return {bitsLeft - bits, bits};
}

// Digits as wide as leave about one value per bucket, up to the widest
// that suits a range of n values.
unsigned digitBitsFor(std::size_t n) {
  const auto bits = static_cast<unsigned>(std::bit_width(n));
  return std::min(bits, n > kCachedRange ? kStreamingDigitBits : kCachedDigitBits);
}

// Counts each bucket's values; true when they all fall in one bucket.
template <typename Count>
bool countDigits(const Key* keys, std::size_t n, Digit digit, std::span<Count> count) {
  std::fill_n(count.begin(), digit.buckets(), Count{0});
  for (std::size_t i = 0; i < n; ++i) ++count[digit.of(keys[i])];
  return count[digit.of(keys[0])] == n;
}

void insertionSort(Key* keys, std::size_t n) {
  for (std::size_t i = 1; i < n; ++i) {
    const Key value = keys[i];
    std::size_t j = i;
    for (; j > 0 && keys[j - 1] > value; --j) keys[j] = keys[j - 1];
    keys[j] = value;
  }
}

// Sorts the n values at `here` with the n slots at `there` as room. The
// sorted values end at `there` when `endThere`, else at `here`. n is at
// most kMaxRangeBetween.
void sortBetween(Key* here, Key* there, std::size_t n, unsigned bitsLeft, bool endThere) {
  RangeCounts next;
  Digit digit{};
  do {
    if (n <= kInsertionRange || bitsLeft == 0) {  // no bits left: all equal
      insertionSort(here, n);
      if (endThere) std::copy(here, here + n, there);
      return;
    }
    digit = nextDigit(bitsLeft, digitBitsFor(n));
    bitsLeft = digit.shift;
  } while (countDigits(here, n, digit, std::span<std::uint32_t>(next)));  // all in one bucket: next digit

  // Each bucket's count becomes its next free slot at `there`.
  const std::size_t buckets = digit.buckets();
  std::uint32_t offset = 0;
  for (std::size_t b = 0; b < buckets; ++b) offset += std::exchange(next[b], offset);
  for (std::size_t i = 0; i < n; ++i) there[next[digit.of(here[i])]++] = here[i];

  // Large buckets are sorted on their own. The small ones, by far the most,
  // are only brought to where the result ends and finished there by one
  // insertion sort over the whole range: the buckets are in order already,
  // so no value moves out of its own.
  std::size_t begin = 0;
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::size_t end = next[b];  // where bucket b ends and the next begins
    if (end - begin > kInsertionRange) {
      sortBetween(there + begin, here + begin, end - begin, bitsLeft, !endThere);
    } else if (!endThere) {
      std::copy(there + begin, there + end, here + begin);
    }
    begin = end;
  }
  insertionSort(endThere ? there : here, n);
}

// One level of American flag sort on the n values at `keys`: every value is
// moved into the next free slot of its bucket, and the value found there is
// swapped back into the place it came from. Four values are taken at a time:
// their slots are independent, so four cache misses are in flight instead of
// one at a time along a chain of swaps. A swapped-back value is not looked at
// until the next round over the buckets, and each round places at least one
// value per unfinished bucket. (A slot taken for bucket b itself lies at or
// before the value being moved, never among the four.)
void permuteInPlace(Key* keys, Digit digit, const InPlaceCounts& count) {
  InPlaceCounts head;
  InPlaceCounts tail;
  const std::size_t buckets = digit.buckets();
  std::size_t offset = 0;
  for (std::size_t b = 0; b < buckets; ++b) {
    head[b] = offset;
    offset += count[b];
    tail[b] = offset;
  }
  for (bool unfinished = true; unfinished;) {
    unfinished = false;
    for (std::size_t b = 0; b < buckets; ++b) {
      std::size_t i = head[b];
      const std::size_t end = tail[b];
      for (; i + 4 <= end; i += 4) {
        const std::size_t t0 = digit.of(keys[i]);
        const std::size_t t1 = digit.of(keys[i + 1]);
        const std::size_t t2 = digit.of(keys[i + 2]);
        const std::size_t t3 = digit.of(keys[i + 3]);
        std::swap(keys[i], keys[head[t0]++]);
        std::swap(keys[i + 1], keys[head[t1]++]);
        std::swap(keys[i + 2], keys[head[t2]++]);
        std::swap(keys[i + 3], keys[head[t3]++]);
      }
      for (; i < end; ++i) std::swap(keys[i], keys[head[digit.of(keys[i])]++]);
      if (head[b] < end) unfinished = true;
    }
  }
}

// Sorts the n values at `keys` in place, with `scratch` as room for any
// range that fits it.
void sortInPlace(Key* keys, std::size_t n, unsigned bitsLeft, std::span<Key> scratch) {
  InPlaceCounts count;
  Digit digit{};
  do {
    if (n <= scratch.size() && n <= kMaxRangeBetween) {
      sortBetween(keys, scratch.data(), n, bitsLeft, /*endThere=*/false);
      return;
    }
    if (n <= kInPlaceComparisonRange || bitsLeft == 0) {
      std::sort(keys, keys + n);
      return;
    }
    digit = nextDigit(bitsLeft, kInPlaceDigitBits);
    bitsLeft = digit.shift;
  } while (countDigits(keys, n, digit, std::span<std::size_t>(count)));  // all in one bucket: next digit

  permuteInPlace(keys, digit, count);
  std::size_t begin = 0;
  for (std::size_t b = 0; b < digit.buckets(); ++b) {
    if (count[b] > 1) sortInPlace(keys + begin, count[b], bitsLeft, scratch);
    begin += count[b];
  }
}

}  // namespace

void sortNumbers(std::span<std::int64_t> values, std::span<std::int64_t> scratch) {
  const std::size_t n = values.size();
  if (n < 2) return;
  // The bits in which the values differ at all; the sort starts below the
  // ones they share.
  std::uint64_t differing = 0;
  const auto first = static_cast<std::uint64_t>(values[0]);
  for (const Key value : values) differing |= static_cast<std::uint64_t>(value) ^ first;
  if (differing == 0) return;
  sortInPlace(values.data(), n, static_cast<unsigned>(std::bit_width(differing)), scratch);
}

void sortNumbers(std::span<std::int64_t> values) { sortNumbers(values, {}); }

}  // namespace tavelin
