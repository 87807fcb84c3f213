// The pendant's 21-byte display report, its HID output report: where each part sits. Bytes 19
// and 20 are not used.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pendant {

inline constexpr size_t kDisplayReportSize = 21;

inline constexpr size_t kReportIdByte = 0;
inline constexpr uint8_t kReportId = 0;

// 1 while the host's emergency-stop LED is lit (the pendant shows RESET), else 0.
inline constexpr size_t kLedByte = 1;
inline constexpr uint8_t kLedOn = 1;
inline constexpr uint8_t kLedOff = 0;

// Two lines of kLineLength characters, one byte each.
inline constexpr size_t kLine1First = 2;
inline constexpr size_t kLine2First = 10;
inline constexpr int kLineLength = 8;
inline constexpr size_t kTextEnd = kLine2First + kLineLength;  // one past the last text byte

// The low byte of the host-update sequence.
inline constexpr size_t kSequenceByte = 18;

}  // namespace pendant
