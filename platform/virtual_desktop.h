// The virtual platform's windowing: windows with parents, ids and timers, a clock that tests and
// the bench advance, and device notices delivered to subscribed windows. Everything runs on the
// caller's thread, in order, so time and devices are deterministic.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/native_window.h"

namespace pendant {

class VirtualDesktop {
 public:
  struct Window {
    NativeWindow parent = nullptr;
    std::string className;
    int controlId = 0;
    bool visible = false;
    int width = 0;
    int height = 0;
    bool alive = false;
    WindowEvents* events = nullptr;
    unsigned timerId = 0;
    unsigned timerIntervalMs = 0;  // 0: no timer
    int64_t nextTickMs = 0;
    bool receivesDeviceNotices = false;
    uint64_t ticksDelivered = 0;
  };

  static constexpr int64_t kNever = std::numeric_limits<int64_t>::max();

  static VirtualDesktop& Instance();
  // Forgets every window and sets the clock back to its odd start value.
  void Reset();

  int64_t NowMs() const { return nowMs_; }

  // A top-level window standing in for the host's main window.
  NativeWindow CreateHostWindow();
  NativeWindow CreateChild(NativeWindow parent, const char* className, int controlId, int width,
                           int height, WindowEvents& events);
  void Destroy(NativeWindow window);
  void StartTimer(NativeWindow window, unsigned timerId, unsigned intervalMs);
  // False when notices are refused (RefuseDeviceNotices) or the window is unknown.
  bool SubscribeDeviceNotices(NativeWindow window);
  void UnsubscribeDeviceNotices(NativeWindow window);
  // Makes later subscriptions fail, as a platform that cannot deliver notices.
  void RefuseDeviceNotices(bool refuse) { refuseNotices_ = refuse; }

  const Window* Find(NativeWindow window) const;
  std::vector<NativeWindow> ChildrenOf(NativeWindow parent) const;

  // When the next timer tick is due, or kNever.
  int64_t NextTickDueMs() const;
  // Moves the clock to timeMs, delivering every timer tick due on the way in time order.
  void AdvanceTo(int64_t timeMs);
  // Delivers a device notice at once to every subscribed live window.
  void BroadcastDeviceNotice(uintptr_t event, const void* data);

 private:
  Window* Lookup(NativeWindow window);

  std::vector<Window> windows_;  // a window's handle is its index + 1
  static constexpr int64_t kClockStartMs = 7777;
  int64_t nowMs_ = kClockStartMs;
  bool refuseNotices_ = false;
};

}  // namespace pendant
