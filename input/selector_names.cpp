#include "input/selector_names.h"

#include <span>

namespace pendant {
namespace {

constexpr const char* kExtendedAxis[] = {
    "X", "Y", "Z", "program start/pause", "program stop/rewind", "spindle", "A"};
constexpr const char* kCompactAxis[] = {
    "X",      "Y", "Z", "program start/pause", "program stop/rewind", "spindle (A with CAmode)",
    "nothing"};
constexpr const char* kModes[] = {"step jog",      "velocity jog", "continuous jog",
                                  "feed override", "zero axis",    "function keys"};

std::string Named(std::span<const char* const> names, int position) {
  const std::string number = std::to_string(position) + ": ";
  if (position < 1 || position > static_cast<int>(names.size())) return number + "nothing";
  return number + names[position - 1];
}

}  // namespace

std::string AxisSelectorName(bool extended, int position) {
  return extended ? Named(kExtendedAxis, position) : Named(kCompactAxis, position);
}

std::string ModeSelectorName(bool extended, int position) {
  // The compact layout has no function-key mode.
  const std::span<const char* const> modes(kModes);
  return Named(extended ? modes : modes.first(modes.size() - 1), position);
}

}  // namespace pendant
