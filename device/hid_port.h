// The HID link as the platform provides it: list HID interfaces, open them, read input reports
// with a bounded wait, write output reports, and name the interface of a device notice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "device/report_length.h"
#include "platform/native_window.h"

namespace pendant {

// A platform device handle; kInvalidDevice (the platform's invalid value) when not open.
using DeviceHandle = intptr_t;
inline constexpr DeviceHandle kInvalidDevice = -1;

inline bool IsOpen(DeviceHandle handle) {
  return handle != kInvalidDevice;
}

enum class HidAccess {
  Probe,  // no access rights: only the attributes are read
  Read,   // overlapped reads of input reports
  Write,  // overlapped writes of output reports
};

DeviceHandle HidOpen(const char* path, HidAccess access);
// Closes an open handle and marks it invalid; an invalid handle is left alone.
void HidClose(DeviceHandle& handle);
bool HidReadIds(DeviceHandle probe, uint16_t& vendorId, uint16_t& productId);
// The report lengths the device states in its capabilities (report id byte included); the
// pendant's own lengths when it states none.
HidReportLengths HidReadReportLengths(DeviceHandle handle);

// The HID interfaces present, in the platform's enumeration order.
class HidInterfaceList {
 public:
  HidInterfaceList();
  ~HidInterfaceList();
  HidInterfaceList(const HidInterfaceList&) = delete;
  HidInterfaceList& operator=(const HidInterfaceList&) = delete;

  // Fills the interface path at index; false once past the last interface.
  bool PathAt(unsigned index, std::string& path);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// How long closing waits for a cancelled read or write before it goes on: a HID stack slow to
// cancel must not hold the host's window.
inline constexpr unsigned kCancelWaitMs = 100;

// The overlapped read of one handle: one read in flight at a time. A read that does not finish
// within the wait stays in flight and is collected by a later call, so a late report is
// delivered one cycle late rather than lost.
class HidReader {
 public:
  HidReader();
  ~HidReader();
  HidReader(const HidReader&) = delete;
  HidReader& operator=(const HidReader&) = delete;

  // Creates the read event once; later calls keep it.
  void EnsureEvent();
  // The device's input report length; reads take whole reports of it.
  void SetReportLength(size_t length);
  // Copies the first bytes of the newest complete report into report and returns true when one
  // completes within waitMs (reports already waiting are all taken, the last one kept, within
  // the same bound); otherwise leaves report untouched.
  bool Read(DeviceHandle handle, uint8_t (&report)[kInputReportSize], unsigned waitMs);
  // Abandons the read in flight and closes the handle (marking it invalid).
  void Close(DeviceHandle& handle);
  // Whether a read failed because the device is gone (cleared by Close).
  bool DeviceGone() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The overlapped write of one handle: at most one write in flight, so a pendant that stops
// taking reports never blocks the caller. A report offered while the previous one is still on
// its way is skipped; the next finished write carries the newest screen.
class HidWriter {
 public:
  HidWriter();
  ~HidWriter();
  HidWriter(const HidWriter&) = delete;
  HidWriter& operator=(const HidWriter&) = delete;

  // The device's output report length; every write sends exactly this many bytes.
  void SetReportLength(size_t length);
  // Starts writing report, cut or padded to the device's length; false when it was skipped
  // (a write still in flight) or could not start.
  bool Write(DeviceHandle handle, const uint8_t* report, size_t size);
  // Cancels a write in flight and closes the handle (marking it invalid).
  void Close(DeviceHandle& handle);
  // Whether a write failed because the device is gone (cleared by Close).
  bool DeviceGone() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A subscription to device notices; kNoNotices when the platform refused it.
using NoticeRegistration = void*;
inline constexpr NoticeRegistration kNoNotices = nullptr;

// Subscribes window to arrival and removal notices of HID interfaces.
NoticeRegistration RegisterHidNotices(NativeWindow window);
// Ends a subscription and marks it kNoNotices; kNoNotices is left alone.
void UnregisterHidNotices(NoticeRegistration& registration);

inline constexpr uintptr_t kDeviceArrival = 0x8000;
inline constexpr uintptr_t kDeviceRemoveComplete = 0x8004;

// The interface path named by a device notice's data record, when the record describes a
// device interface; false for other device types or no record.
bool InterfacePathOfNotice(const void* data, std::string& path);

}  // namespace pendant
