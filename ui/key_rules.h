#pragma once
// What a key press means to the main window, looked at before the message
// is translated. The window's own little dialog manager: no arrow keys, no
// mnemonics.

namespace tavelin::ui {

struct Modifiers {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

enum class KeyAction {
  Pass,             // not the window's business: translate and dispatch
  NextControl,      // Tab: focus to the next member of the focus cycle
  PreviousControl,  // Shift+Tab: focus to the previous member
  DefaultButton,    // Enter: click the default button, if there is one
  Close,            // Esc: close the window as its close button does
  Swallow,          // F1: nothing happens (there is no help)
};

// The action for a key-down of `virtualKey` with the modifiers held down.
KeyAction keyActionFor(unsigned virtualKey, Modifiers held);

// The index that Tab (forward) or Shift+Tab reaches from `current` in a
// cycle of `count` members, wrapping at both ends. A `current` outside the
// cycle (-1: the focus is elsewhere) gives the first or the last member.
// -1 when the cycle is empty.
int stepInCycle(int count, int current, bool forward);

}  // namespace tavelin::ui
