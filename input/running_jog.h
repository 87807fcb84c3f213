// The axis and mode of the last "DOJOG" that no "ENDJOG" has followed yet: every wheel jog the
// engine starts is ended, whichever part notices first that it must stop.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "input/jog_mode.h"

namespace pendant {

inline constexpr int32_t kNoJogAxis = -1;

class RunningJog {
 public:
  // Counted before the host hears "DOJOG": a stop inside that callback must end it.
  void Started(int32_t axis, int32_t mode) {
    JoggingAxis = axis;
    JoggingMode = mode;
  }
  // The host was told "ENDJOG" for every axis.
  void Forget() {
    JoggingAxis = kNoJogAxis;
    JoggingMode = kNoJogMode;
  }
  bool RunsFor(int32_t mode, int32_t axis) const {
    return mode == JoggingMode && axis == JoggingAxis;
  }

  // Stops the axis and tells the host "ENDJOG".
  void EndJogOfAxis(const Host& host, int32_t axis);
  // Ends the jog under way, if any.
  void End(const Host& host) {
    if (JoggingAxis != kNoJogAxis) EndJogOfAxis(host, JoggingAxis);
  }

 private:
  int32_t JoggingAxis = kNoJogAxis;
  int32_t JoggingMode = kNoJogMode;
};

inline void RunningJog::EndJogOfAxis(const Host& host, int32_t axis) {
  host.SetJogByte(axis, JogField::Stop, 1);
  host.Code("ENDJOG");
  Forget();
}

}  // namespace pendant
