// The profile file on disk: what state it is in, and replacing it in one step.
#pragma once

#include <string>

namespace pendant {

enum class ProfileFileState {
  Missing,     // no such file
  Blank,       // zero bytes or only white space
  Content,     // something to parse
  Unreadable,  // exists but cannot be opened
};

ProfileFileState ProbeProfileFile(const std::string& path);

// The temporary file a save writes before it replaces the profile.
std::string TemporaryPathFor(const std::string& path);

// Replaces target with source in one step (platform adapter); false leaves target as it was.
bool ReplaceFileWith(const std::string& source, const std::string& target);

}  // namespace pendant
