#include "host/tick_counters.h"

namespace pendant {
namespace {

void StepCountdown(int32_t& countdown) {
  if (countdown != 0) --countdown;
}

}  // namespace

void UpdateTicks::Step() {
  StepElapsed(PressTicks);
  if (AnimationPhase == 0) AnimationPhase = 25;
  --AnimationPhase;
  StepElapsed(ScreenKeyTicks);
  if (ReportSequence > 254) ReportSequence = 1;
  ++ReportSequence;
  StepCountdown(WheelActiveCountdown);
  StepElapsed(ModeChangeTicks);
  StepCountdown(RestoreCountdown);
}

}  // namespace pendant
