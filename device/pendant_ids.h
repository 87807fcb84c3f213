#pragma once

#include <cstdint>

namespace pendant {

inline constexpr uint16_t kPendantVendorId = 0x04D8;
inline constexpr uint16_t kPendantProductId = 0xFCE2;

// Host button that toggles the host's emergency stop; LED 800 lights while it is engaged.
inline constexpr int kEmergencyStopButton = 1021;
inline constexpr int kEmergencyStopLed = 800;

}  // namespace pendant
