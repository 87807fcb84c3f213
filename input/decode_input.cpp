// One pass over the current input report: switches, key timing, mode, axis, wheel.
#include <cstring>

#include "host/host_numbers.h"
#include "input/action_engine.h"
#include "input/input_report.h"
#include "input/jog_mode.h"
#include "input/key_classifier.h"
#include "input/wheel_count.h"

namespace pendant {
namespace {

SelectorState SelectorsOf(const InputState& state, const PendantSettings& settings) {
  return {state.ExtendedSelector != 0, state.AxisSelector,   state.ModeSelector, state.ActionKey,
          state.KeyLongPress,          state.KeyDoublePress, settings.CAmode};
}

}  // namespace

void ActionEngine::DecodeInput(const uint8_t (&report)[kInputReportSize]) {
  std::memcpy(CurrentInput, report, sizeof CurrentInput);
  const ReportFields fields = DecodeReportFields(CurrentInput);
  AxisSelector = fields.axisSelector;
  ModeSelector = fields.modeSelector;
  OfflineSwitch = fields.offline;
  StopSwitch = fields.stop;
  ActionKey = fields.key;

  ClassifyKey(ActionKey, *this, pollTicks_);
  HandleStopSwitch();
  if (fields.extendedMark) ExtendedSelector = 1;
  SelectJogModeFromSelectors();
  SelectAxis();
  ProcessWheel();
  HandleScreenKey();
}

void ActionEngine::HandleStopSwitch() {
  const Host& host = host_;
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

void ActionEngine::SelectJogModeFromSelectors() {
  JogMode = SelectJogMode(SelectorsOf(*this, settings_));
  // Announced with the axis of the previous cycle: the axis is selected after this.
  if (PreviousJogMode != kNoJogMode && JogMode != PreviousJogMode) {
    host_.DoButton(kModeChangeButton + AxisIndex);
  }
  PreviousJogMode = JogMode;
}

void ActionEngine::SelectAxis() {
  const Host& host = host_;
  const int32_t axis = SelectedAxis(SelectorsOf(*this, settings_));
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

void ActionEngine::ProcessWheel() {
  const int32_t counter = CurrentInput[kWheelCounterByte];
  const WheelCount count = ClassifyWheelDelta(counter - WheelLast);
  WheelSteps = count.steps;
  if (count.direction != kNoDirection) {
    const PendantSettings& s = settings_;
    const bool reversed = (AxisIndex == 0 && s.Xreverse) || (AxisIndex == 1 && s.Yreverse) ||
                          (AxisIndex == 2 && s.Zreverse);
    RawWheelDirection = count.direction;
    WheelDirection = reversed ? 1 - count.direction : count.direction;
  }
  WheelLast = counter;

  RunWheelAction(WheelDirection, WheelSteps);

  if (OverrideSaved && updateTicks_.RestoreCountdown == 0) {
    host_.SetDro(kSavedDro818, SavedDro818);
    host_.SetDro(kFeedOverrideDro, SavedFeedOverride);
    OverrideSaved = false;
  }
}

}  // namespace pendant
