// The substitute host's main window and its message loop.
#pragma once

#include <windows.h>

namespace pendant::test {

class HostWindow {
 public:
  HostWindow();
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return window_; }

  // Runs the message loop for about durationMs and returns how many WM_TIMER messages it
  // dispatched to target.
  int PumpCountingTicks(HWND target, DWORD durationMs) const;

 private:
  HWND window_ = nullptr;
};

}  // namespace pendant::test
