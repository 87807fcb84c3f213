#include "settings/profile_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace pendant {

ProfileFileState ProbeProfileFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return errno == ENOENT ? ProfileFileState::Missing : ProfileFileState::Unreadable;
  ProfileFileState state = ProfileFileState::Blank;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    if (!std::isspace(c)) {
      state = ProfileFileState::Content;
      break;
    }
  }
  if (std::ferror(file)) state = ProfileFileState::Unreadable;
  std::fclose(file);
  return state;
}

namespace {

constexpr const char* kTemporarySuffix = ".saving";

}  // namespace

std::string TemporaryPathBeside(const std::string& target) {
  static unsigned long saves = 0;
  return target + "." + std::to_string(CurrentProcessId()) + "-" + std::to_string(++saves) +
         kTemporarySuffix;
}

void RemoveStaleTemporaries(const std::string& target) {
  for (const std::string& path : FilesNamedLike(target + ".", kTemporarySuffix)) {
    // target.<process>-<count>.saving
    const char* name = path.c_str() + target.size() + 1;
    char* end = nullptr;
    errno = 0;
    const unsigned long process = std::strtoul(name, &end, 10);
    if (errno != 0 || end == name || *end != '-') continue;
    if (process != CurrentProcessId() && !ProcessRunning(process)) std::remove(path.c_str());
  }
}

}  // namespace pendant
