// The pendant on the virtual HID bus: selectors, key, switches and wheel, sent as 8-byte input
// reports whenever they change.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "device/virtual_hid_bus.h"

namespace pendant::bench {

inline constexpr const char* kPendantPath =
    "\\\\?\\hid#vid_04d8&pid_fce2#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

class VirtualPendant {
 public:
  // The rate a hand turning the wheel at a moderate pace reports.
  static constexpr uint8_t kTurningRate = 40;

  int axisSelector = 1;  // 1..7
  int modeSelector = 1;  // 1..6
  bool extended = true;
  bool keyDown = false;
  bool stopEngaged = false;
  bool offline = false;
  uint8_t wheelCounter = 0;
  uint8_t wheelRate = 0;
  // Reports sent from now on arrive this late (0: on time); negative: they are lost.
  int64_t reportDelayMs = 0;

  void Plug();
  void Unplug();
  bool Plugged() const;
  // Turns the wheel by counts (wrapping the counter) at a non-zero rate.
  void TurnWheel(int counts);
  VirtualHidBus::Report Report() const;
  // Sends the current state as one report.
  void Send() const;

  std::string path = kPendantPath;

  enum class Event { Plug, Unplug, Send };
  // Told before each thing done to the pendant, with the pendant as it is then.
  std::function<void(Event, const VirtualPendant&)> beforeEvent;

 private:
  void SendReport() const;
};

}  // namespace pendant::bench
