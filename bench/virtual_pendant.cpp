#include "bench/virtual_pendant.h"

#include "device/pendant_ids.h"

namespace pendant::bench {
namespace {

constexpr uint8_t kOfflineBit = 0x10;
constexpr uint8_t kStopBit = 0x20;
constexpr uint8_t kKeyBit = 0x40;
constexpr uint8_t kExtendedBit = 0x10;

}  // namespace

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
  report[1] = wheelCounter;
  report[2] = wheelRate;
  report[3] = static_cast<uint8_t>((axisSelector & 0x0F) | (offline ? kOfflineBit : 0) |
                                   (stopEngaged ? kStopBit : 0) | (keyDown ? kKeyBit : 0));
  report[4] = static_cast<uint8_t>((modeSelector & 0x0F) | (extended ? kExtendedBit : 0));
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
