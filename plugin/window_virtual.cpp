// The pendant window on the virtual desktop.
#include "platform/virtual_desktop.h"
#include "plugin/window_port.h"

namespace pendant {

NativeWindow CreatePendantWindow(NativeWindow parent, WindowEvents& events) {
  return VirtualDesktop::Instance().CreateChild(parent, kPendantWindowClass, kPendantWindowId, 10,
                                                10, events);
}

void StartWindowTimer(NativeWindow window, unsigned timerId, unsigned intervalMs) {
  VirtualDesktop::Instance().StartTimer(window, timerId, intervalMs);
}

void DestroyPendantWindow(NativeWindow window) {
  VirtualDesktop::Instance().Destroy(window);
}

}  // namespace pendant
