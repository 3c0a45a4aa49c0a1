#pragma once
// The benchmark's inputs: number files made from fixed seeds, so every run
// and every machine measures the same bytes.

#include <cstdint>
#include <random>
#include <string>

namespace tavelin::bench {

enum class Values { Random, Small };

// `count` lines, each a value and CR LF: uniformly random int64 values
// (about 20 bytes a line), or values in 0..999999.
inline std::string numberText(std::size_t count, Values kind, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::string text;
  text.reserve(count * (kind == Values::Random ? 22 : 9));
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t r = random();
    const auto value = kind == Values::Random ? static_cast<std::int64_t>(r) : static_cast<std::int64_t>(r % 1000000);
    text += std::to_string(value);
    text += "\r\n";
  }
  return text;
}

}  // namespace tavelin::bench
