#pragma once
// The end of the program when a command fails for want of memory (or with
// any other exception): an error box, then exit code -1.

#include <array>
#include <exception>

namespace tavelin::ui {

inline constexpr int kFatalExitCode = -1;

// The box's message for `failure`, built without allocating: it names the
// allocation and its size when the core says which one failed.
using FatalMessage = std::array<char, 160>;
FatalMessage fatalMessageFor(const std::exception_ptr& failure);

// Shows the error box (caption "错误", error icon) for `failure`.
void showFatalError(const std::exception_ptr& failure);

}  // namespace tavelin::ui
