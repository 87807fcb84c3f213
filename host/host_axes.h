// The host's axes by index: 0..5 are X, Y, Z, A, B, C.
#pragma once

#include <cstdint>

namespace pendant {

inline constexpr int32_t kAxisLetterCount = 6;

// The letter of axis 0..5; a space for any other index.
constexpr char AxisLetter(int32_t axisIndex) {
  constexpr char kLetters[kAxisLetterCount] = {'X', 'Y', 'Z', 'A', 'B', 'C'};
  return axisIndex >= 0 && axisIndex < kAxisLetterCount ? kLetters[axisIndex] : ' ';
}

}  // namespace pendant
