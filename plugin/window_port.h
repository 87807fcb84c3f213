// The pendant window as the platform provides it: a hidden child window that receives a
// periodic timer and device notices on the host's user-interface thread.
#pragma once

#include <cstdint>

namespace pendant {

// A platform window handle (HWND on Windows, a desktop id on the virtual platform).
using NativeWindow = void*;

// What the window delivers to its owner.
class WindowEvents {
 public:
  // One timer tick; returns whether the tick goes on to the window's default processing.
  virtual bool OnTimer() = 0;
  // A device notice; the platform's event code and the address of its data record.
  virtual void OnDeviceChange(uintptr_t event, const void* data) = 0;

 protected:
  ~WindowEvents() = default;
};

inline constexpr const char* kPendantWindowClass = "TrundleWin";
inline constexpr int kPendantWindowId = 1;

// Creates the hidden 10x10 child window (class TrundleWin, control id 1) under parent.
// Returns null when the platform refuses.
NativeWindow CreatePendantWindow(NativeWindow parent, WindowEvents& events);
void StartWindowTimer(NativeWindow window, unsigned timerId, unsigned intervalMs);
// Destroying the window also ends its timer.
void DestroyPendantWindow(NativeWindow window);

}  // namespace pendant
