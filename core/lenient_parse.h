#pragma once
// The one reading of a number shared by parseInt64 and the number-file
// parser, so the two cannot drift apart. Internal to the core.

#include <cstdint>

namespace tavelin::detail {

inline bool isBlank(unsigned char c, bool lineBreaksAreBlank) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' ||
         (lineBreaksAreBlank && (c == '\r' || c == '\n'));
}

// Reads the leading number at `p` as parseInt64 does, folding full-width
// forms on the fly instead of building the folded text. Stops at a character
// boundary and returns it; `value` receives the number.
//
// `lineBreaksAreBlank` is true for a single line (where CR and LF are white
// space) and false inside a whole file, where a CR or LF at a character
// boundary ends the line and must not be stepped over.
inline const char* readLeadingNumber(const char* p, const char* end, bool lineBreaksAreBlank,
                                     std::int64_t& value) {
  auto byteAt = [](const char* q) { return static_cast<unsigned char>(*q); };
  // A two-byte full-width form: lead byte `lead`, trail byte in [lo, hi].
  auto isWide = [&](const char* q, unsigned char lead, unsigned char lo, unsigned char hi) {
    // Bounds first: the sign test reaches here with `q` at the end.
    return q + 1 < end && byteAt(q) == lead && byteAt(q + 1) >= lo && byteAt(q + 1) <= hi;
  };

  while (p < end) {
    if (isBlank(byteAt(p), lineBreaksAreBlank)) {
      ++p;
    } else if (isWide(p, 0xA1, 0xA1, 0xA1)) {  // ideographic space
      p += 2;
    } else {
      break;
    }
  }

  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
  } else if (isWide(p, 0xA3, 0xAB, 0xAB) || isWide(p, 0xA3, 0xAD, 0xAD)) {  // full-width + and -
    negative = byteAt(p + 1) == 0xAD;
    p += 2;
  }

  std::uint64_t magnitude = 0;  // unsigned: overflow wraps modulo 2^64 by definition
  while (p < end) {
    unsigned digit;
    if (static_cast<unsigned>(byteAt(p)) - '0' <= 9u) {
      digit = byteAt(p) - '0';
      ++p;
    } else if (isWide(p, 0xA3, 0xB0, 0xB9)) {  // full-width 0..9
      digit = byteAt(p + 1) - 0xB0u;
      p += 2;
    } else {
      break;
    }
    magnitude = magnitude * 10 + digit;
  }
  if (negative) magnitude = 0 - magnitude;
  value = static_cast<std::int64_t>(magnitude);
  return p;
}

}  // namespace tavelin::detail
