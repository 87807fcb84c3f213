// Actions confirmed by a double press of the key, timed in Update calls: zero the axis, program
// start and stop, the spindle and the function buttons F1..F4.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/jog_mode.h"
#include "settings/pendant_settings.h"

namespace pendant {

class KeyActions {
 public:
  KeyActions(const Host& host, const PendantSettings& settings, UpdateTicks& ticks);

  // Once per cycle in the key-action modes; axisSelector picks the function button.
  void Run(JogModeValue mode, bool keyDown, int32_t axis, int32_t axisSelector);

 private:
  void RunConfirmedAction(JogModeValue mode, int32_t axis, int32_t axisSelector);
  void RunFunctionButton(int button);

  const Host& host_;
  const PendantSettings& settings_;
  UpdateTicks& ticks_;
  int32_t PressWasLate = 0;
  int32_t PressLatched = 0;
};

}  // namespace pendant
