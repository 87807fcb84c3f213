// Reads a bench script from a file, a pipe or a device. What cannot be a script is refused
// rather than read for ever: more than 16 MB in all, or a line longer than 64 KB (/dev/zero, an
// endless pipe).
#pragma once

#include <cstddef>
#include <string>

namespace pendant::bench {

inline constexpr size_t kScriptBytesMax = 16 * 1024 * 1024;
inline constexpr size_t kScriptLineBytesMax = 64 * 1024;

// False with the reason in error ("no such file", "is a directory", "permission denied", too
// long); the caller names the file.
bool ReadScriptFile(const std::string& path, std::string& text, std::string& error);

}  // namespace pendant::bench
