// The pendant state that decoding and the action engine keep between poll cycles.
#pragma once

#include <cstdint>

namespace pendant {

inline constexpr int32_t kNoJogMode = -1;
inline constexpr int32_t kNoJogAxis = -1;
inline constexpr int kRateHistorySize = 10;

struct InputState {
  // Decoded from the current report in every cycle.
  int32_t AxisSelector = 0;
  int32_t ModeSelector = 0;
  bool OfflineSwitch = false;
  bool StopSwitch = false;
  bool ActionKey = false;

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

  // Wheel: counts and direction of this cycle; directions are 0 forward, 1 reverse.
  int32_t WheelSteps = 0;
  int32_t WheelDirection = 0;
  int32_t RawWheelDirection = 0;  // before the axis's reversal
  // Set when the pendant is (re)opened: its first report only sets the wheel's reference.
  bool WheelBaselinePending = false;

  // Step jog.
  int32_t StepDirectionLast = 0;
  double SavedDro818 = 0.0;
  double SavedFeedOverride = 0.0;

  // Double presses in the key-action modes, timed in Update calls.
  int32_t PressWasLate = 0;

  // The offline screen key.
  bool ScreenKeyLatched = false;
  // The host screen the offline screen key selected last.
  int32_t CurrentScreenCode = 1;

  // Step size selection: the wheel's rate in this and the previous counted cycle.
  bool RateSeenNow = false;
  bool RateSeenBefore = false;

  // Velocity and continuous jog.
  int32_t JogDirectionLast = 0;
  // The axis and mode of the last "DOJOG" that no "ENDJOG" has followed yet.
  int32_t JoggingAxis = kNoJogAxis;
  int32_t JoggingMode = kNoJogMode;
  void ForgetWheelJog() {
    JoggingAxis = kNoJogAxis;
    JoggingMode = kNoJogMode;
  }
  int32_t CountHistoryIndex = 0;
  double RateHistory[kRateHistorySize] = {};
  double RateSum = 0.0;
  int32_t ContinuousSteps = 0;
};

}  // namespace pendant
