#include "input/wheel_decoder.h"

#include "input/wheel_count.h"

namespace pendant {

void WheelDecoder::ReportLanded(uint8_t counter) {
  if (!WheelBaselinePending) return;
  // Measured against an older counter, the first report would move the axis by counts nobody
  // turned.
  WheelLast = counter;
  WheelBaselinePending = false;
}

void WheelDecoder::Count(uint8_t counter, bool reversed) {
  const WheelCount count = ClassifyWheelDelta(counter - WheelLast);
  WheelSteps = count.steps;
  if (count.direction != kNoDirection) {
    RawWheelDirection = count.direction;
    WheelDirection = reversed ? 1 - count.direction : count.direction;
  }
  WheelLast = counter;
}

}  // namespace pendant
