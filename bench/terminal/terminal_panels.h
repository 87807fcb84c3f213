// The parts of the interactive screen, as text lines: the pendant, the machine behind the host,
// and why a turn of the wheel would not move the axis. They read the session only.
#pragma once

#include <string>
#include <vector>

#include "bench/session/bench_session.h"

namespace pendant::bench {

// What a selector position does on this pendant's layout.
std::string AxisSelectorName(const VirtualPendant& pendant);
std::string ModeSelectorName(const VirtualPendant& pendant);

// The display drawn from the last report the plug-in wrote, the LED byte, the selectors, the
// key and the switches.
std::vector<std::string> PendantPanel(const BenchSession& session);
// Axis positions, program, spindle, overrides, e-stop, jog mode, queue, screen and message line.
std::vector<std::string> MachinePanel(const BenchSession& session);
// Why a turn of the wheel would not move the axis now, read from the pendant and the host; what
// it would do when nothing stands in the way.
std::string WheelVerdict(const BenchSession& session);

}  // namespace pendant::bench
