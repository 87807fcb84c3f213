// Turning the change of the wheel counter into counts and a direction.
#pragma once

#include <cstdint>

namespace pendant {

inline constexpr int32_t kNoDirection = -1;

struct WheelCount {
  int32_t steps;
  int32_t direction;  // 0 forward, 1 reverse, kNoDirection when nothing was measured
};

// counter - last, for two 8-bit counters that wrap: small forward or backward moves are taken
// the short way round. A jump of exactly half the counter is ambiguous and counts nothing.
inline WheelCount ClassifyWheelDelta(int32_t delta) {
  if (delta >= 1 && delta <= 127) return {delta, 0};
  if (delta >= -255 && delta <= -129) return {256 + delta, 0};
  if (delta >= -127 && delta <= -1) return {-delta, 1};
  if (delta >= 129 && delta <= 255) return {256 - delta, 1};
  return {0, kNoDirection};
}

}  // namespace pendant
