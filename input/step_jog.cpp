// Step mode: every cycle with wheel counts sends one relative move.
#include <cmath>
#include <cstdio>

#include "input/gcode_line.h"
#include "plugin/host_numbers.h"
#include "plugin/plugin_module.h"
#include "plugin/trundle_win.h"

namespace pendant {
namespace {

constexpr const char* kAxisLetters[] = {"X", "Y", "Z", "A", "B", "C"};
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

void TrundleWin::StepJog(int32_t direction, int32_t steps) {
  UpdateTicks& ticks = module_.updateTicks;
  const Host& host = module_.host;
  const char* letter = kAxisLetters[AxisIndex >= 0 && AxisIndex < 6 ? AxisIndex : 0];
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
    StraightStepMove(letter, direction, steps);
  }
}

void TrundleWin::StraightStepMove(const char* axisLetter, int32_t direction, int32_t steps) {
  const Host& host = module_.host;
  // The move runs at its own feed: the override is held at 100 % until stepping ends.
  if (!OverrideSaved) {
    SavedDro818 = host.GetDro(kSavedDro818);
    SavedFeedOverride = host.GetDro(kFeedOverrideDro);
    host.SetDro(kFeedOverrideDro, 100.0);
    OverrideSaved = true;
  }
  module_.updateTicks.RestoreCountdown = kRestoreDelayTicks;
  host.SetDro(kFeedOverrideDro, 100.0);

  const double low = host.GetDro(kStepGateLowDro);
  const double high = host.GetDro(kStepGateHighDro);
  if (!(high > low)) return;

  const double distance = StepDistance(host, direction, steps);
  const double feed = 60.0 * host.AxisFeedBase(AxisIndex) * module_.StepJogPercent / 100.0;
  char line[kGcodeLineSize];
  std::snprintf(line, sizeof line, "G91G1 F%.4f %s %.4f", feed, axisLetter, distance);
  if (!GcodeHold) host.Code(line);
  if (HostReady) host.Code("G90");
}

void TrundleWin::RotatedStepMove(int32_t direction, int32_t steps) {
  const Host& host = module_.host;
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
