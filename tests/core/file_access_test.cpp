#include "file_access.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "byte_notation.h"
#include "file_faults.h"
#include "file_holder.h"
#include "scratch_folder.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX  // the C++ library may have set it already
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavelin {
namespace {

using testing::bytes;
using testing::FileHolder;
using testing::Hold;
using testing::ScratchFolder;
using testing::shown;

const std::string kOriginal = bytes("3 CR LF 1 CR LF 2");

#ifdef _WIN32
constexpr const char* kDevice = "NUL";
#else
constexpr const char* kDevice = "/dev/null";
#endif

// --- reading -----------------------------------------------------------------

TEST(ReadWholeFile, GivesEveryByteOfAFile) {
  const std::string contents[] = {
      "",  // an existing empty file is read, not refused
      bytes("1 CR LF 2"),
      bytes("12 NUL 34 NUL"),
      bytes("0xFF 0xFE 1 NUL CR NUL LF NUL"),
      std::string(100000, '7'),
  };
  for (const auto& content : contents) {
    ScratchFolder folder;
    folder.write("a.txt", content);
    const ReadResult result = readWholeFile(folder.path("a.txt"));
    EXPECT_EQ(result.status, FileStatus::Ok) << shown(content.substr(0, 20));
    EXPECT_EQ(result.bytes.view(), content) << shown(content.substr(0, 20));
  }
}

// The buffer may be the system's view of the file rather than a copy; it is
// still the reader's own: what is written into it never reaches the file,
// and once it is gone the file can be rewritten.
TEST(ReadWholeFile, GivesABufferOfItsOwn) {
  ScratchFolder folder;
  const std::string content(3 << 20, '5');
  folder.write("a.txt", content);
  {
    ReadResult result = readWholeFile(folder.path("a.txt"));
    ASSERT_EQ(result.status, FileStatus::Ok);
    ASSERT_EQ(result.bytes.capacity(), content.size());
    std::fill_n(result.bytes.data(), result.bytes.capacity(), 'x');
    EXPECT_TRUE(readWholeFile(folder.path("a.txt")).bytes.view() == content);
#ifdef _WIN32
    // A view keeps the file open as the read did: writers stay out.
    EXPECT_EQ(writeWholeFile(folder.path("a.txt"), {"2"}), FileStatus::InUse);
#endif
  }
  EXPECT_TRUE(folder.read("a.txt") == content);
  EXPECT_EQ(writeWholeFile(folder.path("a.txt"), {"1"}), FileStatus::Ok);
  EXPECT_EQ(folder.read("a.txt"), "1");
}

TEST(ReadWholeFile, SaysWhyAFileCannotBeRead) {
  struct Case {
    const char* what;
    std::function<std::string(const ScratchFolder&)> path;
    FileStatus status;
  };
  const Case cases[] = {
      {"empty path", [](const ScratchFolder&) { return std::string(); }, FileStatus::EmptyPath},
      {"missing file", [](const ScratchFolder& f) { return f.path("missing.txt"); }, FileStatus::NotFound},
      {"missing folder", [](const ScratchFolder& f) { return f.path("missing") + "/a.txt"; }, FileStatus::NotFound},
      {"a folder",
       [](const ScratchFolder& f) {
         f.makeFolder("sub");
         return f.path("sub");
       },
       FileStatus::NotAFile},
      {"a device", [](const ScratchFolder&) { return std::string(kDevice); }, FileStatus::NotAFile},
      {"a NUL inside the path",
       [](const ScratchFolder& f) {
         f.write("a.txt", kOriginal);
         return f.path("a.txt") + std::string(1, '\0') + "x";
       },
       FileStatus::NotFound},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    const std::string path = c.path(folder);
    const auto before = folder.entries();
    const ReadResult result = readWholeFile(path);
    EXPECT_EQ(result.status, c.status) << c.what;
    EXPECT_TRUE(result.bytes.empty()) << c.what;
    EXPECT_EQ(folder.entries(), before) << c.what;
  }
}

TEST(ReadWholeFile, IsKeptOutByAProgramWritingTheFile) {
  ScratchFolder folder;
  folder.write("a.txt", kOriginal);
  const FileHolder holder(folder.path("a.txt"), Hold::Writing);
  EXPECT_EQ(readWholeFile(folder.path("a.txt")).status, FileStatus::InUse);
}

TEST(ReadWholeFile, ReadsAlongsideAnotherReader) {
  ScratchFolder folder;
  folder.write("a.txt", kOriginal);
  const FileHolder holder(folder.path("a.txt"), Hold::Reading);
  EXPECT_EQ(readWholeFile(folder.path("a.txt")).bytes.view(), kOriginal);
}

// Failures the system cannot be made to show, through the stand-in.
TEST(ReadWholeFile, MeetsFaultsOfTheSystem) {
  struct Case {
    const char* what;
    FileFaults faults;
    FileStatus status;
    std::string bytes;
  };
  const std::string content = bytes("10 CR LF 20 CR LF 30");
  const Case cases[] = {
      {"open fails", FileFaults::failAt({FileStep::OpenForReading}), FileStatus::ReadError, ""},
      {"size cannot be taken", FileFaults::failAt({FileStep::TakeSize}), FileStatus::ReadError, ""},
      {"read request fails", FileFaults::failAt({FileStep::ReadRequest}), FileStatus::ReadError, ""},
      {"close fails", FileFaults::failAt({FileStep::CloseAfterReading}), FileStatus::ReadError, ""},
      {"short reads are read on", FileFaults::shortReads(3), FileStatus::Ok, content},
      {"the file shrank", FileFaults::shrinksTo(5), FileStatus::Ok, content.substr(0, 5)},
      {"the file shrank to nothing", FileFaults::shrinksTo(0), FileStatus::Ok, ""},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.write("a.txt", content);
    const ScopedFileFaults faults(c.faults);
    const ReadResult result = readWholeFile(folder.path("a.txt"));
    EXPECT_EQ(result.status, c.status) << c.what;
    EXPECT_EQ(result.bytes.view(), c.bytes) << c.what;
  }
}

// Sizes are 64-bit: a file of 2 GiB and more is read whole. The file is
// sparse, so only the reading costs time (and 2 GiB of memory).
TEST(ReadWholeFile, ReadsAFileOf2GiBAndMore) {
  ScratchFolder folder;
  const std::uint64_t hole = std::uint64_t{1} << 31;
  {
    std::ofstream out(folder.path("big.txt"), std::ios::binary);
    out.seekp(static_cast<std::streamoff>(hole));
    out << "7\r\n";
    ASSERT_TRUE(out.good());
  }
  ReadResult result;
  try {
    result = readWholeFile(folder.path("big.txt"));
  } catch (const OutOfMemory&) {
    GTEST_SKIP() << "this machine cannot hold 2 GiB";
  }
  ASSERT_EQ(result.status, FileStatus::Ok);
  ASSERT_EQ(result.bytes.size(), hole + 3);
  EXPECT_EQ(result.bytes.view().substr(hole - 1), bytes("NUL 7 CR LF"));
}

// --- writing -----------------------------------------------------------------

TEST(WriteWholeFile, WritesTheBuffersBackToBack) {
  struct Case {
    std::vector<std::string_view> buffers;
    std::string content;
  };
  const Case cases[] = {
      {{}, ""},
      {{"", ""}, ""},
      {{"1\r\n"}, "1\r\n"},
      {{"12", "", "34", ""}, "1234"},
      {{"", "a", "b"}, "ab"},
  };
  for (const bool existing : {false, true}) {
    for (const auto& c : cases) {
      ScratchFolder folder;
      if (existing) folder.write("a.txt", kOriginal);
      EXPECT_EQ(writeWholeFile(folder.path("a.txt"), c.buffers), FileStatus::Ok) << c.content;
      EXPECT_EQ(folder.read("a.txt"), c.content) << (existing ? "over a file: " : "new file: ") << c.content;
      EXPECT_EQ(folder.entries(), std::vector<std::string>{"a.txt"}) << c.content;
    }
  }
}

TEST(WriteWholeFile, RefusesWhatItMayNotRewrite) {
  struct Case {
    const char* what;
    std::function<std::string(const ScratchFolder&)> path;
    FileStatus status;
  };
  const Case cases[] = {
      {"empty path", [](const ScratchFolder&) { return std::string(); }, FileStatus::EmptyPath},
      {"missing folder", [](const ScratchFolder& f) { return f.path("missing") + "/a.txt"; }, FileStatus::NotFound},
      {"a folder",
       [](const ScratchFolder& f) {
         f.makeFolder("sub");
         return f.path("sub");
       },
       FileStatus::NotAFile},
      {"a NUL inside the path",
       [](const ScratchFolder& f) { return f.path("a.txt") + std::string(1, '\0') + "x"; },
       FileStatus::NotFound},
      {"read-only",
       [](const ScratchFolder& f) {
         f.makeReadOnly("a.txt");
         return f.path("a.txt");
       },
       FileStatus::ReadOnly},
#ifndef _WIN32
      // Root may write it; the owner's bit still says keep.
      {"owner's write bit clear",
       [](const ScratchFolder& f) {
         ::chmod(f.path("a.txt").c_str(), 0466);
         return f.path("a.txt");
       },
       FileStatus::ReadOnly},
#endif
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.write("a.txt", kOriginal);
    const std::string path = c.path(folder);
    const auto before = folder.entries();
    EXPECT_EQ(writeWholeFile(path, {"1\r\n"}), c.status) << c.what;
    EXPECT_EQ(folder.read("a.txt"), kOriginal) << c.what;
    EXPECT_EQ(folder.entries(), before) << c.what;
  }
}

TEST(WriteWholeFile, RefusesAFileAnotherProgramHolds) {
  for (const Hold hold : {Hold::Reading, Hold::ReadingSharingDelete, Hold::Writing}) {
    ScratchFolder folder;
    folder.write("a.txt", kOriginal);
    const FileHolder holder(folder.path("a.txt"), hold);
    EXPECT_EQ(writeWholeFile(folder.path("a.txt"), {"1\r\n"}), FileStatus::InUse) << static_cast<int>(hold);
    EXPECT_EQ(folder.read("a.txt"), kOriginal) << static_cast<int>(hold);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"a.txt"}) << static_cast<int>(hold);
  }
}

// Failures the system cannot be made to show, through the stand-in. After
// each the original is as it was and the new file is gone.
TEST(WriteWholeFile, LeavesTheOriginalAsItWasOnAnyFault) {
  struct Case {
    const char* what;
    FileFaults faults;
    FileStatus status;
  };
  const Case cases[] = {
      {"another program holds it", FileFaults::failAt({FileStep::CheckNotHeld}), FileStatus::InUse},
      {"the folder refuses a new file", FileFaults::failAt({FileStep::CreateTemporary}), FileStatus::AccessDenied},
      {"a write request fails", FileFaults::failAt({FileStep::WriteRequest}), FileStatus::WriteError},
      {"a short write that reports success", FileFaults::diskRoom(4), FileStatus::DiskFull},
      {"no room at all", FileFaults::diskRoom(0), FileStatus::DiskFull},
      {"the flush fails", FileFaults::failAt({FileStep::Flush}), FileStatus::WriteError},
      {"the close fails", FileFaults::failAt({FileStep::CloseTemporary}), FileStatus::WriteError},
      {"the replace fails", FileFaults::failAt({FileStep::Replace}), FileStatus::WriteError},
#ifdef _WIN32
      {"the replace is unsupported and the move fails",
       FileFaults::failAt({FileStep::ReplaceUnsupported, FileStep::MoveInstead}),
       FileStatus::WriteError},
#endif
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.write("a.txt", kOriginal);
    const ScopedFileFaults faults(c.faults);
    EXPECT_EQ(writeWholeFile(folder.path("a.txt"), {"1\r\n2\r\n", "3\r\n"}), c.status) << c.what;
    EXPECT_EQ(folder.read("a.txt"), kOriginal) << c.what;
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"a.txt"}) << c.what;
  }
}

TEST(WriteWholeFile, CreatesNothingWhenANewFileCannotBeWritten) {
  ScratchFolder folder;
  const ScopedFileFaults faults(FileFaults::diskRoom(2));
  EXPECT_EQ(writeWholeFile(folder.path("new.txt"), {"1\r\n"}), FileStatus::DiskFull);
  EXPECT_TRUE(folder.entries().empty());
}

#ifdef _WIN32
// Where the file system cannot do ReplaceFileA, a move puts the new file in
// place, taking the original's attributes along.
TEST(WriteWholeFile, MovesWhereReplacingIsUnsupported) {
  ScratchFolder folder;
  folder.write("a.txt", kOriginal);
  SetFileAttributesA(folder.path("a.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const ScopedFileFaults faults(FileFaults::failAt({FileStep::ReplaceUnsupported}));
  EXPECT_EQ(writeWholeFile(folder.path("a.txt"), {"1\r\n"}), FileStatus::Ok);
  EXPECT_EQ(folder.read("a.txt"), "1\r\n");
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"a.txt"});
  EXPECT_NE(GetFileAttributesA(folder.path("a.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}
#else
TEST(WriteWholeFile, KeepsPermissionBits) {
  for (const mode_t mode : {0600, 0640, 0755, 0666}) {
    ScratchFolder folder;
    folder.write("a.txt", kOriginal);
    ::chmod(folder.path("a.txt").c_str(), mode);
    ASSERT_EQ(writeWholeFile(folder.path("a.txt"), {"1\r\n"}), FileStatus::Ok);
    struct stat info {};
    ASSERT_EQ(::stat(folder.path("a.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
  }
}

// A reader that takes no lock cannot be seen; it keeps the content it
// opened, and the rewrite goes ahead.
TEST(WriteWholeFile, LeavesAnUnlockedReaderTheOldContent) {
  ScratchFolder folder;
  folder.write("a.txt", kOriginal);
  const int reader = ::open(folder.path("a.txt").c_str(), O_RDONLY);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(writeWholeFile(folder.path("a.txt"), {"1\r\n"}), FileStatus::Ok);
  char old[16] = {};
  EXPECT_EQ(::pread(reader, old, sizeof old, 0), static_cast<ssize_t>(kOriginal.size()));
  EXPECT_EQ(std::string(old), kOriginal);
  EXPECT_EQ(folder.read("a.txt"), "1\r\n");
  ::close(reader);
}

// The link keeps pointing at the file, which is the one rewritten.
TEST(WriteWholeFile, RewritesTheFileALinkNames) {
  ScratchFolder folder;
  folder.write("a.txt", kOriginal);
  ASSERT_EQ(::symlink(folder.path("a.txt").c_str(), folder.path("link.txt").c_str()), 0);
  EXPECT_EQ(writeWholeFile(folder.path("link.txt"), {"1\r\n"}), FileStatus::Ok);
  EXPECT_EQ(folder.read("a.txt"), "1\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path("link.txt")));
  EXPECT_EQ(folder.entries(), (std::vector<std::string>{"a.txt", "link.txt"}));
}
#endif

// 誠 is D5 5C in GBK: its second byte is a backslash, which must not be
// taken for the end of the folder part of the path.
TEST(FileAccess, HandlesANameWithABackslashTrailByte) {
  ScratchFolder folder;
  const std::string name = "\xD5\x5C.txt";
  folder.write(name, kOriginal);
  const auto before = folder.entries();
  EXPECT_EQ(readWholeFile(folder.path(name)).bytes.view(), kOriginal);
  EXPECT_EQ(writeWholeFile(folder.path(name), {"1\r\n"}), FileStatus::Ok);
  EXPECT_EQ(folder.read(name), "1\r\n");
  EXPECT_EQ(folder.entries(), before);
}

TEST(TextToBytes, CopiesTheTextWithoutATerminator) {
  const ByteBuffer four = textToBytes(bytes("12 CR LF"));
  EXPECT_EQ(four.view(), bytes("12 CR LF"));
  EXPECT_EQ(four.size(), 4u);
  EXPECT_TRUE(textToBytes("").empty());
}

}  // namespace
}  // namespace tavelin
