// The wheel's counts and direction in each cycle, from the change of its 8-bit counter.
#pragma once

#include <cstdint>

#include "input/wheel_count.h"

namespace pendant {

class WheelDecoder {
 public:
  // The pendant's first report after an opening only sets the counter's reference.
  void PendantOpened() { WheelBaselinePending = true; }
  void ReportLanded(uint8_t counter) {
    if (!WheelBaselinePending) return;
    // Measured against an older counter, the first report would move the axis by counts nobody
    // turned.
    WheelLast = counter;
    WheelBaselinePending = false;
  }
  // Counts the change since the last report; reversed turns the direction round for the axis.
  // A cycle that measures no direction keeps the last one.
  void Count(uint8_t counter, bool reversed) {
    const WheelCount count = ClassifyWheelDelta(counter - WheelLast);
    WheelSteps = count.steps;
    if (count.direction != kNoDirection) {
      RawWheelDirection = count.direction;
      WheelDirection = reversed ? 1 - count.direction : count.direction;
    }
    WheelLast = counter;
  }

  int32_t Steps() const { return WheelSteps; }
  // 0 forward, 1 reverse, after the axis's reversal.
  int32_t Direction() const { return WheelDirection; }
  // As turned, before the axis's reversal.
  int32_t RawDirection() const { return RawWheelDirection; }

 private:
  int32_t WheelSteps = 0;
  int32_t WheelDirection = 0;
  int32_t RawWheelDirection = 0;
  int32_t WheelLast = 0;
  bool WheelBaselinePending = false;
};

}  // namespace pendant
