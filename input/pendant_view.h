// The facts of the decoded pendant the display shows: the engine fills it every cycle, the
// display reads nothing else of the engine.
#pragma once

#include <cstdint>

#include "input/jog_mode.h"

namespace pendant {

struct PendantView {
  JogModeValue JogMode = ModeStepJog;
  int32_t AxisIndex = 0;
  int32_t AxisSelector = 0;
  bool ActionKey = false;
  bool StopSwitch = false;
  bool OfflineSwitch = false;
  // Once any report carried the extended layout's mark.
  bool ExtendedSelector = false;
  uint8_t WheelRate = 0;
  // Divisor of the velocity jog speed while the key is held.
  int32_t SlowDownDivisor = 0;
  // Percentage of the axis feed the step jog uses.
  double StepJogPercent = 50.0;
  // The host screen the offline screen key selected last.
  int32_t CurrentScreenCode = 1;
};

}  // namespace pendant
