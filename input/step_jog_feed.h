// The feed of a step jog move, which the step screens show as the step speed.
#pragma once

#include <cstdint>

#include "host/host_interface.h"

namespace pendant {

// Units per minute: the given percentage of the axis's feed base, which the host keeps per
// second.
inline double StepJogFeed(const Host& host, int32_t axis, double percent) {
  return 60.0 * host.AxisFeedBase(axis) * percent / 100.0;
}

}  // namespace pendant
