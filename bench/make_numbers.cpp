// Writes the benchmark's input files from fixed seeds:
//   make_numbers FILE COUNT random|small SEED
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "number_text.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: make_numbers FILE COUNT random|small SEED\n");
    return 2;
  }
  const auto count = std::strtoull(argv[2], nullptr, 10);
  const auto kind = std::strcmp(argv[3], "small") == 0 ? tavelin::bench::Values::Small : tavelin::bench::Values::Random;
  const std::string text = tavelin::bench::numberText(count, kind, std::strtoull(argv[4], nullptr, 10));
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fclose(out) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
