// Fuzz target: a file's bytes to text, lines and values.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "number_file.h"
#include "numbers.h"
#include "text.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

bool isBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view text = tavelin::bytesToText(bytes);
  require(text == bytes.substr(0, text.size()) && text.find('\0') == std::string_view::npos);
  require(text.size() == bytes.size() || bytes[text.size()] == '\0');

  // The lines and their breaks tile the text exactly.
  const auto lines = tavelin::splitLines(text);
  std::size_t at = 0;
  std::vector<std::int64_t> expected;
  for (const auto line : lines) {
    require(line.data() == text.data() + at);
    at += line.size();
    require(at == text.size() || isBreak(text[at]));
    if (at < text.size()) at += (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ? 2 : 1;
    if (!tavelin::isEmptyLine(line)) expected.push_back(tavelin::parseInt64(line));
  }
  require(at == text.size());

  // The whole-file reader gives what line-by-line reading gives.
  tavelin::NumberList values;
  values.reserve(tavelin::lineCountBound(text));
  tavelin::appendLineValues(text, values);
  require(std::equal(values.begin(), values.end(), expected.begin(), expected.end()));

  for (const std::int64_t v : values) {
    const auto formatted = tavelin::formatInt64(v);
    require(formatted.size() == tavelin::formattedLength(v));
    require(tavelin::parseInt64(formatted) == v);
  }
  return 0;
}
