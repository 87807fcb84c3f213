// What each selector position stands for, in words, for people reading a pendant's state.
#pragma once

#include <string>

namespace pendant {

// "N: what it selects" for an axis or mode selector position in the given layout; positions
// that select nothing say so.
std::string AxisSelectorName(bool extended, int position);
std::string ModeSelectorName(bool extended, int position);

}  // namespace pendant
