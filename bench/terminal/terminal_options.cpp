#include "bench/terminal/terminal_options.h"

#include <filesystem>

namespace pendant::bench {
namespace {

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ignored;
  if (std::filesystem::equivalent(a, b, ignored)) return true;
  // Files not made yet: the same path once links and dot folders are resolved.
  const auto resolved = [&ignored](const std::string& path) {
    return std::filesystem::weakly_canonical(std::filesystem::absolute(path, ignored), ignored);
  };
  return resolved(a) == resolved(b);
}

}  // namespace

bool ParseTerminalOptions(const std::vector<std::string>& args, TerminalOptions& options,
                          std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-h" || args[i] == "--help") {
      options.help = true;
      continue;
    }
    std::string* target = args[i] == "--record"       ? &options.recordPath
                          : args[i] == "--profile"    ? &options.profilePath
                          : args[i] == "--transcript" ? &options.transcriptPath
                                                      : nullptr;
    if (!target) {
      error = "unknown option " + args[i];
      return false;
    }
    if (i + 1 == args.size() || args[i + 1].empty()) {
      error = args[i] + " needs a FILE";
      return false;
    }
    *target = args[++i];
  }
  const std::pair<const char*, const std::string*> files[] = {
      {"--record", &options.recordPath},
      {"--profile", &options.profilePath},
      {"--transcript", &options.transcriptPath}};
  for (size_t i = 0; i < std::size(files); ++i) {
    for (size_t j = i + 1; j < std::size(files); ++j) {
      if (!SameFile(*files[i].second, *files[j].second)) continue;
      error = std::string(files[i].first) + " and " + files[j].first + " name the same file " +
              *files[j].second;
      return false;
    }
  }
  return true;
}

}  // namespace pendant::bench
