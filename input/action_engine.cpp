// The engine's side of the pendant coming and going, and of the host's readiness.
#include "input/action_engine.h"

#include "host/host_numbers.h"
#include "pendant/input_report_format.h"

namespace pendant {

ActionEngine::ActionEngine(const Host& host, const PendantSettings& settings,
                           UpdateTicks& updateTicks, PollTicks& pollTicks)
    : host_(host), settings_(settings), updateTicks_(updateTicks), pollTicks_(pollTicks) {}

void ActionEngine::PendantOpened() {
  WheelBaselinePending = true;
  CountHistory[0] = CountHistory[1] = 0.0;
}

void ActionEngine::ReportLanded(const uint8_t (&report)[kInputReportSize]) {
  if (!WheelBaselinePending) return;
  // Measured against an older counter, the first report would move the axis by counts nobody
  // turned.
  WheelLast = report[kWheelCounterByte];
  WheelBaselinePending = false;
}

void ActionEngine::RefreshHostReadiness() {
  if (host_.BusyWord() == 0 && host_.QueueCEmpty() && host_.QueueAEmpty()) {
    HostReady = host_.ReadyFlagWord() == 0;
  }
}

void ActionEngine::PendantRemoved() {
  EndActiveWheelJog();
  // 1021 toggles the host's stop: send it only when the host is not stopped already, or the
  // pendant's disappearance would release the stop.
  if (!host_.GetLed(kEmergencyStopLed)) host_.DoButton(kEmergencyStopButton);
}

}  // namespace pendant
