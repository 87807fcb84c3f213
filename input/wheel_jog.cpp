// Velocity and continuous modes: the axis runs through its host jog record while the wheel
// turns, and stops when it rests.
#include <cmath>
#include <limits>

#include "host/host_numbers.h"
#include "input/action_engine.h"
#include "pendant/input_report_format.h"
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

void ActionEngine::VelocityJog(int32_t direction, int32_t steps) {
  const Host& host = host_;
  UpdateTicks& ticks = updateTicks_;
  const PendantSettings& settings = settings_;
  const int sensitivity = ClampedRowCode(VelocitySensitivityList, settings.VelocityInAuto);
  SlowDownDivisor = ClampedRowCode(SlowDownRateList, settings.AutoChangeSens);
  const uint8_t rate = CurrentInput[kWheelRateByte];

  if (direction != JogDirectionLast && ticks.WheelActiveCountdown != 0) {
    StopAxisJog();
    for (double& sample : RateHistory) sample = 0.0;
    ticks.ModeChangeTicks = 0;
    JogDirectionLast = direction;
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
  if (NoCountsInTwoCycles(steps)) return;
  if (!MotionAllowed()) return;

  for (int i = 0; i + 1 < kRateHistorySize; ++i) RateHistory[i] = RateHistory[i + 1];
  RateHistory[kRateHistorySize - 1] = rate;
  RateSum = 0.0;
  for (int i = 0; i < kRateHistorySize; ++i) RateSum += kRateWeights[i] * RateHistory[i];

  JogFeedFactor = RateSum / 400.0 * 3.0 / sensitivity;
  if (ActionKey) JogFeedFactor /= SlowDownDivisor;
  if (JogFeedFactor > 1.0) JogFeedFactor = 1.0;
  WheelJogStep(host.AxisFullSpeed(AxisIndex) * JogFeedFactor, direction);
  JogDirectionLast = direction;
}

void ActionEngine::ContinuousJog(int32_t direction, int32_t steps) {
  const Host& host = host_;
  UpdateTicks& ticks = updateTicks_;
  const uint8_t rate = CurrentInput[kWheelRateByte];

  if (direction != JogDirectionLast && ticks.WheelActiveCountdown != 0) {
    StopAxisJog();
    ticks.ModeChangeTicks = 0;
    ContinuousSteps = 0;
    JogDirectionLast = direction;
    return;
  }
  if (ticks.ModeChangeTicks < kJogReversalTicks) return;
  if (rate != 0) {
    ticks.WheelActiveCountdown = kJogActiveTicks;
    ContinuousSteps += steps;
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
  if (NoCountsInTwoCycles(steps)) return;
  if (!MotionAllowed()) return;
  const double percent = host.GetDro(kContinuousPercentDro);
  WheelJogStep(host.AxisFullSpeed(AxisIndex) * percent / 100.0, direction);
  JogDirectionLast = direction;
}

bool ActionEngine::NoCountsInTwoCycles(int32_t steps) {
  CountHistoryIndex = 1 - CountHistoryIndex;
  CountHistory[CountHistoryIndex] = steps;
  if (CountHistory[0] + CountHistory[1] != 0.0) return false;
  StopAxisJog();
  return true;
}

void ActionEngine::StopAxisJog() {
  EndJogOfAxis(AxisIndex);
}

void ActionEngine::EndJogOfAxis(int32_t axis) {
  host_.SetJogByte(axis, JogField::Stop, 1);
  host_.Code("ENDJOG");
  ForgetWheelJog();
}

void ActionEngine::EndActiveWheelJog() {
  if (JoggingAxis != kNoJogAxis) EndJogOfAxis(JoggingAxis);
}

void ActionEngine::EndWheelJog() {
  // Update calls can run the wheel's countdown out between two cycles, before the stop test
  // has sent its "ENDJOG": the axis must not be left running.
  EndActiveWheelJog();
  JogStarted = false;
  if (JogModeSwitched) {
    host_.DoButton(kJogModeOffButton);
    JogModeSwitched = false;
  }
}

void ActionEngine::WheelJogStep(double speed, int32_t direction) {
  const Host& host = host_;
  if (CurrentInput[kWheelRateByte] == 0) {
    StopAxisJog();
    return;
  }
  if (!JogStarted) {
    // A host in another jog mode is switched for the wheel jog and switched back at its end.
    JogModeSwitched = host.GetLed(kJogModeLed);
    if (JogModeSwitched) host.DoButton(kJogModeOnButton);
    JogStarted = true;
  }
  // The record is complete before the host is told to jog.
  host.SetJogInt(AxisIndex, JogField::Direction, direction);
  host.SetJogInt(AxisIndex, JogField::Velocity, TruncatedSpeed(speed));
  host.SetJogInt(AxisIndex, JogField::JogParam, host.AxisJogParam(AxisIndex));
  host.SetJogInt(AxisIndex, JogField::FullSpeed, host.AxisFullSpeed(AxisIndex));
  host.SetJogByte(AxisIndex, JogField::Stop, 0);
  host.SetJogByte(AxisIndex, JogField::Go, 1);
  // Counted as jogging before the host hears of it: a stop inside the callback must end it.
  JoggingAxis = AxisIndex;
  JoggingMode = JogMode;
  host.Code("DOJOG");
}

}  // namespace pendant
