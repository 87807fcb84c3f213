// Reading one line of G-code the way the bench's machine understands it: G0, G1, G90 and G91,
// a feed word F, the axis words X, Y, Z and A, and M words that run the host's macros. Blanks may
// stand between a letter and its number ("G91G1 F1500.0000 X 0.0030"); letters may be in either
// case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/host_axes.h"

namespace pendant::bench {

// The machine has the host's first four axes, X, Y, Z and A.
inline constexpr int kMachineAxes = 4;

// The machine axis a G-code letter names, or -1.
inline int MachineAxisOf(char letter) {
  for (int axis = 0; axis < kMachineAxes; ++axis) {
    if (AxisLetter(axis) == letter) return axis;
  }
  return -1;
}

struct GcodeLine {
  std::string problem;           // why the line cannot be read; empty when it can
  std::optional<bool> relative;  // G91 true, G90 false
  bool rapid = false;            // G0 rather than G1
  std::optional<double> feed;    // units per minute
  std::optional<double> axis[kMachineAxes];
  std::optional<int> macro;  // M word: the host's macro of that number

  bool Readable() const { return problem.empty(); }
  bool Moves() const;
};

GcodeLine ReadGcodeLine(std::string_view text);

}  // namespace pendant::bench
