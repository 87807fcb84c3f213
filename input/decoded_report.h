// One input report read as the engine uses it: what the selectors, switches, key and wheel say.
// Decoding has no side effects; what the wheel counter means depends on the previous report.
#pragma once

#include <cstdint>

#include "input/input_report.h"
#include "pendant/input_report_format.h"

namespace pendant {

struct DecodedReport {
  int32_t axisSelector = 0;  // 1..7 on a working pendant
  int32_t modeSelector = 0;  // 1..6
  bool offline = false;
  bool stop = false;
  bool key = false;
  // The extended selector layout marks its reports.
  bool extendedMark = false;
  uint8_t wheelCounter = 0;
  // Non-zero while the wheel turns.
  uint8_t wheelRate = 0;

  bool operator==(const DecodedReport&) const = default;
};

inline DecodedReport DecodeReport(const uint8_t (&report)[kInputReportSize]) {
  const ReportFields fields = DecodeReportFields(report);
  return {fields.axisSelector,
          fields.modeSelector,
          fields.offline,
          fields.stop,
          fields.key,
          fields.extendedMark,
          report[kWheelCounterByte],
          report[kWheelRateByte]};
}

}  // namespace pendant
