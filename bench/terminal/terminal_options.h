// The command line of the interactive mode: pendant-sim --interactive [--record FILE]
// [--profile FILE] [--transcript FILE].
#pragma once

#include <string>
#include <vector>

namespace pendant::bench {

struct TerminalOptions {
  std::string recordPath;      // the user's actions as a script; empty: not recorded
  std::string profilePath;     // the user's own host profile, copied before start
  std::string transcriptPath;  // the session's transcript as pendant-sim prints it
  bool help = false;           // -h or --help: print the usage and do nothing else
};

inline constexpr const char* kTerminalUsage =
    "pendant-sim --interactive [--record FILE] [--profile FILE] [--transcript FILE]";

// The options after --interactive; false with a reason for an unknown or incomplete option, or
// for two options naming the same file (the profile is never written over).
bool ParseTerminalOptions(const std::vector<std::string>& args, TerminalOptions& options,
                          std::string& error);

}  // namespace pendant::bench
