// What the display composition keeps between poll cycles besides the report bytes.
#pragma once

#include "display/display_report.h"

namespace pendant {

struct DisplayState {
  // The text bytes read as spaces until a screen writes them; set at the first composition.
  bool DisplayTextStarted = false;
  // The axis value and its text as last shown. The value stands in when no axis DRO is read
  // (an axis outside the screen's range); the text when Decidigit names no format.
  double LastAxisValue = 0.0;
  char LastAxisText[kLineLength] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
};

}  // namespace pendant
