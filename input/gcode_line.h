// G-code lines are formatted into fixed buffers sized for the longest number %.4f can print,
// so a line is never cut and the poll cycle never allocates.
#pragma once

#include <cfloat>
#include <cstddef>

namespace pendant {

// Sign, every integer digit of the largest double, the point and four decimals.
inline constexpr size_t kFixed4Chars = 1 + (DBL_MAX_10_EXP + 1) + 1 + 4;
// Room for a line with two such numbers and its words.
inline constexpr size_t kGcodeLineSize = 2 * kFixed4Chars + 32;

}  // namespace pendant
