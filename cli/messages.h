#pragma once
// What the console sorter prints.

#include <string>
#include <string_view>

#include "out_of_memory.h"
#include "sort_command.h"

namespace tavelin::cli {

inline constexpr std::string_view kProgram = "tavelin-sort";

// The text of --help.
std::string usage();

// Why sorting a file failed, for "tavelin-sort: FILE: <reason>; ...".
std::string failureReason(const SortResult& result);

// What ran out of memory, for the same kind of line.
std::string outOfMemoryReason(const OutOfMemory& error);

}  // namespace tavelin::cli
