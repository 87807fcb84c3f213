// The profile file on disk: what state it is in, where a save of it goes, and replacing it in
// one step so that it is never left cut short.
#pragma once

#include <string>
#include <vector>

namespace pendant {

enum class ProfileFileState {
  Missing,     // no such file
  Blank,       // zero bytes or only white space
  Content,     // something to parse
  Unreadable,  // exists but cannot be opened
};

ProfileFileState ProbeProfileFile(const std::string& path);

// The path made absolute against the current directory (platform adapter); as given when the
// platform cannot.
std::string AbsolutePath(const std::string& path);

// Where a save of the profile goes (platform adapter): symbolic links followed, so a link stays
// a link and the file it names gets the content.
struct SaveTarget {
  std::string path;
  bool exists = false;
  bool readOnly = false;  // the owner keeps the file as it is: it is never written
};
SaveTarget SaveTargetOf(const std::string& profilePath);

// A temporary file beside target, named after this process and a counter, so no other save,
// of this process or another, writes it at the same time.
std::string TemporaryPathBeside(const std::string& target);

// Removes the temporaries beside target that a save of a process that is gone left behind (one
// killed in the middle of its save).
void RemoveStaleTemporaries(const std::string& target);

// Replaces target with source in one step (platform adapter); an existing target keeps its
// attributes and permissions. False leaves target as it was and source where it is.
bool ReplaceFileWith(const std::string& source, const SaveTarget& target);

// This process's id, for names no other process uses, and whether a process runs (platform
// adapter).
unsigned long CurrentProcessId();
bool ProcessRunning(unsigned long id);

// The paths of the files that start with prefix (a folder and the start of a name) and end
// with suffix (platform adapter).
std::vector<std::string> FilesNamedLike(const std::string& prefix, const std::string& suffix);

}  // namespace pendant
