#include <windows.h>

#include "plugin/module_file.h"

namespace pendant {

std::string ModuleFilePath() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&ModuleFilePath), &module)) {
    return "";
  }
  // A result that fills the buffer may be cut short: grow until the whole path fits.
  std::string path;
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    path.resize(size);
    const DWORD length = GetModuleFileNameA(module, path.data(), size);
    if (length == 0) return "";
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  return "";
}

}  // namespace pendant
