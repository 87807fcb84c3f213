#include <dlfcn.h>

#include "plugin/module_file.h"

namespace pendant {

// Looked up once: the library's file does not change while it is loaded.
std::string ModuleFilePath() {
  static const std::string path = [] {
    Dl_info info{};
    const bool found = dladdr(reinterpret_cast<void*>(&ModuleFilePath), &info) != 0;
    return std::string(found && info.dli_fname ? info.dli_fname : "");
  }();
  return path;
}

// The native library is never unloaded in the middle of a run.
bool ProcessExiting() {
  return false;
}

}  // namespace pendant
