// What the display composition keeps between poll cycles besides the report bytes.
#pragma once

#include <cstdint>

#include "display/display_report.h"

namespace pendant {

struct DisplayState {
  // Runs 159..0 once per 160 ticks and holds at 159 while the wheel turns; the blink and the
  // step screen's alternation follow it.
  int32_t DisplayCycle = 0;
  // The text bytes read as spaces until a screen writes them; set at the first composition.
  bool DisplayTextStarted = false;
  // The axis value and its text as last shown. The value stands in when no axis DRO is read
  // (an axis outside the screen's range); the text when Decidigit names no format.
  double LastAxisValue = 0.0;
  char LastAxisText[kLineLength] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
};

}  // namespace pendant
