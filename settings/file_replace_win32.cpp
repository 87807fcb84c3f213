#include <windows.h>

#include "settings/profile_file.h"

namespace pendant {

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  // Write-through: the call returns once the replacement is on the disk.
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace pendant
