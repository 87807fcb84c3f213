// The file the plug-in's code was loaded from (the DLL on Windows; the library or executable
// that holds the code natively).
#pragma once

#include <string>

namespace pendant {

std::string ModuleFilePath();

// The file name without directory and extension: "C:\\Plugins\\X.dll" gives "X".
std::string BaseNameOf(const std::string& path);

}  // namespace pendant
