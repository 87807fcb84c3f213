// Loading the DLL: the socket library is initialised with the library, as the host expects of
// its plug-ins; a failure fails the load.
#include <winsock2.h>  // brings windows.h in the order it needs

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
      if (!reserved) WSACleanup();
      return TRUE;
  }
  return TRUE;
}
