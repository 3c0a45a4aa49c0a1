#include "sort_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <functional>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

#include "byte_notation.h"
#include "file_faults.h"
#include "file_holder.h"
#include "scratch_folder.h"
#include "sort_texts.h"
#include "sparse_file.h"

namespace tavelin {
namespace {

using testing::bytes;
using testing::FileHolder;
using testing::Hold;
using testing::ScratchFolder;
using testing::shown;

struct Shown {
  std::string text;
  std::string caption;
  std::uint32_t style;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& notice) {
  return out << shown(notice.text) << " / " << shown(notice.caption) << " / " << notice.style;
}

// The notices a run of SortCommand shows, in order.
std::vector<Shown> noticesOf(std::string_view path) {
  std::vector<Shown> notices;
  SortCommand(path, [&notices](const Notice& notice) {
    notices.push_back({std::string(notice.text), std::string(notice.caption), notice.style});
  });
  return notices;
}

const Shown kDone{std::string(texts::kSortDone), std::string(texts::kHint), kNoticePlain};
const Shown kChoose{std::string(texts::kChooseAFile), std::string(texts::kHint), kNoticePlain};
const Shown kCannotRead{std::string(texts::kCannotRead), std::string(texts::kError), kNoticeError};
const Shown kNotText{std::string(texts::kNotText), std::string(texts::kError), kNoticeError};
const Shown kCannotWrite{std::string(texts::kCannotWrite), std::string(texts::kError), kNoticeError};

const std::string kOriginal = bytes("3 CR LF 1 CR LF 2");

TEST(SortCommand, RewritesTheValuesInOrder) {
  struct Case {
    const char* file;
    const char* sorted;
  };
  const Case cases[] = {
      {"3 CR LF 1 CR LF 2", "1 CR LF 2 CR LF 3 CR LF"},
      {"5 CR LF CR LF CR LF 4", "4 CR LF 5 CR LF"},             // empty lines vanish
      {"2 CR LF 1 CR LF 2 CR LF", "1 CR LF 2 CR LF 2 CR LF"},   // duplicates stay
      {"10 CR LF -3 CR LF 0", "-3 CR LF 0 CR LF 10 CR LF"},     // numeric, signed
      {"+7 CR LF 007", "7 CR LF 7 CR LF"},                      // rewritten, not copied
      {"abc", "0 CR LF"},                                       // no number is 0
      {"SP SP CR LF 1", "0 CR LF 1 CR LF"},                     // spaces are not empty
      {"3 LF 1 LF 2 LF", "1 CR LF 2 CR LF 3 CR LF"},            // LF alone ends a line too
      {"0xA3 0xB2 CR LF 0xA3 0xAD 0xA3 0xB1", "-1 CR LF 2 CR LF"},  // full-width forms
      {"9223372036854775807 CR LF -9223372036854775808 CR LF 18446744073709551615",
       "-9223372036854775808 CR LF -1 CR LF 9223372036854775807 CR LF"},
      {"", ""},                                                 // empty stays empty
      {"CR LF CR LF", ""},
      // A UTF-8 byte-order mark at the start is no part of the first line.
      {"0xEF 0xBB 0xBF 3 CR LF 1", "1 CR LF 3 CR LF"},
      {"0xEF 0xBB 0xBF", ""},
      {"2 CR LF 0xEF 0xBB 0xBF 1", "0 CR LF 2 CR LF"},          // elsewhere it is text
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.write("numbers.txt", bytes(c.file));
    EXPECT_EQ(noticesOf(folder.path("numbers.txt")), std::vector<Shown>{kDone}) << c.file;
    EXPECT_EQ(shown(folder.read("numbers.txt")), shown(bytes(c.sorted))) << c.file;
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"numbers.txt"}) << c.file;
  }
}

// The sort borrows the file's buffer as room for the values: a file of long
// lines lends room for all of them, one of short lines for only some.
TEST(SortCommand, SortsLargeFilesOfLongAndOfShortLines) {
  struct Case {
    const char* name;
    std::function<std::int64_t(std::mt19937_64&)> value;
  };
  const Case cases[] = {
      {"long lines", [](std::mt19937_64& r) { return static_cast<std::int64_t>(r()); }},
      {"short lines", [](std::mt19937_64& r) { return static_cast<std::int64_t>(r() % 1000); }},
  };
  std::mt19937_64 random(11);
  for (const auto& c : cases) {
    std::vector<std::int64_t> values(300000);
    std::string file;
    for (auto& v : values) {
      v = c.value(random);
      file += std::to_string(v) + "\r\n";
    }
    std::sort(values.begin(), values.end());
    std::string sorted;
    for (const auto v : values) sorted += std::to_string(v) + "\r\n";

    ScratchFolder folder;
    folder.write("numbers.txt", file);
    EXPECT_EQ(noticesOf(folder.path("numbers.txt")), std::vector<Shown>{kDone}) << c.name;
    EXPECT_TRUE(folder.read("numbers.txt") == sorted) << c.name;
  }
}

// After each failure: the one notice that says so, the file as it was, and
// nothing new in the folder.
TEST(SortCommand, LeavesTheFileAsItWasWhenItCannotSort) {
  struct Case {
    const char* what;
    std::function<std::string(const ScratchFolder&)> path;  // sets the case up
    Shown notice;
  };
  const Case cases[] = {
      {"empty path", [](const ScratchFolder&) { return std::string(); }, kChoose},
      {"missing file", [](const ScratchFolder& f) { return f.path("missing.txt"); }, kCannotRead},
      {"missing folder", [](const ScratchFolder& f) { return f.path("missing") + "/a.txt"; }, kCannotRead},
      {"a folder",
       [](const ScratchFolder& f) {
         f.makeFolder("sub");
         return f.path("sub");
       },
       kCannotRead},
      {"a NUL byte",
       [](const ScratchFolder& f) {
         f.write("numbers.txt", bytes("2 CR LF 1 NUL 3"));
         return f.path("numbers.txt");
       },
       kNotText},
      {"UTF-16",
       [](const ScratchFolder& f) {
         f.write("numbers.txt", bytes("0xFF 0xFE 2 NUL CR NUL LF NUL 1 NUL"));
         return f.path("numbers.txt");
       },
       kNotText},
      {"read-only",
       [](const ScratchFolder& f) {
         f.makeReadOnly("numbers.txt");
         return f.path("numbers.txt");
       },
       kCannotWrite},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.write("numbers.txt", kOriginal);
    const std::string path = c.path(folder);
    const auto before = folder.entries();
    const std::string content = folder.read("numbers.txt");
    EXPECT_EQ(noticesOf(path), std::vector<Shown>{c.notice}) << c.what;
    EXPECT_EQ(folder.read("numbers.txt"), content) << c.what;
    EXPECT_EQ(folder.entries(), before) << c.what;
  }
}

TEST(SortCommand, LeavesAFileAnotherProgramHolds) {
  struct Case {
    Hold hold;
    Shown notice;
  };
  const Case cases[] = {
      {Hold::Reading, kCannotWrite},
      {Hold::ReadingSharingDelete, kCannotWrite},
      {Hold::Writing, kCannotRead},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.write("numbers.txt", kOriginal);
    const FileHolder holder(folder.path("numbers.txt"), c.hold);
    EXPECT_EQ(noticesOf(folder.path("numbers.txt")), std::vector<Shown>{c.notice}) << static_cast<int>(c.hold);
    EXPECT_EQ(folder.read("numbers.txt"), kOriginal) << static_cast<int>(c.hold);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"numbers.txt"}) << static_cast<int>(c.hold);
  }
}

TEST(SortCommand, LeavesTheFileAsItWasOnAFaultOfTheSystem) {
  struct Case {
    const char* what;
    FileFaults faults;
    SortResult result;
  };
  const Case cases[] = {
      {"read request fails", FileFaults::failAt({FileStep::ReadRequest}), {SortOutcome::ReadFailed, FileStatus::ReadError}},
      {"close after reading fails",
       FileFaults::failAt({FileStep::CloseAfterReading}),
       {SortOutcome::ReadFailed, FileStatus::ReadError}},
      {"full disk", FileFaults::diskRoom(3), {SortOutcome::WriteFailed, FileStatus::DiskFull}},
      {"flush fails", FileFaults::failAt({FileStep::Flush}), {SortOutcome::WriteFailed, FileStatus::WriteError}},
      {"replace fails", FileFaults::failAt({FileStep::Replace}), {SortOutcome::WriteFailed, FileStatus::WriteError}},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.write("numbers.txt", kOriginal);
    const ScopedFileFaults faults(c.faults);
    const SortResult result = sortNumberFileWithReason(folder.path("numbers.txt"));
    EXPECT_EQ(result.outcome, c.result.outcome) << c.what;
    EXPECT_EQ(result.fileStatus, c.result.fileStatus) << c.what;
    EXPECT_EQ(folder.read("numbers.txt"), kOriginal) << c.what;
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"numbers.txt"}) << c.what;
  }
}

TEST(SortCommand, SortsWhatIsLeftWhenTheFileShrinksWhileRead) {
  ScratchFolder folder;
  folder.write("numbers.txt", bytes("30 CR LF 10 CR LF 20"));
  const ScopedFileFaults faults(FileFaults::shrinksTo(8));
  EXPECT_EQ(noticesOf(folder.path("numbers.txt")), std::vector<Shown>{kDone});
  EXPECT_EQ(folder.read("numbers.txt"), bytes("10 CR LF 30 CR LF"));
}

// A file too large for the address space ends in the read-failure notice
// when its size does not even fit a size_t, else in OutOfMemory naming the
// contents, whose allocation fails for real; never in a crash or a changed
// file. The files are sparse on a tmpfs, so they take no room.
TEST(SortCommand, RefusesAFileTooLargeForTheAddressSpace) {
  constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
  std::vector<std::uint64_t> sizes = {std::uint64_t{1} << 50};
  if (sizeof(void*) < 8) sizes.insert(sizes.end(), {3 * kGiB, 5 * kGiB});
  for (const std::uint64_t size : sizes) {
#ifdef _WIN32
    std::string path = "Z:\\dev\\shm\\tavelin-huge-";
#else
    std::string path = "/dev/shm/tavelin-huge-";
#endif
    path += std::to_string(std::random_device{}()) + ".txt";
    if (!testing::makeSparseFile(path, size)) GTEST_SKIP() << "no tmpfs for a sparse file";

    std::vector<Shown> notices;
    try {
      SortCommand(path, [&notices](const Notice& notice) {
        notices.push_back({std::string(notice.text), std::string(notice.caption), notice.style});
      });
      EXPECT_GT(size, std::numeric_limits<std::size_t>::max()) << size << ": no OutOfMemory";
      EXPECT_EQ(notices, std::vector<Shown>{kCannotRead}) << size;
    } catch (const OutOfMemory& failure) {
      EXPECT_LE(size, std::numeric_limits<std::size_t>::max()) << size;
      EXPECT_EQ(failure.which(), Allocation::FileContents) << size;
      EXPECT_EQ(failure.bytes(), size) << size;
      EXPECT_TRUE(notices.empty()) << size;
    }
    EXPECT_EQ(std::filesystem::file_size(path), size);
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
}

}  // namespace
}  // namespace tavelin
