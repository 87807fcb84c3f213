#include "bench/terminal_options.h"

namespace pendant::bench {

bool ParseTerminalOptions(const std::vector<std::string>& args, TerminalOptions& options,
                          std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    std::string* target = args[i] == "--record"       ? &options.recordPath
                          : args[i] == "--profile"    ? &options.profilePath
                          : args[i] == "--transcript" ? &options.transcriptPath
                                                      : nullptr;
    if (!target) {
      error = "unknown option '" + args[i] + "'";
      return false;
    }
    if (i + 1 == args.size() || args[i + 1].empty()) {
      error = args[i] + " needs a FILE";
      return false;
    }
    *target = args[++i];
  }
  return true;
}

}  // namespace pendant::bench
