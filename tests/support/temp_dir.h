// A private directory for one test, removed with everything in it afterwards.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace pendant::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pendant-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // The names of everything in the directory: a save leaves no temporary beside the profile.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(path_, failed)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::string path_;
};

// Plain system calls: file streams build a buffer and a locale for every file, which a fuzz
// target writing and reading a file per input pays for again and again.
inline void WriteFile(const std::string& path, const std::string& content) {
  const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (file < 0) return;
  for (size_t done = 0; done < content.size();) {
    const ssize_t written = ::write(file, content.data() + done, content.size() - done);
    if (written <= 0) break;
    done += static_cast<size_t>(written);
  }
  ::close(file);
}

inline std::string ReadFile(const std::string& path) {
  std::string content;
  const int file = ::open(path.c_str(), O_RDONLY);
  if (file < 0) return content;
  char piece[16384];
  for (ssize_t got = 0; (got = ::read(file, piece, sizeof piece)) > 0;) {
    content.append(piece, static_cast<size_t>(got));
  }
  ::close(file);
  return content;
}

}  // namespace pendant::testing
