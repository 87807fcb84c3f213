// The DLL module on Windows: what its load does, and the file it was loaded from.
#include <winsock2.h>  // brings windows.h in the order it needs

#include "platform/this_module_win32.h"
#include "plugin/module_file.h"

namespace {

bool processExiting = false;

}  // namespace

// The socket library is initialised with the library, as the host expects of its plug-ins; a
// failure fails the load. Nothing else runs under the loader lock at load; at unload the module's
// own teardown follows this (plugin_module.cpp).
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: {
      DisableThreadLibraryCalls(instance);
      WSADATA sockets{};
      if (WSAStartup(MAKEWORD(2, 2), &sockets) != 0) {
        MessageBoxA(nullptr, "Sockets Init Failed", nullptr, MB_OK | MB_ICONERROR);
        return FALSE;
      }
      return TRUE;
    }
    case DLL_PROCESS_DETACH:
      // At process exit (reserved set) other DLLs may be gone already; only an unload cleans up.
      processExiting = reserved != nullptr;
      if (!reserved) WSACleanup();
      return TRUE;
  }
  return TRUE;
}

namespace pendant {

bool ProcessExiting() {
  return processExiting;
}

std::string ModuleFilePath() {
  // A result that fills the buffer may be cut short: grow until the whole path fits.
  std::string path;
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    path.resize(size);
    const DWORD length = GetModuleFileNameA(ThisModule(), path.data(), size);
    if (length == 0) return "";
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  return "";
}

}  // namespace pendant
