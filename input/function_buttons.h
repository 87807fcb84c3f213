// Which of the four function buttons F1..F4 each axis selector position runs in function-key
// mode.
#pragma once

#include <cstdint>

namespace pendant {

inline constexpr int kFunctionButtonCount = 4;

// 1..4 for the positions that run a function button, 0 for the others.
constexpr int FunctionButtonAt(int32_t axisSelector) {
  switch (axisSelector) {
    case 1:
      return 1;
    case 2:
      return 2;
    case 3:
      return 3;
    case 7:
      return 4;
    default:
      return 0;
  }
}

}  // namespace pendant
