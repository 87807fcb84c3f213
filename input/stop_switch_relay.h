// The stop switch passed to the host's stop button: pressed until the host shows its stop, then
// released once.
#pragma once

#include "host/host_interface.h"
#include "host/host_numbers.h"

namespace pendant {

class StopSwitchRelay {
 public:
  void Follow(bool stopSwitch, const Host& host) {
    if (stopSwitch) {
      // Repeated until the host shows its stop, so a lost press cannot leave the machine
      // running.
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

 private:
  bool StopLatched = false;
  bool StopReleased = false;
};

}  // namespace pendant
