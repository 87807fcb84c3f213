#include "settings/profile_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>

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

std::string TemporaryPathFor(const std::string& path) {
  return path + ".saving";
}

}  // namespace pendant
