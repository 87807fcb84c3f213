// The virtual platform's HID bus: devices with paths and ids that a test or the bench plugs and
// unplugs, feeds input reports to (on time, late or never) and reads output reports from.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "device/hid_port.h"

namespace pendant {

// The data record of a virtual device notice.
struct VirtualDeviceNotice {
  static constexpr int kDeviceInterface = 5;
  int deviceType = kDeviceInterface;
  std::string path;
};

class VirtualHidBus {
 public:
  using Report = std::array<uint8_t, kInputReportSize>;

  struct WrittenReport {
    DeviceHandle handle;
    std::string path;
    std::vector<uint8_t> bytes;
  };

  struct HandleRecord {
    std::string path;
    HidAccess access;
    bool open;
    unsigned plugging;  // a handle dies with the plugging it was opened on
  };

  static VirtualHidBus& Instance();
  void Reset();

  // Attaches a device and broadcasts the arrival notice.
  void Plug(const std::string& path, uint16_t vendorId, uint16_t productId);
  // Detaches it: its open handles stop working; broadcasts the removal notice (with the path as
  // given, which may differ in case from the one enumerated).
  void Unplug(const std::string& path, const std::string& noticePath = "");
  // Detaches it without a notice, as when the notice is lost: its open handles stop working.
  void Detach(const std::string& path);
  bool IsPresent(const std::string& path) const;
  // Opens of path with this access fail from now on, as when another program holds the device
  // that way.
  void RefuseOpens(const std::string& path, HidAccess access);

  // Queues an input report that reads can collect from now + delayMs on. A reader opened later
  // starts with the device's latest report, as a pendant reports its state when opened.
  void SendReport(const std::string& path, const Report& report, int64_t delayMs = 0);

  std::span<const WrittenReport> Writes() const { return {writes_.data(), writeCount_}; }
  void ClearWrites() { writeCount_ = 0; }
  const std::map<DeviceHandle, HandleRecord>& Handles() const { return handles_; }
  int OpenHandles(const std::string& path, HidAccess access) const;
  // The longest wait any read asked for, in milliseconds.
  unsigned LongestWaitMs() const { return longestWaitMs_; }
  unsigned ReadsStarted() const { return readsStarted_; }

  // Used by the virtual adapter.
  DeviceHandle Open(const char* path, HidAccess access);
  void Close(DeviceHandle handle);
  bool Ids(DeviceHandle handle, uint16_t& vendorId, uint16_t& productId) const;
  bool PathAt(unsigned index, std::string& path) const;
  bool Usable(DeviceHandle handle, HidAccess access) const;
  // An open handle whose device was unplugged, or plugged again since it was opened.
  bool Gone(DeviceHandle handle) const;
  // Takes the oldest report of the handle's device that has arrived by timeMs.
  bool TakeReport(DeviceHandle handle, int64_t timeMs, Report& report);
  void NoteReadStarted() { ++readsStarted_; }
  void NoteWait(unsigned waitMs);
  void Write(DeviceHandle handle, const uint8_t* data, size_t length);

 private:
  struct Device {
    std::string path;
    uint16_t vendorId;
    uint16_t productId;
    bool present;
    unsigned plugging;
    std::optional<Report> latest;  // what a newly opened reader gets first
    // Arrival time and report, oldest first; a vector, as a deque allocates even when empty.
    std::vector<std::pair<int64_t, Report>> queued;
  };

  Device* FindDevice(const std::string& path);
  const Device* FindDevice(const std::string& path) const;
  // The handle's record while it is open; null for a closed or unknown handle.
  const HandleRecord* OpenRecord(DeviceHandle handle) const;
  Device* DeviceOf(const HandleRecord* record);
  const Device* DeviceOf(const HandleRecord* record) const;
  // The device behind an open handle of that access that still reaches it.
  Device* UsableDevice(DeviceHandle handle, HidAccess access);
  bool Refused(const char* path, HidAccess access) const;

  std::vector<Device> devices_;
  std::map<DeviceHandle, HandleRecord> handles_;
  std::set<std::pair<std::string, HidAccess>> refusedOpens_;
  DeviceHandle nextHandle_ = 0x100;
  unsigned pluggings_ = 0;
  // Records past writeCount_ are cleared ones kept for their storage: a write reuses them, so
  // recording a write allocates nothing once the bus has seen as many.
  std::vector<WrittenReport> writes_;
  size_t writeCount_ = 0;
  unsigned longestWaitMs_ = 0;
  unsigned readsStarted_ = 0;
};

}  // namespace pendant
