// Long and double presses of the pendant's key, timed in poll cycles (13 cycles are 325 ms).
#pragma once

#include <cstdint>

#include "host/tick_counters.h"

namespace pendant {

inline constexpr int32_t kKeyPressCycles = 13;

class KeyTiming {
 public:
  // Once per decoded cycle, after the poll counters stepped.
  void Classify(bool keyDown, PollTicks& ticks);

  bool LongPress() const { return KeyLongPress; }
  bool DoublePress() const { return KeyDoublePress; }

 private:
  bool KeyLongPress = false;
  bool KeyDoublePress = false;
  bool KeyWasDown = false;
  bool KeyWasUp = false;
  bool DoubleHeld = false;
};

}  // namespace pendant
