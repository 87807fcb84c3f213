#include "tests/win32/host_window.h"

namespace pendant::test {
namespace {

constexpr const char* kHostClass = "SubstituteHostMain";

ATOM RegisterHostClass() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kHostClass;
  return RegisterClassA(&windowClass);
}

}  // namespace

HostWindow::HostWindow() {
  static const ATOM registered = RegisterHostClass();
  if (!registered) return;
  window_ = CreateWindowExA(0, kHostClass, "Substitute host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HostWindow::~HostWindow() {
  if (window_) DestroyWindow(window_);
}

int HostWindow::PumpCountingTicks(HWND target, DWORD durationMs) const {
  int ticks = 0;
  const ULONGLONG end = GetTickCount64() + durationMs;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER && message.hwnd == target) ++ticks;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
  return ticks;
}

}  // namespace pendant::test
