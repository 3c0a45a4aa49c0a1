#pragma once
// Numbers of a number file: the full-width fold, lenient parsing and decimal
// formatting.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavelin {

// `text` with GBK's full-width forms folded to ASCII: A3 A1..A3 FE become
// 0x21..0x7E (digits, signs, punctuation), A1 A1 a space, A1 AB a tilde,
// A1 EE and A1 EF an asterisk. Other two-byte characters are copied; a lead
// byte in the last position, having no partner, is dropped.
std::string foldFullWidth(std::string_view text);

// The leading decimal integer of a line, read leniently and never failing.
// After the fold: skips white space (TAB LF VT FF CR SP), reads at most one
// sign, then digits, with arithmetic modulo 2^64; stops at the first other
// byte. No digits give 0. Does not allocate.
std::int64_t parseInt64(std::string_view line);

// Longest text formatInt64 makes: a minus sign and 19 digits.
inline constexpr std::size_t kMaxInt64Length = 20;

// Number of bytes formatInt64 makes of `value` (1 to 20).
std::size_t formattedLength(std::int64_t value);

// Writes the decimal text of `value` at `out`, exactly formattedLength(value)
// bytes with no terminator, and returns the end of what was written.
char* writeInt64(std::int64_t value, char* out);

// The decimal text of `value`: a minus sign for negatives, no plus sign, no
// leading zeros, no grouping. INT64_MIN gives all 19 digits.
std::string formatInt64(std::int64_t value);

}  // namespace tavelin
