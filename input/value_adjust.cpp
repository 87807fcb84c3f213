// Modes in which the wheel changes a value instead of moving an axis.
#include <cmath>

#include "host/host_numbers.h"
#include "input/action_engine.h"
#include "input/jog_mode.h"
#include "input/percentage_adjust.h"
#include "input/step_size_text.h"
#include "pendant/input_report_format.h"

namespace pendant {
namespace {

constexpr int32_t kWheelActiveTicks = 3;

constexpr PercentageLimits kContinuousLimits{100.0, 0.1};
constexpr PercentageLimits kOverrideLimits{250.0, 1.0};
constexpr PercentageLimits kStepSpeedLimits{100.0, 1.0};

}  // namespace

void ActionEngine::AdjustValue(int32_t direction, int32_t steps) {
  switch (JogMode) {
    case ModeContinuousSpeed:
      AdjustHostPercentage(kContinuousPercentDro, kContinuousLimits, direction, steps);
      break;
    case ModeFeedOverride:
      AdjustHostPercentage(kFeedOverrideDro, kOverrideLimits, direction, steps);
      break;
    case ModeSpindleOverride:
      AdjustHostPercentage(kSpindleOverrideDro, kOverrideLimits, direction, steps);
      break;
    case ModeStepSpeed:
      // The plug-in's own speed follows the wheel as turned, whatever the axis's reversal.
      if (auto value =
              AdjustedPercentage(StepJogPercent, RawWheelDirection, steps, kStepSpeedLimits)) {
        StepJogPercent = *value;
      }
      break;
    case ModeStepSize:
      SelectStepSize();
      break;
    default:
      break;
  }
}

void ActionEngine::AdjustHostPercentage(int dro, PercentageLimits limits, int32_t direction,
                                        int32_t steps) {
  if (steps == 0) return;
  const Host& host = host_;
  if (auto value = AdjustedPercentage(host.GetDro(dro), direction, steps, limits)) {
    host.SetDro(dro, *value);
  }
}

void ActionEngine::SelectStepSize() {
  const PendantSettings& s = settings_;
  const float slots[] = {StepSizeFromText(s.S1), StepSizeFromText(s.S2), StepSizeFromText(s.S3)};
  const uint8_t rate = CurrentInput[kWheelRateByte];
  UpdateTicks& ticks = updateTicks_;

  RateSeenNow = rate > 0;
  if (rate != 0) ticks.WheelActiveCountdown = kWheelActiveTicks;
  if (ticks.WheelActiveCountdown == 0) return;
  // One slot per turn from rest, skipping slots of 0 (and texts that are no usable size).
  if (RateSeenNow && !RateSeenBefore && StepIndex >= 1 && StepIndex <= 3) {
    const int stride = RawWheelDirection == 0 ? 1 : 2;  // forward: next slot; reverse: previous
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
