// The pendant window as the platform provides it: a hidden child window that receives a
// periodic timer and device notices on the host's user-interface thread.
#pragma once

#include "platform/native_window.h"

namespace pendant {

inline constexpr const char* kPendantWindowClass = "TrundleWin";
inline constexpr int kPendantWindowId = 1;

// Creates the hidden 10x10 child window (class TrundleWin, control id 1) under parent.
// Returns null when the platform refuses.
NativeWindow CreatePendantWindow(NativeWindow parent, WindowEvents& events);
void StartWindowTimer(NativeWindow window, unsigned timerId, unsigned intervalMs);
// Destroying the window also ends its timer.
void DestroyPendantWindow(NativeWindow window);

}  // namespace pendant
