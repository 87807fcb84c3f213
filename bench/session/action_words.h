// What was done to a bench session, in the words of the script lines that would do it: the
// transcript of a session driven from C++ reads like one driven by a script.
#pragma once

#include <string>
#include <vector>

#include "bench/session/virtual_pendant.h"

namespace pendant::bench {

// The lines for an event of the pendant, given the pendant as the last event left it: "pendant
// plug", "mode 3", "wheel +5", "key down, offline on (one report)", "report late 50". Controls
// set while the pendant was unplugged come before its "pendant plug".
std::vector<std::string> PendantEventWords(VirtualPendant::Event event,
                                           const VirtualPendant& before, const VirtualPendant& now);

}  // namespace pendant::bench
