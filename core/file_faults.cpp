#include "file_faults.h"

#include <algorithm>
#include <utility>

namespace tavelin {

namespace {
const FileFaults* installed = nullptr;
}

ScopedFileFaults::ScopedFileFaults(FileFaults faults) : faults_(std::move(faults)) { installed = &faults_; }

ScopedFileFaults::~ScopedFileFaults() { installed = nullptr; }

namespace faults {

bool planted() { return installed != nullptr; }

bool fails(FileStep step) {
  return installed != nullptr &&
         std::find(installed->failing.begin(), installed->failing.end(), step) != installed->failing.end();
}

std::size_t readable(std::uint64_t position, std::size_t request) {
  if (installed == nullptr) return request;
  if (installed->readRequestLimit != 0) request = std::min(request, installed->readRequestLimit);
  if (installed->endOfFileAt) {
    const std::uint64_t end = *installed->endOfFileAt;
    request = position >= end ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(request, end - position));
  }
  return request;
}

std::optional<std::size_t> writable(std::uint64_t position, std::size_t request) {
  if (installed == nullptr || !installed->roomOnDisk) return request;
  const std::uint64_t room = *installed->roomOnDisk;
  if (position >= room) return std::nullopt;
  return static_cast<std::size_t>(std::min<std::uint64_t>(request, room - position));
}

}  // namespace faults

}  // namespace tavelin
