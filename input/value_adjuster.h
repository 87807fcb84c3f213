// Modes in which the wheel changes a value instead of moving an axis: the host's continuous
// speed and overrides, the step jog's own speed and the jog step size.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/percentage_adjust.h"
#include "settings/pendant_settings.h"

namespace pendant {

class ValueAdjuster {
 public:
  ValueAdjuster(const Host& host, const PendantSettings& settings, UpdateTicks& ticks);

  void AdjustContinuousSpeed(int32_t direction, int32_t steps);
  void AdjustFeedOverride(int32_t direction, int32_t steps);
  void AdjustSpindleOverride(int32_t direction, int32_t steps);
  // The plug-in's own speed follows the wheel as turned, whatever the axis's reversal.
  void AdjustStepSpeed(int32_t rawDirection, int32_t steps);
  // One slot of the three configured sizes per turn from rest.
  void SelectStepSize(int32_t rawDirection, uint8_t rate);

  // Percentage of the axis feed used by step jogging; not saved.
  double StepPercent() const { return StepJogPercent; }

 private:
  void AdjustHostPercentage(int dro, PercentageLimits limits, int32_t direction, int32_t steps);

  const Host& host_;
  const PendantSettings& settings_;
  UpdateTicks& ticks_;
  double StepJogPercent = 50.0;
  // The wheel's rate in this and the previous counted cycle.
  bool RateSeenNow = false;
  bool RateSeenBefore = false;
  int32_t StepIndex = 1;
};

}  // namespace pendant
