#include <windows.h>

#include <string>
#include <vector>

#include "settings/profile_file.h"

namespace pendant {
namespace {

// An antivirus, an indexer, a sync client or another save may hold the profile open for a
// moment. The save runs on the host's UI thread, so it waits for them only this long.
constexpr DWORD kReplaceRetryMs = 300;
constexpr DWORD kReplacePauseMs = 20;

// Held open by someone else for now; a refusal (access denied) never passes and is not waited
// for.
bool PassingConflict(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The file a link names, as a plain path; empty when it cannot be told.
std::string FinalPathOf(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string final(MAX_PATH, '\0');
  DWORD length = GetFinalPathNameByHandleA(file, final.data(), static_cast<DWORD>(final.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= final.size()) {
    final.resize(length + 1);
    length = GetFinalPathNameByHandleA(file, final.data(), static_cast<DWORD>(final.size()),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  CloseHandle(file);
  if (length == 0 || length >= final.size()) return {};
  final.resize(length);
  // The answer comes as \\?\C:\... or \\?\UNC\server\share\...
  if (final.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + final.substr(8);
  if (final.rfind("\\\\?\\", 0) == 0) return final.substr(4);
  return final;
}

// Gives the temporary the profile's access rules, so the replaced file keeps them.
void CopyAccessRules(const std::string& from, const std::string& to) {
  constexpr SECURITY_INFORMATION kRules = DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityA(from.c_str(), kRules, nullptr, 0, &size);
  if (size == 0) return;
  std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));  // aligned
  auto* rules = reinterpret_cast<PSECURITY_DESCRIPTOR>(storage.data());
  if (GetFileSecurityA(from.c_str(), kRules, rules, size, &size)) {
    SetFileSecurityA(to.c_str(), kRules, rules);
  }
}

// Replaces an existing profile in one step so that it keeps its attributes and access rules:
// the temporary takes them first. (ReplaceFileA would keep them as well, but Wine's leaves the
// profile empty for a moment, in which another host reads nothing and saves that.)
bool ReplaceKeeping(const std::string& source, const std::string& target) {
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    SetFileAttributesA(source.c_str(),
                       (attributes & kKept) ? attributes & kKept : FILE_ATTRIBUTE_NORMAL);
  }
  CopyAccessRules(target, source);
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::string absolute(size, '\0');
  const DWORD length = GetFullPathNameA(path.c_str(), size, absolute.data(), nullptr);
  if (length == 0 || length >= size) return path;
  absolute.resize(length);
  return absolute;
}

SaveTarget SaveTargetOf(const std::string& profilePath) {
  SaveTarget target{profilePath};
  DWORD attributes = GetFileAttributesA(profilePath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    const std::string named = FinalPathOf(profilePath);
    if (!named.empty()) {
      target.path = named;
      attributes = GetFileAttributesA(named.c_str());
    }
  }
  target.exists = attributes != INVALID_FILE_ATTRIBUTES;
  target.readOnly = target.exists && (attributes & FILE_ATTRIBUTE_READONLY);
  return target;
}

bool ReplaceFileWith(const std::string& source, const SaveTarget& target) {
  const DWORD start = GetTickCount();
  for (;;) {
    // A new profile is moved into place only while there is none (one another host made
    // meanwhile is its to keep), write-through: the call returns once the rename is on the disk
    // (the file's own bytes were flushed when it was written).
    const bool replaced =
        target.exists ? ReplaceKeeping(source, target.path)
                      : MoveFileExA(source.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH);
    if (replaced) return true;
    if (!PassingConflict(GetLastError()) || GetTickCount() - start >= kReplaceRetryMs) return false;
    Sleep(kReplacePauseMs);
  }
}

unsigned long CurrentProcessId() {
  return GetCurrentProcessId();
}

bool ProcessRunning(unsigned long id) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to open
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

std::vector<std::string> FilesNamedLike(const std::string& prefix, const std::string& suffix) {
  const size_t slash = prefix.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "" : prefix.substr(0, slash + 1);
  std::vector<std::string> found;
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA((prefix + "*" + suffix).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    const std::string path = folder + entry.cFileName;
    // The pattern also matches short names; only the long one counts.
    if (path.size() >= prefix.size() + suffix.size() &&
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str(),
                       static_cast<int>(prefix.size()), prefix.c_str(),
                       static_cast<int>(prefix.size())) == CSTR_EQUAL) {
      found.push_back(path);
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

}  // namespace pendant
