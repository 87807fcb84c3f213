// The pendant state that decoding and the action engine keep between poll cycles. The display
// and the bench read it; only the engine writes it.
#pragma once

#include <cstdint>

#include "pendant/input_report_format.h"

namespace pendant {

inline constexpr int32_t kNoJogMode = -1;
inline constexpr int32_t kNoJogAxis = -1;
inline constexpr int kRateHistorySize = 10;

struct InputState {
  // The report being decoded, copied from the last one read.
  uint8_t CurrentInput[kInputReportSize] = {};
  // Decoded from the current report in every cycle.
  int32_t AxisSelector = 0;
  int32_t ModeSelector = 0;
  bool OfflineSwitch = false;
  bool StopSwitch = false;
  bool ActionKey = false;
  // Set for good once a report carries the extended selector's mark.
  int32_t ExtendedSelector = 0;

  // What the selectors chose.
  int32_t JogMode = 1;
  int32_t AxisIndex = 0;
  int32_t AxisSelectorLast = 1;

  // The stop switch: pressed until the host shows its stop, then released once.
  bool StopLatched = false;
  bool StopReleased = false;

  // Key presses, timed in poll cycles.
  bool KeyLongPress = false;
  bool KeyDoublePress = false;
  bool KeyWasDown = false;
  bool KeyWasUp = false;
  bool DoubleHeld = false;

  // The first decoded cycle sets the mode without announcing a change.
  int32_t PreviousJogMode = kNoJogMode;
  // Step jog lines are dropped while the host still works off its queue after an axis change.
  bool GcodeHold = false;
  // The host's readiness, refreshed only while it is idle.
  bool HostReady = true;

  // Wheel: counts and direction of this cycle; directions are 0 forward, 1 reverse.
  int32_t WheelSteps = 0;
  int32_t WheelDirection = 0;
  int32_t RawWheelDirection = 0;  // before the axis's reversal
  int32_t WheelLast = 0;
  // Set when the pendant is (re)opened: its first report only sets the wheel's reference.
  bool WheelBaselinePending = false;

  // Step jog.
  int32_t StepDirectionLast = 0;
  double SavedDro818 = 0.0;
  double SavedFeedOverride = 0.0;
  bool OverrideSaved = false;
  // Percentage of the axis feed used by step jogging; the wheel adjusts it, it is not saved.
  double StepJogPercent = 50.0;

  // Double presses in the key-action modes, timed in Update calls.
  int32_t PressWasLate = 0;
  int32_t PressLatched = 0;

  // The offline screen key.
  bool ScreenKeyLatched = false;
  // The host screen the offline screen key selected last.
  int32_t CurrentScreenCode = 1;
  int32_t ScreenIndex = 1;
  int32_t ScreenCode1 = 1;
  int32_t ScreenCode2 = 1;
  int32_t ScreenCode3 = 1;

  // Step size selection: the wheel's rate in this and the previous counted cycle.
  bool RateSeenNow = false;
  bool RateSeenBefore = false;
  int32_t StepIndex = 1;

  // Velocity and continuous jog.
  int32_t JogDirectionLast = 0;
  bool JogStarted = false;
  // The host was in another jog mode and is switched back when the wheel jog ends.
  bool JogModeSwitched = false;
  double JogFeedFactor = 0.0;
  // Extra divisor of the velocity jog speed while the key is held.
  int32_t SlowDownDivisor = 0;
  // The axis and mode of the last "DOJOG" that no "ENDJOG" has followed yet.
  int32_t JoggingAxis = kNoJogAxis;
  int32_t JoggingMode = kNoJogMode;
  void ForgetWheelJog() {
    JoggingAxis = kNoJogAxis;
    JoggingMode = kNoJogMode;
  }
  double CountHistory[2] = {0.0, 0.0};
  int32_t CountHistoryIndex = 0;
  double RateHistory[kRateHistorySize] = {};
  double RateSum = 0.0;
  int32_t ContinuousSteps = 0;
};

}  // namespace pendant
