#include <windows.h>

#include "settings/profile_file.h"

namespace pendant {
namespace {

// An antivirus, an indexer or a sync client may hold the profile open for a moment. The save
// runs on the host's UI thread, so it waits for them only this long.
constexpr DWORD kReplaceRetryMs = 300;
constexpr DWORD kReplacePauseMs = 20;

bool PassingConflict(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

}  // namespace

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  const DWORD start = GetTickCount();
  for (;;) {
    // Write-through: the call returns once the rename is on the disk; the file's own bytes
    // were flushed when it was written.
    if (MoveFileExA(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    if (!PassingConflict(GetLastError()) || GetTickCount() - start >= kReplaceRetryMs) return false;
    Sleep(kReplacePauseMs);
  }
}

}  // namespace pendant
