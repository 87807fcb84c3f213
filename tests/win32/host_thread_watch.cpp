#include "tests/win32/host_thread_watch.h"

#include <chrono>
#include <cstring>

namespace pendant::test {
namespace {

// Posted to a window and noted when the loop takes it; dialogs ignore it.
constexpr UINT kLoopMarker = WM_APP + 0x2A;

bool IsDialogClass(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, "#32770") == 0;
}

}  // namespace

HostThreadWatch* HostThreadWatch::current_ = nullptr;

HostThreadWatch::HostThreadWatch(HWND tickTarget)
    : tickTarget_(tickTarget), thread_(GetCurrentThreadId()) {
  current_ = this;
  taken_ = SetWindowsHookExA(WH_GETMESSAGE, OnMessageTaken, nullptr, thread_);
  handled_ = SetWindowsHookExA(WH_CALLWNDPROCRET, OnMessageHandled, nullptr, thread_);
}

HostThreadWatch::~HostThreadWatch() {
  if (taken_) UnhookWindowsHookEx(taken_);
  if (handled_) UnhookWindowsHookEx(handled_);
  current_ = nullptr;
}

LRESULT CALLBACK HostThreadWatch::OnMessageTaken(int code, WPARAM removed, LPARAM message) {
  const auto* taken = reinterpret_cast<const MSG*>(message);
  if (code == HC_ACTION && removed == PM_REMOVE && current_) {
    HostThreadWatch& watch = *current_;
    const bool tick = taken->message == WM_TIMER && taken->hwnd == watch.tickTarget_;
    if (tick || taken->message == kLoopMarker) {
      std::lock_guard lock(watch.mutex_);
      if (tick) ++watch.ticks_;
      if (taken->message == kLoopMarker) ++watch.markersTaken_;
      watch.changed_.notify_all();
    }
  }
  return CallNextHookEx(nullptr, code, removed, message);
}

LRESULT CALLBACK HostThreadWatch::OnMessageHandled(int code, WPARAM sent, LPARAM message) {
  const auto* handled = reinterpret_cast<const CWPRETSTRUCT*>(message);
  if (code == HC_ACTION && current_) {
    HostThreadWatch& watch = *current_;
    if (handled->message == WM_INITDIALOG && IsDialogClass(handled->hwnd)) {
      std::lock_guard lock(watch.mutex_);
      watch.dialogs_.push_back({handled->hwnd, GetWindow(handled->hwnd, GW_OWNER)});
      watch.changed_.notify_all();
    } else if (handled->message == WM_NCDESTROY) {
      std::lock_guard lock(watch.mutex_);
      watch.closed_.insert(handled->hwnd);
      watch.changed_.notify_all();
    }
  }
  return CallNextHookEx(nullptr, code, sent, message);
}

template <typename Condition>
bool HostThreadWatch::WaitUntil(DWORD timeoutMs, Condition condition) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                    [&] { return finished_ || condition(); });
  return condition();
}

HWND HostThreadWatch::OpenDialogOf(HWND owner) const {
  for (auto opened = dialogs_.rbegin(); opened != dialogs_.rend(); ++opened) {
    if (opened->owner == owner && !closed_.count(opened->dialog)) return opened->dialog;
  }
  return nullptr;
}

void HostThreadWatch::Finish() {
  std::lock_guard lock(mutex_);
  finished_ = true;
  changed_.notify_all();
}

HWND HostThreadWatch::WaitForDialog(HWND owner, DWORD timeoutMs) {
  HWND dialog = nullptr;
  WaitUntil(timeoutMs, [&] { return (dialog = OpenDialogOf(owner)) != nullptr; });
  return dialog;
}

bool HostThreadWatch::WaitForClosed(HWND window, DWORD timeoutMs) {
  return WaitUntil(timeoutMs, [&] { return closed_.count(window) > 0; });
}

int HostThreadWatch::Ticks() {
  std::lock_guard lock(mutex_);
  return ticks_;
}

bool HostThreadWatch::WaitForTicksAbove(int ticks, DWORD timeoutMs) {
  return WaitUntil(timeoutMs, [&] { return ticks_ > ticks; });
}

bool HostThreadWatch::WaitForMessageLoop(HWND window, DWORD timeoutMs) {
  int marker = 0;
  {
    std::lock_guard lock(mutex_);
    marker = ++markersPosted_;
  }
  if (!PostMessageA(window, kLoopMarker, 0, 0)) return false;
  return WaitUntil(timeoutMs, [&] { return markersTaken_ >= marker; });
}

}  // namespace pendant::test
