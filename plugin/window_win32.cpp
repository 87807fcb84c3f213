// The pendant window on Windows: a registered class whose procedure hands timer ticks and
// device notices to the WindowEvents object passed at creation.
#include <windows.h>

#include <mmsystem.h>

#include "platform/this_module_win32.h"
#include "plugin/window_port.h"

namespace pendant {
namespace {

WindowEvents* EventsOf(HWND window) {
  return reinterpret_cast<WindowEvents*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

// The procedure runs under the host's message loop: nothing may unwind into it.
LRESULT CALLBACK PendantWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

bool RegisterPendantClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PendantWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kPendantWindowClass;
  return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The default 15.6 ms clock would stretch the 5 ms read wait and the 25 ms tick; the finer one
// is asked for only while the poll timer runs.
bool fineClockAsked = false;

}  // namespace

NativeWindow CreatePendantWindow(NativeWindow parent, WindowEvents& events) {
  // The class belongs to the DLL, not to the host's executable.
  const HINSTANCE instance = ThisModule();
  if (!RegisterPendantClass(instance)) return nullptr;
  HWND window = CreateWindowExA(
      0, kPendantWindowClass, nullptr, WS_CHILD, 0, 0, 10, 10, static_cast<HWND>(parent),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPendantWindowId)), instance, &events);
  return window;
}

void StartWindowTimer(NativeWindow window, unsigned timerId, unsigned intervalMs) {
  if (!window || !SetTimer(static_cast<HWND>(window), timerId, intervalMs, nullptr)) return;
  if (!fineClockAsked) fineClockAsked = timeBeginPeriod(1) == TIMERR_NOERROR;
}

void DestroyPendantWindow(NativeWindow window) {
  if (!window) return;
  DestroyWindow(static_cast<HWND>(window));
  if (fineClockAsked) timeEndPeriod(1);
  fineClockAsked = false;
  // A DLL replaced in place and loaded again must not find a class whose procedure was in the
  // old one.
  UnregisterClassA(kPendantWindowClass, ThisModule());
}

}  // namespace pendant
