// Whether the wheel may move an axis now.
#pragma once

#include "host/host_interface.h"
#include "host/host_numbers.h"

namespace pendant {

// While a program runs or is paused, the wheel moves only if the host allows jogging then.
inline bool MotionAllowed(const Host& host) {
  const bool programActive = host.GetLed(kProgramRunningLed) || host.GetLed(kProgramPausedLed);
  return !programActive || host.GetLed(kJogWhileRunningLed);
}

}  // namespace pendant
