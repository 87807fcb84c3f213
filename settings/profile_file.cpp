#include "settings/profile_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace pendant {

ProfileFileState ProbeProfileFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return errno == ENOENT ? ProfileFileState::Missing : ProfileFileState::Unreadable;
  // Read in pieces straight into chunk: the stream allocates no buffer of its own.
  std::setvbuf(file, nullptr, _IONBF, 0);
  ProfileFileState state = ProfileFileState::Blank;
  char chunk[512];
  for (size_t n = 0;
       state == ProfileFileState::Blank && (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
    const bool content =
        std::any_of(chunk, chunk + n, [](unsigned char c) { return !std::isspace(c); });
    if (content) state = ProfileFileState::Content;
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
