// Host DROs, LEDs and buttons the action engine works with.
#pragma once

namespace pendant {

inline constexpr int kContinuousPercentDro = 3;
inline constexpr int kStepGateLowDro = 22;
inline constexpr int kStepGateHighDro = 133;
inline constexpr int kSavedDro818 = 818;
inline constexpr int kFeedOverrideDro = 821;

inline constexpr int kJogModeLed = 15;  // the host is in a jog mode that must be switched
inline constexpr int kJogEnabledLed = 83;
inline constexpr int kProgramRunningLed = 804;
inline constexpr int kProgramPausedLed = 805;
inline constexpr int kJogWhileRunningLed = 806;

inline constexpr int kJogModeOnButton = 204;
inline constexpr int kJogModeOffButton = 205;

inline constexpr const char* kJogOffMessage = " Jog OFF. ";

}  // namespace pendant
