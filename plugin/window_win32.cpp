// The pendant window on Windows: a registered class whose procedure hands timer ticks and
// device notices to the WindowEvents object passed at creation.
#include <windows.h>

#include "plugin/window_port.h"

namespace pendant {
namespace {

WindowEvents* EventsOf(HWND window) {
  return reinterpret_cast<WindowEvents*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK PendantWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_NCDESTROY:
      // The owner may be gone once the window is; nothing may reach it after this.
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    case WM_TIMER:
      if (WindowEvents* events = EventsOf(window)) {
        if (!events->OnTimer()) return 0;
      }
      break;
    case WM_DEVICECHANGE:
      if (WindowEvents* events = EventsOf(window)) {
        events->OnDeviceChange(wParam, reinterpret_cast<const void*>(lParam));
      }
      return TRUE;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The plug-in's own module: the class belongs to the DLL, not to the host's executable.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&PendantWindowProc), &module);
  return module;
}

bool RegisterPendantClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PendantWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kPendantWindowClass;
  // Classes a DLL registers outlive its unloading; a reload at the same address finds its
  // class (with the same procedure) still there.
  return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

NativeWindow CreatePendantWindow(NativeWindow parent, WindowEvents& events) {
  const HINSTANCE instance = ThisModule();
  static const bool registered = RegisterPendantClass(instance);
  if (!registered) return nullptr;
  HWND window = CreateWindowExA(
      0, kPendantWindowClass, nullptr, WS_CHILD, 0, 0, 10, 10, static_cast<HWND>(parent),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPendantWindowId)), instance, &events);
  return window;
}

void StartWindowTimer(NativeWindow window, unsigned timerId, unsigned intervalMs) {
  if (window) SetTimer(static_cast<HWND>(window), timerId, intervalMs, nullptr);
}

void DestroyPendantWindow(NativeWindow window) {
  if (window) DestroyWindow(static_cast<HWND>(window));
}

}  // namespace pendant
