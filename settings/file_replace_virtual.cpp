#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

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

std::vector<std::string> FilesNamedLike(const std::string& prefix, const std::string& suffix) {
  const fs::path start(prefix);
  const std::string folder = start.parent_path().string();
  std::vector<std::string> found;
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? "." : folder, failed)) {
    const std::string path = (start.parent_path() / entry.path().filename()).string();
    if (path.size() >= prefix.size() + suffix.size() &&
        path.compare(0, prefix.size(), prefix) == 0 &&
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
      found.push_back(path);
    }
  }
  return found;
}

}  // namespace pendant
