#include "input/action_engine.h"

#include "host/host_numbers.h"
#include "pendant/input_report_format.h"

namespace pendant {

ActionEngine::ActionEngine(const Host& host, const PendantSettings& settings,
                           UpdateTicks& updateTicks, PollTicks& pollTicks)
    : host_(host),
      settings_(settings),
      pollTicks_(pollTicks),
      selection_(host, settings),
      stepJog_(host, updateTicks),
      wheelJog_(host, settings, updateTicks, runningJog_),
      values_(host, settings, updateTicks),
      keyActions_(host, settings, updateTicks),
      screenKey_(host, settings, updateTicks) {}

void ActionEngine::PendantOpened() {
  wheel_.PendantOpened();
  wheelJog_.PendantOpened();
}

void ActionEngine::ReportLanded(const uint8_t (&report)[kInputReportSize]) {
  wheel_.ReportLanded(report[kWheelCounterByte]);
}

void ActionEngine::RefreshHostReadiness() {
  if (host_.BusyWord() == 0 && host_.QueueCEmpty() && host_.QueueAEmpty()) {
    HostReady = host_.ReadyFlagWord() == 0;
  }
}

void ActionEngine::DecodeInput(const uint8_t (&report)[kInputReportSize]) {
  CurrentInput = DecodeReport(report);
  keyTiming_.Classify(CurrentInput.key, pollTicks_);
  stopSwitch_.Follow(CurrentInput.stop, host_);
  selection_.Follow(CurrentInput, keyTiming_, runningJog_);
  wheel_.Count(CurrentInput.wheelCounter, AxisReversed());
  RunWheelAction();
  stepJog_.RestoreOverrideWhenDue();
  screenKey_.Follow(CurrentInput.offline, CurrentInput.key);
}

bool ActionEngine::AxisReversed() const {
  const PendantSettings& s = settings_;
  const int32_t axis = selection_.Axis();
  return (axis == 0 && s.Xreverse) || (axis == 1 && s.Yreverse) || (axis == 2 && s.Zreverse);
}

void ActionEngine::PendantRemoved() {
  EndActiveWheelJog();
  // 1021 toggles the host's stop: send it only when the host is not stopped already, or the
  // pendant's disappearance would release the stop.
  if (!host_.GetLed(kEmergencyStopLed)) host_.DoButton(kEmergencyStopButton);
}

PendantView ActionEngine::View() const {
  return {selection_.Mode(),     selection_.Axis(),      CurrentInput.axisSelector,
          CurrentInput.key,      CurrentInput.stop,      CurrentInput.offline,
          selection_.Extended(), CurrentInput.wheelRate, wheelJog_.SlowDown(),
          values_.StepPercent(), screenKey_.ScreenCode()};
}

}  // namespace pendant
