// A wheel count changes a percentage by half a percent of itself, within its limits.
#pragma once

#include <cstdint>
#include <optional>

namespace pendant {

struct PercentageLimits {
  double upper;
  double lower;
};

// The new value for n counts in direction (0 up, 1 down), or nothing when the value is not to be
// written: no counts, already at or above the upper limit going up, or not above 0 going down.
inline std::optional<double> AdjustedPercentage(double value, int32_t direction, int32_t counts,
                                                PercentageLimits limits) {
  if (counts == 0) return std::nullopt;
  if (direction == 0) {
    if (!(value < limits.upper)) return std::nullopt;
    const double raised = (0.005 * counts + 1.0) * value;
    return raised > limits.upper ? limits.upper : raised;
  }
  if (!(value > 0.0)) return std::nullopt;
  const double lowered = (1.0 - 0.005 * counts) * value;
  return lowered < limits.lower ? limits.lower : lowered;
}

}  // namespace pendant
