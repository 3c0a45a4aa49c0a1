#include "key_rules.h"

#include "win.h"

namespace tavelin::ui {

KeyAction keyActionFor(unsigned virtualKey, Modifiers held) {
  const bool none = !held.ctrl && !held.shift && !held.alt;
  switch (virtualKey) {
    case VK_TAB:
      if (none) return KeyAction::NextControl;
      if (held.shift && !held.ctrl && !held.alt) return KeyAction::PreviousControl;
      return KeyAction::Pass;
    case VK_RETURN: return none ? KeyAction::DefaultButton : KeyAction::Pass;
    case VK_ESCAPE: return none ? KeyAction::Close : KeyAction::Pass;
    case VK_F1: return none ? KeyAction::Swallow : KeyAction::Pass;
    default: return KeyAction::Pass;
  }
}

int stepInCycle(int count, int current, bool forward) {
  if (count <= 0) return -1;
  if (current < 0 || current >= count) return forward ? 0 : count - 1;
  return forward ? (current + 1) % count : (current + count - 1) % count;
}

}  // namespace tavelin::ui
