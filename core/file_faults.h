#pragma once
// A stand-in for the failures the operating system cannot be made to show on
// demand: a failed close or flush, a short read, a short write on a full
// disk. Tests install a plan; the file access asks it at each step. No plan
// is installed in the programs, and then every question answers "no fault".

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tavelin {

enum class FileStep {
  OpenForReading,     // open the file to read it
  TakeSize,           // ask its size
  ReadRequest,        // a read request
  CloseAfterReading,  // close it after the read (the handle is closed all the same)
  CheckNotHeld,       // the exclusive open that tells whether another program holds the file
  CreateTemporary,    // create the new file beside the original
  WriteRequest,       // a write request into the new file
  Flush,              // flush the new file to disk
  CloseTemporary,     // close the new file (the handle is closed all the same)
  Replace,            // put the new file in the original's place
  ReplaceUnsupported, // Windows: the file system refuses ReplaceFileA, so the move is tried
  MoveInstead,        // Windows: the move that places a new file, or stands in for ReplaceFileA
};

struct FileFaults {
  std::vector<FileStep> failing;              // each of these steps fails every time
  std::size_t readRequestLimit = 0;           // when not 0, a read request returns at most this many bytes
  std::optional<std::uint64_t> endOfFileAt;   // reading finds the end here, as if the file had shrunk
  std::optional<std::uint64_t> roomOnDisk;    // the new file takes this many bytes; a write past it
                                              // comes back short but "successful", the next one fails

  static FileFaults failAt(std::vector<FileStep> steps) {
    FileFaults faults;
    faults.failing = std::move(steps);
    return faults;
  }
  static FileFaults shortReads(std::size_t limit) {
    FileFaults faults;
    faults.readRequestLimit = limit;
    return faults;
  }
  static FileFaults shrinksTo(std::uint64_t end) {
    FileFaults faults;
    faults.endOfFileAt = end;
    return faults;
  }
  static FileFaults diskRoom(std::uint64_t room) {
    FileFaults faults;
    faults.roomOnDisk = room;
    return faults;
  }
};

// Installs `faults` until it goes out of scope (then no fault again).
class ScopedFileFaults {
 public:
  explicit ScopedFileFaults(FileFaults faults);
  ~ScopedFileFaults();
  ScopedFileFaults(const ScopedFileFaults&) = delete;
  ScopedFileFaults& operator=(const ScopedFileFaults&) = delete;

 private:
  FileFaults faults_;
};

namespace faults {

// True while a plan is installed: reads then take the way of requests,
// whose steps the plan can fail and shape.
bool planted();

// True when the installed plan makes `step` fail.
bool fails(FileStep step);

// How many of the `request` bytes at `position` a read request may return.
std::size_t readable(std::uint64_t position, std::size_t request);

// How many of the `request` bytes at `position` the disk takes; nullopt when
// it takes none and the request must fail as on a full disk.
std::optional<std::size_t> writable(std::uint64_t position, std::size_t request);

}  // namespace faults

}  // namespace tavelin
