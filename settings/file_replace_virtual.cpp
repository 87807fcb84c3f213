#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "settings/profile_file.h"

namespace pendant {

namespace fs = std::filesystem;

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code failed;
  const fs::path absolute = fs::absolute(path, failed);
  return failed ? path : absolute.string();
}

SaveTarget SaveTargetOf(const std::string& profilePath) {
  SaveTarget target{profilePath};
  std::error_code failed;
  if (fs::is_symlink(profilePath, failed)) {
    const fs::path named = fs::weakly_canonical(profilePath, failed);
    if (!failed) target.path = named.string();
  }
  target.exists = fs::exists(target.path, failed);
  target.readOnly = target.exists && access(target.path.c_str(), W_OK) != 0 && errno == EACCES;
  return target;
}

bool ReplaceFileWith(const std::string& source, const SaveTarget& target) {
  std::error_code failed;
  if (target.exists) {
    const fs::perms kept = fs::status(target.path, failed).permissions();
    if (!failed) fs::permissions(source, kept, failed);
  }
  // rename() replaces the target in one step on POSIX file systems. A new profile goes into
  // place only while there is none: one another host made meanwhile is its to keep.
  if (!target.exists) {
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.path.c_str(), RENAME_NOREPLACE) == 0) {
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return false;  // the file system cannot: rename
  }
  return std::rename(source.c_str(), target.path.c_str()) == 0;
}

unsigned long CurrentProcessId() {
  return static_cast<unsigned long>(getpid());
}

bool ProcessRunning(unsigned long id) {
  return kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

// Names are compared as the directory lists them; a path is built only for a match.
std::vector<std::string> FilesNamedLike(const std::string& prefix, const std::string& suffix) {
  const size_t slash = prefix.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : prefix.substr(0, slash + 1);
  const std::string_view namePrefix =
      std::string_view(prefix).substr(slash == std::string::npos ? 0 : slash + 1);
  std::vector<std::string> found;
  DIR* directory = opendir(folder.c_str());
  if (!directory) return found;
  while (const dirent* entry = readdir(directory)) {
    const std::string_view name(entry->d_name);
    if (name.size() >= namePrefix.size() + suffix.size() && name.starts_with(namePrefix) &&
        name.ends_with(suffix)) {
      found.push_back(prefix.substr(0, prefix.size() - namePrefix.size()) + std::string(name));
    }
  }
  closedir(directory);
  return found;
}

}  // namespace pendant
