// What each screen of the display works with in one composition, and the screens themselves.
#pragma once

#include "display/display_report.h"
#include "plugin/plugin_module.h"

namespace pendant {

struct ScreenContext {
  TrundleWin& window;
  const PluginModule& module;
  DisplayLines& lines;
  bool firstHalf;  // of the blink period

  bool Led(int led) const { return module.host.GetLed(led); }
  double Dro(int dro) const { return module.host.GetDro(dro); }
};

inline constexpr int32_t kAxisLetterCount = 6;

// The letter of axis 0..5 (X, Y, Z, A, B, C); a space for any other index.
char AxisLetter(int32_t axisIndex);
// Reads the axis position when AxisIndex is below axisCount (else the last value stands) and
// writes its text to line 2; returns the value.
double PutAxisValue(const ScreenContext& screen, int32_t axisCount);
// Step jog speed of the selected axis in units per minute.
double StepJogSpeed(const ScreenContext& screen);

// JogModes 1 to 3: the axis letter, the mode field, the program marks and the axis value.
void ComposeAxisScreen(const ScreenContext& screen);
void ComposeZeroScreen(const ScreenContext& screen);

void ComposeProgramStartScreen(const ScreenContext& screen);
void ComposeProgramStopScreen(const ScreenContext& screen);
void ComposeSpindleScreen(const ScreenContext& screen);

void ComposeContinuousSpeedScreen(const ScreenContext& screen);
void ComposeFeedOverrideScreen(const ScreenContext& screen);
void ComposeSpindleOverrideScreen(const ScreenContext& screen);
void ComposeStepSpeedScreen(const ScreenContext& screen);
void ComposeStepSizeScreen(const ScreenContext& screen);

void ComposeFunctionTextScreen(const ScreenContext& screen);

// Offline on a compact pendant: "MPG" over "Offline".
void ComposeCompactOfflineScreen(const ScreenContext& screen);
// Offline on an extended pendant: "OFFLINE" over the name of the host screen last selected.
void PutOfflineScreenName(const ScreenContext& screen);

}  // namespace pendant
