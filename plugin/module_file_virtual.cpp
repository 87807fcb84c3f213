#include <dlfcn.h>

#include "plugin/module_file.h"

namespace pendant {

std::string ModuleFilePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ModuleFilePath), &info) == 0 || !info.dli_fname) return "";
  return info.dli_fname;
}

// The native library is never unloaded in the middle of a run.
bool ProcessExiting() {
  return false;
}

}  // namespace pendant
