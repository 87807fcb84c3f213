// The jog mode and the axis the selectors (and the key) choose, and what a selector movement
// tells the host.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "input/decoded_report.h"
#include "input/jog_mode.h"
#include "input/key_timing.h"
#include "input/running_jog.h"
#include "settings/pendant_settings.h"

namespace pendant {

class ModeSelection {
 public:
  ModeSelection(const Host& host, const PendantSettings& settings);

  // Once per decoded cycle, after the key's timing. A changed mode is announced to the host; any
  // axis selector movement stops every axis.
  void Follow(const DecodedReport& report, const KeyTiming& key, RunningJog& jog);

  JogModeValue Mode() const { return JogMode; }
  int32_t Axis() const { return AxisIndex; }
  bool Extended() const { return ExtendedSelector; }
  // Step jog lines are dropped while the host still works off its queue after an axis change.
  bool HoldsGcode() const { return GcodeHold; }

 private:
  void SelectJogMode(const SelectorState& selectors);
  void SelectAxis(const SelectorState& selectors, RunningJog& jog);

  const Host& host_;
  const PendantSettings& settings_;
  // Set for good once a report carries the extended selector's mark.
  bool ExtendedSelector = false;
  JogModeValue JogMode = ModeStepJog;
  int32_t AxisIndex = 0;
  int32_t AxisSelectorLast = 1;
  // The first decoded cycle sets the mode without announcing a change.
  int32_t PreviousJogMode = kNoJogMode;
  bool GcodeHold = false;
};

}  // namespace pendant
