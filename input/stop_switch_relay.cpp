#include "input/stop_switch_relay.h"

#include "host/host_numbers.h"

namespace pendant {

void StopSwitchRelay::Follow(bool stopSwitch, const Host& host) {
  if (stopSwitch) {
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

}  // namespace pendant
