// The host's DROs, LEDs and buttons the plug-in reads, writes and presses, named once.
#pragma once

namespace pendant {

// DROs
inline constexpr int kContinuousPercentDro = 3;
inline constexpr int kStepGateLowDro = 22;
inline constexpr int kSpindleRpmDro = 39;
inline constexpr int kFeedRateDro = 55;
inline constexpr int kSpindleRangeDro = 56;
inline constexpr int kSpindleOverrideDro = 74;
inline constexpr int kStepGateHighDro = 133;
inline constexpr int kSpindleSpeedDro = 202;
inline constexpr int kFirstAxisPositionDro = 800;  // + axis
inline constexpr int kProgramLineDro = 816;
inline constexpr int kSavedDro818 = 818;
inline constexpr int kFeedOverrideDro = 821;
inline constexpr int kJogStepSizeDro = 828;

// LEDs
inline constexpr int kSpindleOnLed = 11;
inline constexpr int kJogModeLed = 15;  // the host is in a jog mode that must be switched
inline constexpr int kJogEnabledLed = 83;
inline constexpr int kEmergencyStopLed = 800;
inline constexpr int kProgramRunningLed = 804;
inline constexpr int kProgramPausedLed = 805;
inline constexpr int kJogWhileRunningLed = 806;

// Buttons
inline constexpr int kSpindleButton = 110;
inline constexpr int kJogModeOnButton = 204;
inline constexpr int kJogModeOffButton = 205;
inline constexpr int kTabToggleButton = 323;
inline constexpr int kModeChangeButton = 334;  // + axis
inline constexpr int kProgramStartButton = 1000;
inline constexpr int kProgramPauseButton = 1001;
inline constexpr int kProgramRewindButton = 1002;
inline constexpr int kProgramStopButton = 1003;
inline constexpr int kZeroAxisButton = 1008;       // + axis
inline constexpr int kEmergencyStopButton = 1021;  // toggles the host's stop

inline constexpr const char* kJogOffMessage = " Jog OFF. ";

}  // namespace pendant
