#include "scratch_folder.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>

namespace tavelin::testing {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// Content goes through stdio, which takes the byte path as the system's
// ANSI calls do (std::filesystem would read it as UTF-8 under MinGW).
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File open(const std::string& path, const char* mode) { return File(std::fopen(path.c_str(), mode), &std::fclose); }

}  // namespace

ScratchFolder::ScratchFolder() {
  static std::atomic<unsigned> count{0};
  const fs::path base = fs::temp_directory_path() / "tavelin-tests";
  fs::create_directories(base);
  for (;;) {
    const fs::path candidate =
        base / (std::to_string(std::random_device{}()) + "-" + std::to_string(count++));
    if (fs::create_directory(candidate)) {
      folder_ = candidate.string();
      return;
    }
  }
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  try {
    // Read-only files cannot be removed on Windows.
    for (const auto& entry : fs::recursive_directory_iterator(folder_, ignored)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  } catch (const fs::filesystem_error&) {
    // Left for remove_all to try.
  }
  fs::remove_all(folder_, ignored);
}

std::string ScratchFolder::path(std::string_view name) const {
  std::string result = folder_;
  result += kSeparator;
  result += name;
  return result;
}

void ScratchFolder::write(std::string_view name, std::string_view bytes) const {
  const File file = open(path(name), "wb");
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    throw std::runtime_error("cannot write the fixture " + std::string(name));
  }
}

std::string ScratchFolder::read(std::string_view name) const {
  const File file = open(path(name), "rb");
  if (!file) return "<missing>";
  std::string content;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) content.append(chunk, got);
  return content;
}

bool ScratchFolder::exists(std::string_view name) const { return static_cast<bool>(open(path(name), "rb")); }

void ScratchFolder::makeFolder(std::string_view name) const { fs::create_directory(path(name)); }

void ScratchFolder::makeReadOnly(std::string_view name) const {
  fs::permissions(path(name), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

std::vector<std::string> ScratchFolder::entries() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder_)) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tavelin::testing
