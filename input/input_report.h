// The pendant's 8-byte input report.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pendant {

inline constexpr size_t kWheelCounterByte = 1;
inline constexpr size_t kWheelRateByte = 2;
inline constexpr size_t kSwitchByte = 3;
inline constexpr size_t kModeByte = 4;

struct ReportFields {
  int32_t axisSelector;  // 1..7 on a working pendant
  int32_t modeSelector;  // 1..6
  bool offline;
  bool stop;
  bool key;
  bool extendedMark;
};

inline ReportFields DecodeReportFields(const uint8_t* report) {
  const uint8_t switches = report[kSwitchByte];
  const uint8_t mode = report[kModeByte];
  return {switches & 0x0F,        mode & 0x0F,       (switches & 0x10) != 0, (switches & 0x20) != 0,
          (switches & 0x40) != 0, (mode & 0x10) != 0};
}

}  // namespace pendant
