// The pendant's 8-byte input report, split into its switches.
#pragma once

#include <cstdint>

#include "pendant/input_report_format.h"

namespace pendant {

struct ReportFields {
  int32_t axisSelector;  // 1..7 on a working pendant
  int32_t modeSelector;  // 1..6
  bool offline;
  bool stop;
  bool key;
  bool extendedMark;

  bool operator==(const ReportFields&) const = default;
};

inline ReportFields DecodeReportFields(const uint8_t* report) {
  const uint8_t switches = report[kSwitchByte];
  const uint8_t mode = report[kModeByte];
  return {switches & kAxisSelectorBits, mode & kModeSelectorBits,  (switches & kOfflineBit) != 0,
          (switches & kStopBit) != 0,   (switches & kKeyBit) != 0, (mode & kExtendedMarkBit) != 0};
}

}  // namespace pendant
