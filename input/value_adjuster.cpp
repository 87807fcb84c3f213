#include "input/value_adjuster.h"

#include <cmath>

#include "host/host_numbers.h"
#include "input/step_size_text.h"

namespace pendant {
namespace {

constexpr int32_t kWheelActiveTicks = 3;

constexpr PercentageLimits kContinuousLimits{100.0, 0.1};
constexpr PercentageLimits kOverrideLimits{250.0, 1.0};
constexpr PercentageLimits kStepSpeedLimits{100.0, 1.0};

}  // namespace

ValueAdjuster::ValueAdjuster(const Host& host, const PendantSettings& settings, UpdateTicks& ticks)
    : host_(host), settings_(settings), ticks_(ticks) {}

void ValueAdjuster::AdjustContinuousSpeed(int32_t direction, int32_t steps) {
  AdjustHostPercentage(kContinuousPercentDro, kContinuousLimits, direction, steps);
}

void ValueAdjuster::AdjustFeedOverride(int32_t direction, int32_t steps) {
  AdjustHostPercentage(kFeedOverrideDro, kOverrideLimits, direction, steps);
}

void ValueAdjuster::AdjustSpindleOverride(int32_t direction, int32_t steps) {
  AdjustHostPercentage(kSpindleOverrideDro, kOverrideLimits, direction, steps);
}

void ValueAdjuster::AdjustStepSpeed(int32_t rawDirection, int32_t steps) {
  if (auto value = AdjustedPercentage(StepJogPercent, rawDirection, steps, kStepSpeedLimits)) {
    StepJogPercent = *value;
  }
}

void ValueAdjuster::AdjustHostPercentage(int dro, PercentageLimits limits, int32_t direction,
                                         int32_t steps) {
  if (steps == 0) return;
  const Host& host = host_;
  if (auto value = AdjustedPercentage(host.GetDro(dro), direction, steps, limits)) {
    host.SetDro(dro, *value);
  }
}

void ValueAdjuster::SelectStepSize(int32_t rawDirection, uint8_t rate) {
  const PendantSettings& s = settings_;
  const float slots[] = {StepSizeFromText(s.S1), StepSizeFromText(s.S2), StepSizeFromText(s.S3)};

  RateSeenNow = rate > 0;
  if (rate != 0) ticks_.WheelActiveCountdown = kWheelActiveTicks;
  if (ticks_.WheelActiveCountdown == 0) return;
  // One slot per turn from rest, skipping slots of 0 (and texts that are no usable size).
  if (RateSeenNow && !RateSeenBefore && StepIndex >= 1 && StepIndex <= 3) {
    const int stride = rawDirection == 0 ? 1 : 2;  // forward: next slot; reverse: previous
    int slot = StepIndex - 1;
    for (int tries = 0; tries < 2; ++tries) {
      slot = (slot + stride) % 3;
      if (slots[slot] == 0.0f || !std::isfinite(slots[slot])) continue;
      StepIndex = slot + 1;
      host_.SetDro(kJogStepSizeDro, static_cast<double>(slots[slot]));
      break;
    }
  }
  RateSeenBefore = RateSeenNow;
}

}  // namespace pendant
