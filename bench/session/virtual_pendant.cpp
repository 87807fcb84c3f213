#include "bench/session/virtual_pendant.h"

#include "pendant/input_report_format.h"
#include "pendant/pendant_ids.h"

namespace pendant::bench {

void VirtualPendant::Plug() {
  if (beforeEvent) beforeEvent(Event::Plug, *this);
  VirtualHidBus::Instance().Plug(path, kPendantVendorId, kPendantProductId);
  SendReport();
}

void VirtualPendant::Unplug() {
  if (beforeEvent) beforeEvent(Event::Unplug, *this);
  VirtualHidBus::Instance().Unplug(path);
}

bool VirtualPendant::Plugged() const {
  return VirtualHidBus::Instance().IsPresent(path);
}

void VirtualPendant::TurnWheel(int counts) {
  wheelCounter = static_cast<uint8_t>(wheelCounter + counts);
  if (wheelRate == 0 && counts != 0) wheelRate = kTurningRate;
  Send();
}

VirtualHidBus::Report VirtualPendant::Report() const {
  VirtualHidBus::Report report{};
  report[kWheelCounterByte] = wheelCounter;
  report[kWheelRateByte] = wheelRate;
  report[kSwitchByte] =
      static_cast<uint8_t>((axisSelector & kAxisSelectorBits) | (offline ? kOfflineBit : 0) |
                           (stopEngaged ? kStopBit : 0) | (keyDown ? kKeyBit : 0));
  report[kModeByte] =
      static_cast<uint8_t>((modeSelector & kModeSelectorBits) | (extended ? kExtendedMarkBit : 0));
  return report;
}

void VirtualPendant::Send() const {
  if (beforeEvent) beforeEvent(Event::Send, *this);
  SendReport();
}

void VirtualPendant::SendReport() const {
  if (reportDelayMs < 0) return;
  VirtualHidBus::Instance().SendReport(path, Report(), reportDelayMs);
}

}  // namespace pendant::bench
