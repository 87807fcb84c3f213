#include "input/step_jog.h"

#include <cmath>
#include <cstdio>

#include "host/host_axes.h"
#include "host/host_numbers.h"
#include "input/gcode_line.h"
#include "input/motion_allowed.h"
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

StepJog::StepJog(const Host& host, UpdateTicks& ticks) : host_(host), ticks_(ticks) {}

void StepJog::Run(const StepCycle& cycle) {
  UpdateTicks& ticks = ticks_;
  const Host& host = host_;
  if (cycle.direction != StepDirectionLast && ticks.WheelActiveCountdown != 0) {
    ticks.ModeChangeTicks = 0;
    StepDirectionLast = cycle.direction;
    return;
  }
  if (ticks.ModeChangeTicks < kStepReversalTicks) return;
  StepDirectionLast = cycle.direction;
  if (cycle.steps == 0) return;
  ticks.WheelActiveCountdown = kStepActiveTicks;
  if (!MotionAllowed(host)) return;
  if (!host.GetLed(kJogEnabledLed)) {
    host.ShowHostMessage(kJogOffMessage);
    return;
  }
  if (host.RotationDegrees() != 0.0 && (cycle.axis == 0 || cycle.axis == 1)) {
    RotatedStepMove(cycle);
  } else {
    StraightStepMove(cycle);
  }
}

void StepJog::RestoreOverride() {
  host_.SetDro(kSavedDro818, SavedDro818);
  host_.SetDro(kFeedOverrideDro, SavedFeedOverride);
  OverrideSaved = false;
}

void StepJog::StraightStepMove(const StepCycle& cycle) {
  const Host& host = host_;
  if (!OverrideSaved) {
    SavedDro818 = host.GetDro(kSavedDro818);
    SavedFeedOverride = host.GetDro(kFeedOverrideDro);
    host.SetDro(kFeedOverrideDro, 100.0);
    OverrideSaved = true;
  }
  ticks_.RestoreCountdown = kRestoreDelayTicks;
  host.SetDro(kFeedOverrideDro, 100.0);

  const double low = host.GetDro(kStepGateLowDro);
  const double high = host.GetDro(kStepGateHighDro);
  if (!(high > low)) return;

  const int32_t axis = cycle.axis;
  const double distance = StepDistance(host, cycle.direction, cycle.steps);
  const double feed = StepJogFeed(host, axis, cycle.feedPercent);
  // An index outside the host's letters moves X, as it always has.
  const char letter = AxisLetter(axis >= 0 && axis < kAxisLetterCount ? axis : 0);
  char line[kGcodeLineSize];
  std::snprintf(line, sizeof line, "G91G1 F%.4f %c %.4f", feed, letter, distance);
  if (!cycle.gcodeHold) host.Code(line);
  if (cycle.hostReady) host.Code("G90");
}

void StepJog::RotatedStepMove(const StepCycle& cycle) {
  const Host& host = host_;
  const double angle = host.RotationDegrees() * kRadiansPerDegree;
  const double distance = StepDistance(host, cycle.direction, cycle.steps);
  const double dx = cycle.axis == 0 ? distance : 0.0;
  const double dy = cycle.axis == 1 ? distance : 0.0;
  const double x = dx * std::cos(angle) + dy * std::sin(angle);
  const double y = dy * std::cos(angle) - dx * std::sin(angle);
  if (!(host.GetDro(kStepGateLowDro) < kRotatedMoveDroLimit)) return;
  char line[kGcodeLineSize];
  std::snprintf(line, sizeof line, "G91G1 X%.4f Y%.4f ", x, y);
  if (!cycle.gcodeHold) host.Code(line);
  if (cycle.hostReady) host.Code("G90");
}

}  // namespace pendant
