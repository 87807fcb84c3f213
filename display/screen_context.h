// What each screen of the display works with in one composition, and the screens themselves.
#pragma once

#include "display/display_report.h"
#include "display/display_state.h"
#include "host/host_axes.h"
#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/pendant_view.h"
#include "settings/pendant_settings.h"

namespace pendant {

struct ScreenContext {
  const PendantView& view;
  const Host& host;
  const PendantSettings& settings;
  const UpdateTicks& ticks;
  DisplayState& shown;
  DisplayLines& lines;
  bool firstHalf;  // of the blink period

  bool Led(int led) const { return host.GetLed(led); }
  double Dro(int dro) const { return host.GetDro(dro); }
};

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
