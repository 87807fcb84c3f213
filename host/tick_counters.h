// Time bases counted in host Update calls and in poll cycles.
#pragma once

#include <cstdint>

namespace pendant {

// An elapsed-time counter: above 1000 it drops to 100 before counting on, so it never overflows
// and, once started, stays above every small threshold. Users start timing by setting it to 0.
inline void StepElapsed(int32_t& ticks) {
  if (ticks > 1000) ticks = 100;
  ++ticks;
}

// Advanced once per host Update call, in declaration order.
struct UpdateTicks {
  int32_t PressTicks = 100;
  int32_t AnimationPhase = 100;  // cycle: reloads 25 at 0, then counts down
  int32_t ScreenKeyTicks = 100;
  int16_t ReportSequence = 1;  // runs 2..255
  int32_t WheelActiveCountdown = 0;
  int32_t ModeChangeTicks = 100;
  int32_t RestoreCountdown = 0;

  void Step();
};

// Advanced at the start of every poll cycle.
struct PollTicks {
  int32_t KeyDownTicks = 0;
  int32_t KeyUpTicks = 0;

  void Step() {
    StepElapsed(KeyDownTicks);
    StepElapsed(KeyUpTicks);
  }
};

}  // namespace pendant
