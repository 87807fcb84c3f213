// A host at rest with a machine behind it, as the bench's machine and the pendant check show it
// to the plug-in: jogging on, overrides at 100 %, feed bases and full speeds for every axis, a
// jog step of 0.001. What the plug-in sends it can then be read as a real host would get it.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "host/host_numbers.h"

namespace pendant::host_at_rest {

inline constexpr double kFeedBase[kHostAxisCount] = {50.0, 50.0, 50.0, 30.0};  // units a second
inline constexpr int32_t kFullSpeed = 10000;
inline constexpr int32_t kJogParam = 1;
inline constexpr double kStepDistance = 0.001;

struct DroValue {
  int dro;
  double value;
};
inline constexpr DroValue kDros[] = {
    {kFeedOverrideDro, 100.0},     {kSpindleOverrideDro, 100.0},
    {kContinuousPercentDro, 40.0}, {kStepGateHighDro, 4.0},  // the queue's limit
    {kSpindleRangeDro, 1.0},       {kJogStepSizeDro, kStepDistance},
};
inline constexpr int kLedsOn[] = {kJogEnabledLed};

// Writes the block C fields: every axis's feed base, full speed and jog parameter, and the jog
// step distance. blockC holds at least kHostBlockCSize bytes.
void PokeBlockC(uint8_t* blockC);

}  // namespace pendant::host_at_rest
