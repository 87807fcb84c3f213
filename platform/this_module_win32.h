// The module the plug-in's code was loaded from: the DLL, not the host's executable. For the
// Windows adapters only.
#pragma once

#include <windows.h>

// Placed by the linker at the start of the image that holds this code.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace pendant {

inline HMODULE ThisModule() {
  return reinterpret_cast<HMODULE>(&__ImageBase);
}

}  // namespace pendant
