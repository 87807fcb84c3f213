#include "input/key_classifier.h"

namespace pendant {

void ClassifyKey(bool keyDown, InputState& s, PollTicks& ticks) {
  if (keyDown) {
    if (ticks.KeyUpTicks < kKeyPressCycles || s.DoubleHeld) {
      // A press that starts soon after a short press counts as double while it is held.
      s.KeyDoublePress = true;
      s.DoubleHeld = true;
    } else if (s.KeyWasUp) {
      ticks.KeyDownTicks = 0;
      s.KeyWasUp = false;
    } else if (ticks.KeyDownTicks >= kKeyPressCycles) {
      s.KeyLongPress = true;
    }
    s.KeyWasDown = true;
    return;
  }
  if (ticks.KeyDownTicks < kKeyPressCycles && s.KeyWasDown) {
    ticks.KeyUpTicks = 0;  // a short press has just ended
    s.KeyWasDown = false;
  }
  s.KeyWasUp = true;
  s.DoubleHeld = false;
  s.KeyLongPress = false;
  s.KeyDoublePress = false;
}

}  // namespace pendant
