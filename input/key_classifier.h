// Long and double presses of the pendant's key, timed in poll cycles (13 cycles are 325 ms).
#pragma once

#include "host/tick_counters.h"
#include "input/input_state.h"

namespace pendant {

inline constexpr int32_t kKeyPressCycles = 13;

void ClassifyKey(bool keyDown, InputState& state, PollTicks& ticks);

}  // namespace pendant
