// The pendant link: finds the pendant among the HID interfaces, keeps its handles and the read
// and write in flight, and follows arrival and removal notices. One object holds all of it,
// the way hidapi's device object bundles a handle with its overlapped I/O.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "device/hid_port.h"
#include "platform/native_window.h"

namespace pendant {

// What a device notice, a read or a write did to the link.
enum class LinkChange {
  None,
  Opened,    // the pendant opened after being closed: it starts from rest
  Reopened,  // the open pendant's handles were reopened (another device arrived)
  Removed,   // the pendant went away and its handles are closed
};

// A device notice, copied out of its message so that acting on it can wait.
struct DeviceNotice {
  uintptr_t event = 0;
  bool named = false;  // the notice names a device interface, by path
  std::string path;

  static DeviceNotice Read(uintptr_t event, const void* data);
};

class PendantLink {
 public:
  PendantLink() = default;
  ~PendantLink() { Close(); }
  PendantLink(const PendantLink&) = delete;
  PendantLink& operator=(const PendantLink&) = delete;

  // Subscribes window to HID notices, whether or not the pendant is there (one plugged in
  // later, or on another port, is found by the discovery its arrival runs), then looks for it.
  LinkChange FindPendant(NativeWindow window);
  // An arrival reopens the open pendant, or runs the discovery again while it is away; the
  // removal of the pendant's interface closes it.
  LinkChange DeviceChangeHandler(const DeviceNotice& notice);
  // Whether no notice can be expected: the subscription was refused.
  bool WithoutNotices() const { return notices_ == kNoNotices; }
  // While the pendant is closed and notices are refused: asks for them again and runs the
  // discovery (the caller paces it).
  LinkChange LookAgain();

  // The newest complete report within waitMs into report; false leaves report untouched (the
  // read stays in flight and lands in a later call).
  bool Read(uint8_t (&report)[kInputReportSize], unsigned waitMs);
  // Starts writing report; a write still in flight makes this one skip.
  void Write(const uint8_t* report, size_t size);
  // Removed once when a read or write found the device gone (its handles are closed then), as
  // its removal notice would have; None otherwise.
  LinkChange TakeLoss();
  // Closes every handle, the probe's included, and ends the notice subscription.
  void Close();

  bool DeviceOpen() const { return deviceOpen_; }
  const std::string& DevicePath() const { return devicePath_; }
  const std::string& NotifyPath() const { return notifyPath_; }
  DeviceHandle ReadHandle() const { return readHandle_; }
  DeviceHandle WriteHandle() const { return writeHandle_; }

 private:
  // Enumerates the HID interfaces and opens the first pendant among them.
  LinkChange DiscoverPendant();
  // Opens DevicePath for reading and writing; the pendant counts as open when either opened.
  void OpenPendantHandles();
  void ClosePendantHandles();
  // Closes everything of a pendant that went away; its probe handle is dead too.
  LinkChange PendantGone();

  NativeWindow window_ = nullptr;
  NoticeRegistration notices_ = kNoNotices;
  std::string devicePath_;
  std::string notifyPath_;
  bool deviceOpen_ = false;
  DeviceHandle probeHandle_ = kInvalidDevice;
  DeviceHandle readHandle_ = kInvalidDevice;
  DeviceHandle writeHandle_ = kInvalidDevice;
  HidReader reader_;  // the read event and the overlapped read in flight
  HidWriter writer_;  // the overlapped write in flight
};

}  // namespace pendant
