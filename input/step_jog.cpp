// Step mode: every cycle with wheel counts sends one relative move.
#include <cmath>
#include <cstdio>

#include "host/host_axes.h"
#include "host/host_numbers.h"
#include "input/action_engine.h"
#include "input/gcode_line.h"
#include "input/step_jog_feed.h"

namespace pendant {
namespace {

constexpr double kRadiansPerDegree = 0.017453293;
// A reversal waits this many Update calls before the wheel moves the axis again.
constexpr int32_t kStepReversalTicks = 4;
constexpr int32_t kStepActiveTicks = 4;
constexpr int32_t kRestoreDelayTicks = 3;
constexpr double kRotatedMoveDroLimit = 20.0;

double StepDistance(const Host& host, int32_t direction, int32_t steps) {
  return (direction == 1 ? -steps : steps) * host.JogStepDistance();
}

}  // namespace

void ActionEngine::StepJog(int32_t direction, int32_t steps) {
  UpdateTicks& ticks = updateTicks_;
  const Host& host = host_;
  if (direction != StepDirectionLast && ticks.WheelActiveCountdown != 0) {
    ticks.ModeChangeTicks = 0;
    StepDirectionLast = direction;
    return;
  }
  if (ticks.ModeChangeTicks < kStepReversalTicks) return;
  StepDirectionLast = direction;
  if (steps == 0) return;
  ticks.WheelActiveCountdown = kStepActiveTicks;
  if (!MotionAllowed()) return;
  if (!host.GetLed(kJogEnabledLed)) {
    host.ShowHostMessage(kJogOffMessage);
    return;
  }
  if (host.RotationDegrees() != 0.0 && (AxisIndex == 0 || AxisIndex == 1)) {
    RotatedStepMove(direction, steps);
  } else {
    StraightStepMove(direction, steps);
  }
}

void ActionEngine::StraightStepMove(int32_t direction, int32_t steps) {
  const Host& host = host_;
  // The move runs at its own feed: the override is held at 100 % until stepping ends.
  if (!OverrideSaved) {
    SavedDro818 = host.GetDro(kSavedDro818);
    SavedFeedOverride = host.GetDro(kFeedOverrideDro);
    host.SetDro(kFeedOverrideDro, 100.0);
    OverrideSaved = true;
  }
  updateTicks_.RestoreCountdown = kRestoreDelayTicks;
  host.SetDro(kFeedOverrideDro, 100.0);

  const double low = host.GetDro(kStepGateLowDro);
  const double high = host.GetDro(kStepGateHighDro);
  if (!(high > low)) return;

  const double distance = StepDistance(host, direction, steps);
  const double feed = StepJogFeed(host, AxisIndex, StepJogPercent);
  // An index outside the host's letters moves X, as it always has.
  const char letter = AxisLetter(AxisIndex >= 0 && AxisIndex < kAxisLetterCount ? AxisIndex : 0);
  char line[kGcodeLineSize];
  std::snprintf(line, sizeof line, "G91G1 F%.4f %c %.4f", feed, letter, distance);
  if (!GcodeHold) host.Code(line);
  if (HostReady) host.Code("G90");
}

void ActionEngine::RotatedStepMove(int32_t direction, int32_t steps) {
  const Host& host = host_;
  const double angle = host.RotationDegrees() * kRadiansPerDegree;
  const double distance = StepDistance(host, direction, steps);
  const double dx = AxisIndex == 0 ? distance : 0.0;
  const double dy = AxisIndex == 1 ? distance : 0.0;
  const double x = dx * std::cos(angle) + dy * std::sin(angle);
  const double y = dy * std::cos(angle) - dx * std::sin(angle);
  if (!(host.GetDro(kStepGateLowDro) < kRotatedMoveDroLimit)) return;
  char line[kGcodeLineSize];
  std::snprintf(line, sizeof line, "G91G1 X%.4f Y%.4f ", x, y);
  if (!GcodeHold) host.Code(line);
  if (HostReady) host.Code("G90");
}

}  // namespace pendant
