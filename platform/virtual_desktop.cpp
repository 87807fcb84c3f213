#include <cstdint>

#include "platform/virtual_desktop.h"

namespace pendant {
namespace {

NativeWindow HandleOf(size_t index) {
  return reinterpret_cast<NativeWindow>(index + 1);
}

}  // namespace

VirtualDesktop& VirtualDesktop::Instance() {
  static VirtualDesktop desktop;
  return desktop;
}

void VirtualDesktop::Reset() {
  windows_.clear();
  nowMs_ = kClockStartMs;
  refuseNotices_ = false;
}

VirtualDesktop::Window* VirtualDesktop::Lookup(NativeWindow window) {
  auto index = reinterpret_cast<uintptr_t>(window);
  if (index == 0 || index > windows_.size()) return nullptr;
  Window& found = windows_[index - 1];
  return found.alive ? &found : nullptr;
}

const VirtualDesktop::Window* VirtualDesktop::Find(NativeWindow window) const {
  return const_cast<VirtualDesktop*>(this)->Lookup(window);
}

NativeWindow VirtualDesktop::CreateHostWindow() {
  Window host;
  host.className = "Host";
  host.visible = true;
  host.alive = true;
  windows_.push_back(host);
  return HandleOf(windows_.size() - 1);
}

NativeWindow VirtualDesktop::CreateChild(NativeWindow parent, const char* className, int controlId,
                                         int width, int height, WindowEvents& events) {
  if (!Lookup(parent)) return nullptr;  // a child window needs a live parent
  Window child;
  child.parent = parent;
  child.className = className;
  child.controlId = controlId;
  child.width = width;
  child.height = height;
  child.alive = true;
  child.events = &events;
  windows_.push_back(child);
  return HandleOf(windows_.size() - 1);
}

void VirtualDesktop::Destroy(NativeWindow window) {
  if (Window* found = Lookup(window)) found->alive = false;
}

void VirtualDesktop::StartTimer(NativeWindow window, unsigned timerId, unsigned intervalMs) {
  Window* found = Lookup(window);
  if (!found || intervalMs == 0) return;
  found->timerId = timerId;
  found->timerIntervalMs = intervalMs;
  found->nextTickMs = nowMs_ + intervalMs;
}

bool VirtualDesktop::SubscribeDeviceNotices(NativeWindow window) {
  Window* found = Lookup(window);
  if (!found || refuseNotices_) return false;
  found->receivesDeviceNotices = true;
  return true;
}

void VirtualDesktop::UnsubscribeDeviceNotices(NativeWindow window) {
  if (Window* found = Lookup(window)) found->receivesDeviceNotices = false;
}

std::vector<NativeWindow> VirtualDesktop::ChildrenOf(NativeWindow parent) const {
  std::vector<NativeWindow> children;
  for (size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i].alive && windows_[i].parent == parent) children.push_back(HandleOf(i));
  }
  return children;
}

int64_t VirtualDesktop::NextTickDueMs() const {
  int64_t due = kNever;
  for (const Window& window : windows_) {
    if (window.alive && window.timerIntervalMs && window.nextTickMs < due) due = window.nextTickMs;
  }
  return due;
}

void VirtualDesktop::AdvanceTo(int64_t timeMs) {
  for (int64_t due = NextTickDueMs(); due <= timeMs; due = NextTickDueMs()) {
    nowMs_ = due;
    for (size_t i = 0; i < windows_.size(); ++i) {
      Window& window = windows_[i];
      if (!window.alive || !window.timerIntervalMs || window.nextTickMs != due) continue;
      window.nextTickMs += window.timerIntervalMs;
      ++window.ticksDelivered;
      window.events->OnTimer();  // may destroy windows; the loop re-reads by index
    }
  }
  if (timeMs > nowMs_) nowMs_ = timeMs;
}

void VirtualDesktop::BroadcastDeviceNotice(uintptr_t event, const void* data) {
  for (size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i].alive && windows_[i].receivesDeviceNotices && windows_[i].events) {
      windows_[i].events->OnDeviceChange(event, data);
    }
  }
}

}  // namespace pendant
