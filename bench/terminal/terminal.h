// pendant-sim --interactive: the pendant on the terminal, in real time.
#pragma once

#include <string>
#include <vector>

namespace pendant::bench {

// Runs the interactive mode with the options after --interactive; returns the exit code.
int RunInteractive(const std::vector<std::string>& args);

}  // namespace pendant::bench
