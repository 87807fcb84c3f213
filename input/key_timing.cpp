#include "input/key_timing.h"

namespace pendant {

void KeyTiming::Classify(bool keyDown, PollTicks& ticks) {
  if (keyDown) {
    if (ticks.KeyUpTicks < kKeyPressCycles || DoubleHeld) {
      // A press that starts soon after a short press counts as double while it is held.
      KeyDoublePress = true;
      DoubleHeld = true;
    } else if (KeyWasUp) {
      ticks.KeyDownTicks = 0;
      KeyWasUp = false;
    } else if (ticks.KeyDownTicks >= kKeyPressCycles) {
      KeyLongPress = true;
    }
    KeyWasDown = true;
    return;
  }
  if (ticks.KeyDownTicks < kKeyPressCycles && KeyWasDown) {
    ticks.KeyUpTicks = 0;  // a short press has just ended
    KeyWasDown = false;
  }
  KeyWasUp = true;
  DoubleHeld = false;
  KeyLongPress = false;
  KeyDoublePress = false;
}

}  // namespace pendant
