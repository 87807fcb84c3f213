// Step mode: every cycle with wheel counts sends one relative move, at its own feed with the
// feed override held at 100 % until stepping ends.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "host/tick_counters.h"

namespace pendant {

// What one cycle of step jogging works with.
struct StepCycle {
  int32_t axis;
  int32_t direction;  // 0 forward, 1 reverse
  int32_t steps;
  double feedPercent;  // of the axis's feed base
  bool gcodeHold;      // lines are dropped while the host's queue drains
  bool hostReady;
};

class StepJog {
 public:
  StepJog(const Host& host, UpdateTicks& ticks);

  void Run(const StepCycle& cycle);
  // Puts the saved DROs back once stepping has rested long enough.
  void RestoreOverrideWhenDue() {
    if (OverrideSaved && ticks_.RestoreCountdown == 0) RestoreOverride();
  }

 private:
  void RestoreOverride();
  void StraightStepMove(const StepCycle& cycle);
  void RotatedStepMove(const StepCycle& cycle);

  const Host& host_;
  UpdateTicks& ticks_;
  int32_t StepDirectionLast = 0;
  double SavedDro818 = 0.0;
  double SavedFeedOverride = 0.0;
  bool OverrideSaved = false;
};

}  // namespace pendant
