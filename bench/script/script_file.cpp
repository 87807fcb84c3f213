#include "bench/script/script_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pendant::bench {
namespace {

std::string Cause(int error) {
  switch (error) {
    case ENOENT:
      return "no such file";
    case EISDIR:
      return "is a directory";
    case EACCES:
    case EPERM:
      return "permission denied";
    default:
      return std::strerror(error);
  }
}

class OpenFile {
 public:
  explicit OpenFile(const std::string& path) : fd_(open(path.c_str(), O_RDONLY)) {}
  ~OpenFile() {
    if (fd_ >= 0) close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

bool ReadScriptFile(const std::string& path, std::string& text, std::string& error) {
  const OpenFile file(path);
  struct stat status {};
  if (file.fd() < 0 || fstat(file.fd(), &status) != 0) {
    error = Cause(errno);
    return false;
  }
  if (S_ISDIR(status.st_mode)) {
    error = Cause(EISDIR);
    return false;
  }
  text.clear();
  size_t lineStart = 0;
  size_t lines = 1;
  char chunk[16384];
  for (;;) {
    const ssize_t got = read(file.fd(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = Cause(errno);
      return false;
    }
    if (got == 0) return true;
    if (text.size() + static_cast<size_t>(got) > kScriptBytesMax) {
      error = "longer than " + std::to_string(kScriptBytesMax / 1024 / 1024) +
              " MB, too long for a script";
      return false;
    }
    const size_t from = text.size();
    text.append(chunk, static_cast<size_t>(got));
    for (size_t at = from; at < text.size(); ++at) {
      if (text[at] != '\n') continue;
      lineStart = at + 1;
      ++lines;
    }
    if (text.size() - lineStart > kScriptLineBytesMax) {
      error = "line " + std::to_string(lines) + " is longer than " +
              std::to_string(kScriptLineBytesMax / 1024) + " KB, too long for a script line";
      return false;
    }
  }
}

}  // namespace pendant::bench
