// One input report read as the engine uses it: what the selectors, switches, key and wheel say.
// Decoding has no side effects; what the wheel counter means depends on the previous report.
#pragma once

#include <cstdint>

#include "input/input_report.h"
#include "pendant/input_report_format.h"

namespace pendant {

// The switches as the report's bits give them, and the wheel's two bytes as they are.
struct DecodedReport : ReportFields {
  uint8_t wheelCounter;
  // Non-zero while the wheel turns.
  uint8_t wheelRate;

  bool operator==(const DecodedReport&) const = default;
};

inline DecodedReport DecodeReport(const uint8_t (&report)[kInputReportSize]) {
  return {DecodeReportFields(report), report[kWheelCounterByte], report[kWheelRateByte]};
}

}  // namespace pendant
