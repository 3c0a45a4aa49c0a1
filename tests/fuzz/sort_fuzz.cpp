// Fuzz target: the in-memory sort of a number file's bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "number_file.h"
#include "numbers.h"
#include "sort_numbers.h"
#include "text.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = tavelin::bytesToText(std::string_view(reinterpret_cast<const char*>(data), size));
  tavelin::NumberList values;
  values.reserve(tavelin::lineCountBound(text));
  tavelin::appendLineValues(text, values);

  std::size_t nonEmptyLines = 0;
  for (const auto line : tavelin::splitLines(text)) nonEmptyLines += tavelin::isEmptyLine(line) ? 0 : 1;
  require(values.size() == nonEmptyLines);

  auto reference = values;
  std::sort(reference.begin(), reference.end());
  tavelin::sortNumbers(values);
  require(values == reference);  // ascending, and a permutation of what was read

  std::string out(tavelin::numberLinesSize(values), '\0');
  require(tavelin::writeNumberLines(values, out.data()) == out.data() + out.size());
  std::string expected;
  for (const std::int64_t v : values) expected += tavelin::formatInt64(v) + "\r\n";
  require(out == expected);
  return 0;
}
