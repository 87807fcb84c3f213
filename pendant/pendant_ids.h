// The USB ids the pendant presents; discovery opens only the HID interface that carries both.
#pragma once

#include <cstdint>

namespace pendant {

inline constexpr uint16_t kPendantVendorId = 0x04D8;
inline constexpr uint16_t kPendantProductId = 0xFCE2;

}  // namespace pendant
