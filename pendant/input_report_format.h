// The pendant's 8-byte input report: which byte carries what, and the bits inside the two
// switch bytes. Byte 0 is the report number, bytes 5 to 7 are not read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pendant {

inline constexpr size_t kInputReportSize = 8;

// Unsigned; counts up when the wheel turns forward, wrapping both ways.
inline constexpr size_t kWheelCounterByte = 1;
// 0 while the wheel is at rest, else how fast it turns.
inline constexpr size_t kWheelRateByte = 2;

// The axis selector, the two switches and the key.
inline constexpr size_t kSwitchByte = 3;
inline constexpr uint8_t kAxisSelectorBits = 0x0F;  // position 1..7
inline constexpr uint8_t kOfflineBit = 0x10;
inline constexpr uint8_t kStopBit = 0x20;
inline constexpr uint8_t kKeyBit = 0x40;

// The mode selector and the mark of the extended selector layout.
inline constexpr size_t kModeByte = 4;
inline constexpr uint8_t kModeSelectorBits = 0x0F;  // position 1..6
inline constexpr uint8_t kExtendedMarkBit = 0x10;

}  // namespace pendant
