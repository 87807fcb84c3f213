// The display composer: the 21-byte display report of each poll cycle from the pendant view,
// the host's values and the settings.
#pragma once

#include <cstdint>

#include "display/display_report.h"
#include "display/display_state.h"
#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/pendant_view.h"
#include "settings/pendant_settings.h"

namespace pendant {

class DisplayComposer {
 public:
  // Starts from rest, or from a state kept earlier.
  DisplayComposer(const Host& host, const PendantSettings& settings, const UpdateTicks& updateTicks,
                  const DisplayState& start = {});

  // Once at the start of every tick, before the pendant is known to be open.
  void StepDisplayCycle(bool wheelTurning);
  // Fixed bytes, then the screen the switches and the mode call for, then the offline screen
  // name on top.
  void Compose(const PendantView& view, uint8_t (&report)[kDisplayReportSize]);

  // What the display keeps between cycles besides the report bytes.
  const DisplayState& State() const { return state_; }

 private:
  const Host& host_;
  const PendantSettings& settings_;
  const UpdateTicks& updateTicks_;
  DisplayState state_;
};

}  // namespace pendant
