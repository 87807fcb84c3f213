// One pass over the current input report: switches, key timing, mode, axis, wheel.
#include <cstring>

#include "input/input_report.h"
#include "input/jog_mode.h"
#include "input/key_classifier.h"
#include "input/wheel_count.h"
#include "plugin/host_numbers.h"
#include "plugin/plugin_module.h"
#include "plugin/trundle_win.h"

namespace pendant {
namespace {

SelectorState SelectorsOf(const TrundleWin& window) {
  return {window.ExtendedSelector != 0,
          window.AxisSelector,
          window.ModeSelector,
          window.ActionKey,
          window.KeyLongPress,
          window.KeyDoublePress,
          window.Module().settings.CAmode};
}

}  // namespace

void TrundleWin::DecodeInput() {
  std::memcpy(CurrentInput, InputBuffer, sizeof CurrentInput);
  const ReportFields fields = DecodeReportFields(CurrentInput);
  AxisSelector = fields.axisSelector;
  ModeSelector = fields.modeSelector;
  OfflineSwitch = fields.offline;
  StopSwitch = fields.stop;
  ActionKey = fields.key;

  ClassifyKey(ActionKey, *this, module_.pollTicks);
  HandleStopSwitch();
  if (fields.extendedMark) ExtendedSelector = 1;
  SelectJogModeFromSelectors();
  SelectAxis();
  ProcessWheel();
  HandleScreenKey();
}

void TrundleWin::HandleStopSwitch() {
  const Host& host = module_.host;
  if (StopSwitch) {
    // Repeated until the host shows its stop, so a lost press cannot leave the machine running.
    if (!StopLatched || !host.GetLed(kEmergencyStopLed)) {
      host.DoButton(kEmergencyStopButton);
      StopLatched = true;
      StopReleased = false;
    }
  } else if (!StopReleased && StopLatched) {
    StopLatched = false;
    StopReleased = true;
    host.DoButton(kEmergencyStopButton);
  }
}

void TrundleWin::SelectJogModeFromSelectors() {
  JogMode = SelectJogMode(SelectorsOf(*this));
  // Announced with the axis of the previous cycle: the axis is selected after this.
  if (PreviousJogMode != kNoJogMode && JogMode != PreviousJogMode) {
    module_.host.DoButton(kModeChangeButton + AxisIndex);
  }
  PreviousJogMode = JogMode;
}

void TrundleWin::SelectAxis() {
  const Host& host = module_.host;
  const int32_t axis = SelectedAxis(SelectorsOf(*this));
  if (axis >= 0) AxisIndex = axis;
  if (AxisSelector != AxisSelectorLast) {
    // Any selector movement stops every axis; step lines wait for the host's queue to drain.
    if (!host.QueueAEmpty()) GcodeHold = true;
    for (int a = 0; a < kHostAxisCount; ++a) host.SetJogByte(a, JogField::Stop, 1);
    host.Code("ENDJOG");
    ForgetWheelJog();
  }
  if (GcodeHold && host.QueueAEmpty()) GcodeHold = false;
  AxisSelectorLast = AxisSelector;
}

void TrundleWin::ProcessWheel() {
  const int32_t counter = CurrentInput[kWheelCounterByte];
  const WheelCount count = ClassifyWheelDelta(counter - WheelLast);
  WheelSteps = count.steps;
  if (count.direction != kNoDirection) {
    const PendantSettings& s = module_.settings;
    const bool reversed = (AxisIndex == 0 && s.Xreverse) || (AxisIndex == 1 && s.Yreverse) ||
                          (AxisIndex == 2 && s.Zreverse);
    RawWheelDirection = count.direction;
    WheelDirection = reversed ? 1 - count.direction : count.direction;
  }
  WheelLast = counter;

  RunWheelAction(WheelDirection, WheelSteps);

  if (OverrideSaved && module_.updateTicks.RestoreCountdown == 0) {
    module_.host.SetDro(kSavedDro818, SavedDro818);
    module_.host.SetDro(kFeedOverrideDro, SavedFeedOverride);
    OverrideSaved = false;
  }
}

}  // namespace pendant
