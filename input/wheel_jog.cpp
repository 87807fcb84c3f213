#include "input/wheel_jog.h"

#include <cmath>
#include <limits>

#include "host/host_numbers.h"
#include "input/motion_allowed.h"
#include "settings/selection_tables.h"

namespace pendant {
namespace {

// A reversal waits this many Update calls; the wheel counts as active this long after its
// rate was last non-zero.
constexpr int32_t kJogReversalTicks = 3;
constexpr int32_t kJogActiveTicks = 3;
constexpr int32_t kContinuousStepsCeiling = 30000;
constexpr int32_t kContinuousStepsRestart = 400;

// Newer rate samples weigh more; the weights add up to 10.
constexpr double kRateWeights[kRateHistorySize] = {0.18, 0.36, 0.55, 0.73, 0.91,
                                                   1.09, 1.27, 1.45, 1.64, 1.82};

// Speeds go to the host as 32-bit integers: truncated, and held inside the type's range.
int32_t TruncatedSpeed(double speed) {
  if (std::isnan(speed)) return 0;
  if (speed >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (speed <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(speed);
}

}  // namespace

WheelJog::WheelJog(const Host& host, const PendantSettings& settings, UpdateTicks& ticks,
                   RunningJog& running)
    : host_(host), settings_(settings), ticks_(ticks), running_(running) {}

void WheelJog::VelocityJog(const WheelJogCycle& cycle) {
  const Host& host = host_;
  UpdateTicks& ticks = ticks_;
  const PendantSettings& settings = settings_;
  const int sensitivity = ClampedRowCode(VelocitySensitivityList, settings.VelocityInAuto);
  SlowDownDivisor = ClampedRowCode(SlowDownRateList, settings.AutoChangeSens);
  const uint8_t rate = cycle.rate;

  if (cycle.direction != JogDirectionLast && ticks.WheelActiveCountdown != 0) {
    StopAxisJog(cycle.axis);
    for (double& sample : RateHistory) sample = 0.0;
    ticks.ModeChangeTicks = 0;
    JogDirectionLast = cycle.direction;
    return;
  }
  if (ticks.ModeChangeTicks < kJogReversalTicks) return;
  if (rate != 0) {
    ticks.WheelActiveCountdown = kJogActiveTicks;
    if (!host.GetLed(kJogEnabledLed)) {
      host.ShowHostMessage(kJogOffMessage);
      return;
    }
  }
  if (ticks.WheelActiveCountdown == 0) {
    EndWheelJog();
    for (double& sample : RateHistory) sample = 0.0;
    return;
  }
  if (NoCountsInTwoCycles(cycle)) return;
  if (!MotionAllowed(host)) return;

  for (int i = 0; i + 1 < kRateHistorySize; ++i) RateHistory[i] = RateHistory[i + 1];
  RateHistory[kRateHistorySize - 1] = rate;
  RateSum = 0.0;
  for (int i = 0; i < kRateHistorySize; ++i) RateSum += kRateWeights[i] * RateHistory[i];

  JogFeedFactor = RateSum / 400.0 * 3.0 / sensitivity;
  if (cycle.keyDown) JogFeedFactor /= SlowDownDivisor;
  if (JogFeedFactor > 1.0) JogFeedFactor = 1.0;
  WheelJogStep(cycle, host.AxisFullSpeed(cycle.axis) * JogFeedFactor);
  JogDirectionLast = cycle.direction;
}

void WheelJog::ContinuousJog(const WheelJogCycle& cycle) {
  const Host& host = host_;
  UpdateTicks& ticks = ticks_;
  const uint8_t rate = cycle.rate;

  if (cycle.direction != JogDirectionLast && ticks.WheelActiveCountdown != 0) {
    StopAxisJog(cycle.axis);
    ticks.ModeChangeTicks = 0;
    ContinuousSteps = 0;
    JogDirectionLast = cycle.direction;
    return;
  }
  if (ticks.ModeChangeTicks < kJogReversalTicks) return;
  if (rate != 0) {
    ticks.WheelActiveCountdown = kJogActiveTicks;
    ContinuousSteps += cycle.steps;
    if (!host.GetLed(kJogEnabledLed)) {
      host.ShowHostMessage(kJogOffMessage);
      return;
    }
  }
  if (ticks.WheelActiveCountdown == 0) {
    ContinuousSteps = 0;
    EndWheelJog();
    return;
  }
  // Movement starts only after the wheel has turned on purpose for a while.
  if (ContinuousSteps < settings_.DelaySteps) return;
  if (ContinuousSteps > kContinuousStepsCeiling) ContinuousSteps = kContinuousStepsRestart;
  if (NoCountsInTwoCycles(cycle)) return;
  if (!MotionAllowed(host)) return;
  const double percent = host.GetDro(kContinuousPercentDro);
  WheelJogStep(cycle, host.AxisFullSpeed(cycle.axis) * percent / 100.0);
  JogDirectionLast = cycle.direction;
}

bool WheelJog::NoCountsInTwoCycles(const WheelJogCycle& cycle) {
  CountHistoryIndex = 1 - CountHistoryIndex;
  CountHistory[CountHistoryIndex] = cycle.steps;
  if (CountHistory[0] + CountHistory[1] != 0.0) return false;
  StopAxisJog(cycle.axis);
  return true;
}

void WheelJog::StopAxisJog(int32_t axis) {
  running_.EndJogOfAxis(host_, axis);
}

void WheelJog::EndWheelJog() {
  // Update calls can run the wheel's countdown out between two cycles, before the stop test
  // has sent its "ENDJOG": the axis must not be left running.
  running_.End(host_);
  JogStarted = false;
  if (JogModeSwitched) {
    host_.DoButton(kJogModeOffButton);
    JogModeSwitched = false;
  }
}

void WheelJog::WheelJogStep(const WheelJogCycle& cycle, double speed) {
  const Host& host = host_;
  const int32_t axis = cycle.axis;
  if (cycle.rate == 0) {
    StopAxisJog(axis);
    return;
  }
  if (!JogStarted) {
    // A host in another jog mode is switched for the wheel jog and switched back at its end.
    JogModeSwitched = host.GetLed(kJogModeLed);
    if (JogModeSwitched) host.DoButton(kJogModeOnButton);
    JogStarted = true;
  }
  // The record is complete before the host is told to jog.
  host.SetJogInt(axis, JogField::Direction, cycle.direction);
  host.SetJogInt(axis, JogField::Velocity, TruncatedSpeed(speed));
  host.SetJogInt(axis, JogField::JogParam, host.AxisJogParam(axis));
  host.SetJogInt(axis, JogField::FullSpeed, host.AxisFullSpeed(axis));
  host.SetJogByte(axis, JogField::Stop, 0);
  host.SetJogByte(axis, JogField::Go, 1);
  running_.Started(axis, cycle.mode);
  host.Code("DOJOG");
}

}  // namespace pendant
