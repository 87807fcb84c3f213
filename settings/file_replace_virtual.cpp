#include <cstdio>

#include "settings/profile_file.h"

namespace pendant {

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  // rename() replaces the target in one step on POSIX file systems.
  return std::rename(source.c_str(), target.c_str()) == 0;
}

}  // namespace pendant
