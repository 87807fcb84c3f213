// The platform's window handle and what a window delivers to its owner.
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

}  // namespace pendant
