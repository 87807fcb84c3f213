// The settings traffic of a plug-in on a profile without its section, recorded once in
// tests/support/settings_traffic.txt: the start-up load, then a configuration run closed with
// OK. Tests compare what a store sees, and what a saved profile holds, against it.
#pragma once

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace pendant::testing {

// Marks in the traffic between the reads and writes.
inline constexpr const char* kFindPendantMark = "find pendant";
inline constexpr const char* kConfigurationMark = "configuration";

// The file's lines without comments and blank lines ("read KEY VALUE", "write KEY VALUE" or a
// mark); none when the file cannot be read.
inline std::vector<std::string> RecordedSettingsTraffic(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// The key and value of every write, in order: what a save puts into a profile without the
// section.
inline std::vector<std::pair<std::string, std::string>> SavedKeys(
    const std::vector<std::string>& traffic) {
  std::vector<std::pair<std::string, std::string>> saved;
  const std::string write = "write ";
  for (const std::string& line : traffic) {
    if (line.rfind(write, 0) != 0) continue;
    const size_t blank = line.find(' ', write.size());
    if (blank == std::string::npos) continue;
    saved.emplace_back(line.substr(write.size(), blank - write.size()), line.substr(blank + 1));
  }
  return saved;
}

}  // namespace pendant::testing
