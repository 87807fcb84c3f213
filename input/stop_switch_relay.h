// The stop switch passed to the host's stop button: pressed until the host shows its stop, then
// released once.
#pragma once

#include "host/host_interface.h"

namespace pendant {

class StopSwitchRelay {
 public:
  void Follow(bool stopSwitch, const Host& host);

 private:
  bool StopLatched = false;
  bool StopReleased = false;
};

}  // namespace pendant
