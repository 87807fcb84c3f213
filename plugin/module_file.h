// The file the plug-in's code was loaded from (the DLL on Windows; the library or executable
// that holds the code natively).
#pragma once

#include <string>

namespace pendant {

std::string ModuleFilePath();

// Whether the library is being unloaded because its process is ending (rather than by the
// host): then the host is half torn down and nothing may call into it or wait.
bool ProcessExiting();

// The file name without directory and extension: "C:\\Plugins\\X.dll" gives "X".
std::string BaseNameOf(const std::string& path);

}  // namespace pendant
