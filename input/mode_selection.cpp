#include "input/mode_selection.h"

#include "host/host_numbers.h"

namespace pendant {

ModeSelection::ModeSelection(const Host& host, const PendantSettings& settings)
    : host_(host), settings_(settings) {}

void ModeSelection::Follow(const DecodedReport& report, const KeyTiming& key, RunningJog& jog) {
  if (report.extendedMark) ExtendedSelector = true;
  const SelectorState selectors{ExtendedSelector, report.axisSelector, report.modeSelector,
                                report.key,       key.LongPress(),     key.DoublePress(),
                                settings_.CAmode};
  SelectJogMode(selectors);
  SelectAxis(selectors, jog);
}

void ModeSelection::SelectJogMode(const SelectorState& selectors) {
  JogMode = pendant::SelectJogMode(selectors);
  // Announced with the axis of the previous cycle: the axis is selected after this.
  if (PreviousJogMode != kNoJogMode && JogMode != PreviousJogMode) {
    host_.DoButton(kModeChangeButton + AxisIndex);
  }
  PreviousJogMode = JogMode;
}

void ModeSelection::SelectAxis(const SelectorState& selectors, RunningJog& jog) {
  const Host& host = host_;
  const int32_t axis = SelectedAxis(selectors);
  if (axis >= 0) AxisIndex = axis;
  if (selectors.axisSelector != AxisSelectorLast) {
    // Any selector movement stops every axis; step lines wait for the host's queue to drain.
    if (!host.QueueAEmpty()) GcodeHold = true;
    for (int a = 0; a < kHostAxisCount; ++a) host.SetJogByte(a, JogField::Stop, 1);
    host.Code("ENDJOG");
    jog.Forget();
  }
  if (GcodeHold && host.QueueAEmpty()) GcodeHold = false;
  AxisSelectorLast = selectors.axisSelector;
}

}  // namespace pendant
