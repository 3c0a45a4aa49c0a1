#pragma once
// Whole-file reading and writing, and text to bytes. Each call opens what it
// needs and closes it again before it returns; nothing is held between calls.
// Paths are ANSI (GBK) byte strings, passed to the system unchanged.
//
// Failures come back as a FileStatus, never as an exception; the one
// exception is OutOfMemory when the file's contents cannot be allocated.

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>

#include "byte_buffer.h"

namespace tavelin {

enum class FileStatus {
  Ok,
  EmptyPath,     // no path was given; the file system was not touched
  NotFound,      // the file or a folder on its path is missing, or the name is malformed
  NotAFile,      // the path names a folder or a device
  AccessDenied,  // the system refused access
  InUse,         // another program holds the file open
  ReadOnly,      // the file is marked read-only, or its volume is
  TooLarge,      // the file is larger than this build can address
  ReadError,     // taking the size, a read request or the close failed
  DiskFull,      // a write ran out of room, a short write included
  WriteError,    // creating, writing, flushing, closing or replacing failed otherwise
};

// A few words in English saying what `status` means ("the file is
// read-only"), for the console sorter's messages.
std::string_view describe(FileStatus status);

struct ReadResult {
  FileStatus status = FileStatus::Ok;
  ByteBuffer bytes;  // the whole content when status is Ok, else empty
};

// Reads the regular file at `path` whole. An existing empty file is Ok with
// no bytes. The open shares reading only: it fails with InUse while another
// program holds the file for writing. Sizes are 64-bit; when the file ends
// early (it shrank while being read) the result holds exactly what was read.
// Throws OutOfMemory (FileContents) when the content cannot be allocated.
// On Windows the buffer may be a copy-on-write view of the file: writes into
// it stay private, and until it ends the file stays open as during the read
// (so release it before rewriting the file).
ReadResult readWholeFile(std::string_view path);

// Makes the file at `path` hold `buffers` back to back (empty ones add
// nothing), replacing it in one step so that it is never seen half written:
// the bytes go to a new file in the same folder, which is flushed, closed
// and then put in the original's place (keeping its attributes, or on POSIX
// its permission bits). A missing file is created.
//
// Refused before anything is written: a file marked read-only (even for an
// administrator or root) and a file that another program holds open. On
// every failure the original is as it was and no new file is left behind.
FileStatus writeWholeFile(std::string_view path, std::span<const std::string_view> buffers);

// The bytes of a file made piece by piece: each call gives the next piece,
// valid until the next call, and an empty view once there are no more.
using PieceSource = std::function<std::string_view()>;

// writeWholeFile with the bytes made while the file is written, so that the
// disk can take the first pieces while the later ones are still being made.
FileStatus writeWholeFile(std::string_view path, const PieceSource& pieces);

inline FileStatus writeWholeFile(std::string_view path, std::initializer_list<std::string_view> buffers) {
  return writeWholeFile(path, std::span<const std::string_view>(buffers.begin(), buffers.size()));
}

// The bytes of `text`, without a terminator; the empty text gives the empty
// buffer. No conversion of code page or line ends. Throws OutOfMemory
// (OutputText) when the copy cannot be allocated.
ByteBuffer textToBytes(std::string_view text);

// Largest single read or write request. Windows counts a request in 32 bits
// and Linux moves at most about 2 GiB per call, so bigger files take several.
inline constexpr std::size_t kFileRequestLimit = std::size_t{1} << 30;

}  // namespace tavelin
