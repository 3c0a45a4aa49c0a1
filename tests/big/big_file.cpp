// Makes and checks the big number file of make test-big, at disk speed.
//   big_file make FILE COUNT SEED   writes COUNT values, prints their summary
//   big_file check FILE             checks a sorted file, prints its summary
// The summary is "count sum xor mixed": the values' count, their sum and xor
// (both modulo 2^64) and the sum of a mixing function of each, which
// together tell a permutation from a file that lost, gained or changed a
// value. check fails unless every line is a value in the sorter's own form
// (no sign but a minus, no leading zero, CR LF after it) and the values
// ascend.
#include <charconv>
#include <system_error>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Summary {
  std::uint64_t count = 0, sum = 0, bits = 0, mixed = 0;

  void add(std::int64_t value) {
    const auto v = static_cast<std::uint64_t>(value);
    ++count;
    sum += v;
    bits ^= v;
    mixed += mix(v);
  }

  static std::uint64_t mix(std::uint64_t v) {
    v = (v ^ (v >> 30)) * 0xBF58476D1CE4E5B9u;
    v = (v ^ (v >> 27)) * 0x94D049BB133111EBu;
    return v ^ (v >> 31);
  }

  void print() const {
    std::printf("%llu %llu %llu %llu\n", static_cast<unsigned long long>(count), static_cast<unsigned long long>(sum),
                static_cast<unsigned long long>(bits), static_cast<unsigned long long>(mixed));
  }
};

std::uint64_t next(std::uint64_t& state) {
  state += 0x9E3779B97F4A7C15u;
  return Summary::mix(state);
}

struct FileCloser {
  void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Mostly values spread over the whole range; one in eight small, so there
// are duplicates; now and then a plus sign, leading zeros or an empty line,
// which the sorter drops.
int make(const char* path, std::uint64_t count, std::uint64_t seed) {
  File out(std::fopen(path, "wb"));
  if (!out) {
    std::perror(path);
    return 1;
  }
  std::vector<char> block(std::size_t{1} << 20);
  std::size_t used = 0;
  Summary summary;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (block.size() - used < 64) {
      if (std::fwrite(block.data(), 1, used, out.get()) != used) {
        std::perror(path);
        return 1;
      }
      used = 0;
    }
    const std::uint64_t r = next(seed);
    const std::int64_t value = (r & 7) == 0 ? static_cast<std::int64_t>(r >> 54) : static_cast<std::int64_t>(r);
    char* at = block.data() + used;
    if (i % 1009 == 0 && value >= 0) *at++ = '+';
    if (i % 1013 == 0 && value >= 0) at = std::strcpy(at, "000") + 3;
    at = std::to_chars(at, at + 24, value).ptr;
    at = std::strcpy(at, i % 997 == 0 ? "\r\n\r\n" : "\r\n") + (i % 997 == 0 ? 4 : 2);
    used = static_cast<std::size_t>(at - block.data());
    summary.add(value);
  }
  if (std::fwrite(block.data(), 1, used, out.get()) != used || std::fclose(out.release()) != 0) {
    std::perror(path);
    return 1;
  }
  summary.print();
  return 0;
}

// One line in the sorter's form from `at`, its value in `value`; the end of
// the line's CR LF, or nullptr when the line is not in that form.
const char* canonicalLine(const char* at, const char* end, std::int64_t& value) {
  const bool negative = at < end && *at == '-';
  const char* digits = at + negative;
  const char* stop = digits;
  while (stop < end && *stop >= '0' && *stop <= '9') ++stop;
  const std::size_t n = static_cast<std::size_t>(stop - digits);
  if (n == 0 || n > 19 || (digits[0] == '0' && (n > 1 || negative))) return nullptr;
  if (end - stop < 2 || stop[0] != '\r' || stop[1] != '\n') return nullptr;
  const auto [parsed, error] = std::from_chars(at, stop, value);
  if (error != std::errc() || parsed != stop) return nullptr;  // out of range
  return stop + 2;
}

int check(const char* path) {
  File in(std::fopen(path, "rb"));
  if (!in) {
    std::perror(path);
    return 1;
  }
  // Read in blocks; a line cut by the block's end moves to the front.
  std::vector<char> block(std::size_t{1} << 24);
  std::size_t kept = 0;
  Summary summary;
  std::int64_t previous = INT64_MIN;
  std::uint64_t line = 0;
  for (;;) {
    const std::size_t got = std::fread(block.data() + kept, 1, block.size() - kept, in.get());
    const bool last = got == 0;
    const char* at = block.data();
    const char* end = block.data() + kept + got;
    while (at < end) {
      const char* cut = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
      if (cut == nullptr && !last) break;
      std::int64_t value = 0;
      const char* after = canonicalLine(at, end, value);
      ++line;
      if (cut == nullptr || after != cut + 1) {
        std::fprintf(stderr, "big_file: %s: line %llu is not a value ended by CR LF\n", path,
                     static_cast<unsigned long long>(line));
        return 1;
      }
      if (value < previous) {
        std::fprintf(stderr, "big_file: %s: line %llu is smaller than the one before\n", path,
                     static_cast<unsigned long long>(line));
        return 1;
      }
      previous = value;
      summary.add(value);
      at = after;
    }
    kept = static_cast<std::size_t>(end - at);
    if (last) break;
    std::memmove(block.data(), at, kept);
  }
  if (std::ferror(in.get())) {
    std::perror(path);
    return 1;
  }
  summary.print();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "make") == 0) {
    return make(argv[2], std::strtoull(argv[3], nullptr, 10), std::strtoull(argv[4], nullptr, 10));
  }
  if (argc == 3 && std::strcmp(argv[1], "check") == 0) return check(argv[2]);
  std::fprintf(stderr, "usage: big_file make FILE COUNT SEED | big_file check FILE\n");
  return 2;
}
