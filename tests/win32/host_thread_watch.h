// Watches the host's thread while a modal dialog runs on it, so that another thread can drive
// the dialog without guessing when things happen: hooks on the host's thread note each dialog
// as it finishes opening, each window as it goes away, the timer ticks of one window and the
// messages its loop takes, and wake the driving thread. Every wait is bounded.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <vector>

namespace pendant::test {

class HostThreadWatch {
 public:
  // Watches the calling thread; counts the timer ticks that reach tickTarget.
  explicit HostThreadWatch(HWND tickTarget);
  ~HostThreadWatch();
  HostThreadWatch(const HostThreadWatch&) = delete;
  HostThreadWatch& operator=(const HostThreadWatch&) = delete;

  DWORD ThreadId() const { return thread_; }
  // The modal run is over: waiting for anything more ends at once.
  void Finish();

  // A dialog of this owner (none: null) that has opened and not yet closed, or null when none
  // opened within timeoutMs.
  HWND WaitForDialog(HWND owner, DWORD timeoutMs);
  bool WaitForClosed(HWND window, DWORD timeoutMs);
  int Ticks();
  bool WaitForTicksAbove(int ticks, DWORD timeoutMs);
  // Waits until the thread's message loop has taken every message posted to window before this
  // call, and so has finished whatever those messages started.
  bool WaitForMessageLoop(HWND window, DWORD timeoutMs);

 private:
  struct OpenedDialog {
    HWND dialog;
    HWND owner;
  };

  static LRESULT CALLBACK OnMessageTaken(int code, WPARAM removed, LPARAM message);
  static LRESULT CALLBACK OnMessageHandled(int code, WPARAM sent, LPARAM message);
  template <typename Condition>
  bool WaitUntil(DWORD timeoutMs, Condition condition);
  HWND OpenDialogOf(HWND owner) const;

  static HostThreadWatch* current_;

  const HWND tickTarget_;
  const DWORD thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<OpenedDialog> dialogs_;
  std::set<HWND> closed_;
  int ticks_ = 0;
  int markersPosted_ = 0;
  int markersTaken_ = 0;
  bool finished_ = false;
  HHOOK taken_ = nullptr;
  HHOOK handled_ = nullptr;
};

}  // namespace pendant::test
