#pragma once
// A number file as a whole: its text to values, and values to the bytes of
// the rewritten file. Equivalent to splitting into lines and reading each
// non-empty line with parseInt64, without building the lines.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "number_list.h"

namespace tavelin {

// At least the number of lines forEachLine finds in `text`, so the values
// can be reserved once: one more than the count of LF bytes and of CR bytes
// that no LF follows (every line break ends in one of those). For ordinary
// text that is the line count, or one more when the text ends in a break.
std::size_t lineCountBound(std::string_view text);

// Appends parseInt64 of every non-empty line of `text` to `values`, in line
// order; empty lines give nothing.
void appendLineValues(std::string_view text, NumberList& values);

// Exact size of the rewritten file: each value's decimal text and CR LF.
std::size_t numberLinesSize(std::span<const std::int64_t> values);

// Writes each value's decimal text followed by CR LF at `out`, in order, and
// returns the end: exactly numberLinesSize(values) bytes.
char* writeNumberLines(std::span<const std::int64_t> values, char* out);

}  // namespace tavelin
