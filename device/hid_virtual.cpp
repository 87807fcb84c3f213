#include <algorithm>
#include <cstring>

#include "device/hid_port.h"
#include "device/virtual_hid_bus.h"
#include "platform/virtual_desktop.h"

namespace pendant {

VirtualHidBus& VirtualHidBus::Instance() {
  static VirtualHidBus bus;
  return bus;
}

void VirtualHidBus::Reset() {
  *this = VirtualHidBus();
}

VirtualHidBus::Device* VirtualHidBus::FindDevice(const std::string& path) {
  for (Device& device : devices_) {
    if (device.path == path) return &device;
  }
  return nullptr;
}

const VirtualHidBus::Device* VirtualHidBus::FindDevice(const std::string& path) const {
  return const_cast<VirtualHidBus*>(this)->FindDevice(path);
}

const VirtualHidBus::HandleRecord* VirtualHidBus::OpenRecord(DeviceHandle handle) const {
  auto found = handles_.find(handle);
  return found != handles_.end() && found->second.open ? &found->second : nullptr;
}

// A handle's device is the plugging it was opened on, found by its number: a device plugged
// again is a new plugging, so the handle finds none.
VirtualHidBus::Device* VirtualHidBus::DeviceOf(const HandleRecord* record) {
  if (!record) return nullptr;
  for (Device& device : devices_) {
    if (device.plugging == record->plugging) return device.present ? &device : nullptr;
  }
  return nullptr;
}

const VirtualHidBus::Device* VirtualHidBus::DeviceOf(const HandleRecord* record) const {
  return const_cast<VirtualHidBus*>(this)->DeviceOf(record);
}

void VirtualHidBus::Plug(const std::string& path, uint16_t vendorId, uint16_t productId) {
  // A device plugged again is enumerated after those already present, as a new one would be.
  std::erase_if(devices_, [&](const Device& device) { return device.path == path; });
  devices_.push_back({path, vendorId, productId, true, ++pluggings_, std::nullopt, {}});
  VirtualDeviceNotice notice;
  notice.path = path;
  VirtualDesktop::Instance().BroadcastDeviceNotice(kDeviceArrival, &notice);
}

void VirtualHidBus::Detach(const std::string& path) {
  Device* device = FindDevice(path);
  if (!device) return;
  device->present = false;
  device->queued.clear();
}

void VirtualHidBus::Unplug(const std::string& path, const std::string& noticePath) {
  if (!IsPresent(path)) return;
  Detach(path);
  VirtualDeviceNotice notice;
  notice.path = noticePath.empty() ? path : noticePath;
  VirtualDesktop::Instance().BroadcastDeviceNotice(kDeviceRemoveComplete, &notice);
}

bool VirtualHidBus::IsPresent(const std::string& path) const {
  const Device* device = FindDevice(path);
  return device && device->present;
}

void VirtualHidBus::SendReport(const std::string& path, const Report& report, int64_t delayMs) {
  Device* device = FindDevice(path);
  if (!device || !device->present) return;
  device->latest = report;
  device->queued.emplace_back(VirtualDesktop::Instance().NowMs() + delayMs, report);
}

int VirtualHidBus::OpenHandles(const std::string& path, HidAccess access) const {
  return static_cast<int>(std::count_if(handles_.begin(), handles_.end(), [&](const auto& entry) {
    return entry.second.open && entry.second.access == access && entry.second.path == path;
  }));
}

void VirtualHidBus::RefuseOpens(const std::string& path, HidAccess access) {
  refusedOpens_.emplace(path, access);
}

// Compares in place: a lookup key would copy the path on every open.
bool VirtualHidBus::Refused(const char* path, HidAccess access) const {
  return std::any_of(refusedOpens_.begin(), refusedOpens_.end(), [&](const auto& refused) {
    return refused.second == access && refused.first == path;
  });
}

DeviceHandle VirtualHidBus::Open(const char* path, HidAccess access) {
  Device* device = path ? FindDevice(path) : nullptr;
  if (!device || !device->present || Refused(path, access)) return kInvalidDevice;
  if (access == HidAccess::Read && device->latest) {
    device->queued.clear();
    device->queued.emplace_back(VirtualDesktop::Instance().NowMs(), *device->latest);
  }
  DeviceHandle handle = nextHandle_++;
  handles_[handle] = {path, access, true, device->plugging};
  return handle;
}

void VirtualHidBus::Close(DeviceHandle handle) {
  auto found = handles_.find(handle);
  if (found != handles_.end()) found->second.open = false;
}

bool VirtualHidBus::Ids(DeviceHandle handle, uint16_t& vendorId, uint16_t& productId) const {
  const Device* device = DeviceOf(OpenRecord(handle));
  if (!device) return false;
  vendorId = device->vendorId;
  productId = device->productId;
  return true;
}

bool VirtualHidBus::PathAt(unsigned index, std::string& path) const {
  unsigned seen = 0;
  for (const Device& device : devices_) {
    if (!device.present) continue;
    if (seen++ == index) {
      path = device.path;
      return true;
    }
  }
  return false;
}

bool VirtualHidBus::Gone(DeviceHandle handle) const {
  const HandleRecord* record = OpenRecord(handle);
  return record && !DeviceOf(record);
}

VirtualHidBus::Device* VirtualHidBus::UsableDevice(DeviceHandle handle, HidAccess access) {
  const HandleRecord* record = OpenRecord(handle);
  return record && record->access == access ? DeviceOf(record) : nullptr;
}

bool VirtualHidBus::Usable(DeviceHandle handle, HidAccess access) const {
  return const_cast<VirtualHidBus*>(this)->UsableDevice(handle, access) != nullptr;
}

bool VirtualHidBus::TakeReport(DeviceHandle handle, int64_t timeMs, Report& report) {
  Device* device = UsableDevice(handle, HidAccess::Read);
  if (!device || device->queued.empty() || device->queued.front().first > timeMs) return false;
  report = device->queued.front().second;
  device->queued.erase(device->queued.begin());
  return true;
}

void VirtualHidBus::NoteWait(unsigned waitMs) {
  longestWaitMs_ = std::max(longestWaitMs_, waitMs);
}

void VirtualHidBus::Write(DeviceHandle handle, const uint8_t* data, size_t length) {
  const Device* device = UsableDevice(handle, HidAccess::Write);
  if (!device) return;
  if (writeCount_ == writes_.size()) writes_.emplace_back();
  WrittenReport& write = writes_[writeCount_++];
  write.handle = handle;
  write.path = device->path;  // the path the handle was opened with: opens match it exactly
  write.bytes.assign(data, data + length);
}

// Platform port ------------------------------------------------------------------------------

DeviceHandle HidOpen(const char* path, HidAccess access) {
  return VirtualHidBus::Instance().Open(path, access);
}

void HidClose(DeviceHandle& handle) {
  if (!IsOpen(handle)) return;
  VirtualHidBus::Instance().Close(handle);
  handle = kInvalidDevice;
}

bool HidReadIds(DeviceHandle probe, uint16_t& vendorId, uint16_t& productId) {
  return IsOpen(probe) && VirtualHidBus::Instance().Ids(probe, vendorId, productId);
}

HidReportLengths HidReadReportLengths(DeviceHandle) {
  return {};  // the virtual pendant has the pendant's own lengths
}

struct HidInterfaceList::Impl {};

HidInterfaceList::HidInterfaceList() = default;
HidInterfaceList::~HidInterfaceList() = default;

bool HidInterfaceList::PathAt(unsigned index, std::string& path) {
  return VirtualHidBus::Instance().PathAt(index, path);
}

struct HidReader::Impl {
  bool hasEvent = false;
  bool inFlight = false;
  bool gone = false;
  DeviceHandle handle = kInvalidDevice;
};

HidReader::HidReader() : impl_(std::make_unique<Impl>()) {}
HidReader::~HidReader() = default;

void HidReader::EnsureEvent() {
  impl_->hasEvent = true;
}

void HidReader::SetReportLength(size_t) {}  // the bus hands over whole reports
bool HidReader::Read(DeviceHandle handle, uint8_t (&report)[kInputReportSize], unsigned waitMs) {
  if (!IsOpen(handle) || !impl_->hasEvent) return false;
  VirtualHidBus& bus = VirtualHidBus::Instance();
  if (bus.Gone(handle)) {
    impl_->gone = true;
    return false;
  }
  const int64_t now = VirtualDesktop::Instance().NowMs();
  VirtualHidBus::Report arrived;
  if (!impl_->inFlight || impl_->handle != handle) {
    impl_->inFlight = true;
    impl_->handle = handle;
    bus.NoteReadStarted();
    if (bus.TakeReport(handle, now, arrived)) {
      impl_->inFlight = false;
      std::memcpy(report, arrived.data(), kInputReportSize);
      return true;
    }
  }
  bus.NoteWait(waitMs);
  if (!bus.TakeReport(handle, now + waitMs, arrived)) return false;
  impl_->inFlight = false;
  std::memcpy(report, arrived.data(), kInputReportSize);
  return true;
}

void HidReader::Close(DeviceHandle& handle) {
  if (impl_->handle == handle) impl_->inFlight = false;
  HidClose(handle);
  impl_->gone = false;
}

bool HidReader::DeviceGone() const {
  return impl_->gone;
}

// The bus takes every write at once, so none is ever in flight.
struct HidWriter::Impl {
  bool gone = false;
  size_t length = kDisplayReportSize;
  uint8_t outgoing[kMaxReportLength] = {};
};

HidWriter::HidWriter() : impl_(std::make_unique<Impl>()) {}
HidWriter::~HidWriter() = default;

void HidWriter::SetReportLength(size_t length) {
  impl_->length = UsableReportLengths(0, length).output;
}

bool HidWriter::Write(DeviceHandle handle, const uint8_t* report, size_t size) {
  if (!IsOpen(handle)) return false;
  if (VirtualHidBus::Instance().Gone(handle)) {
    impl_->gone = true;
    return false;
  }
  const size_t length = FitReport(report, size, impl_->length, impl_->outgoing);
  VirtualHidBus::Instance().Write(handle, impl_->outgoing, length);
  return true;
}

void HidWriter::Close(DeviceHandle& handle) {
  HidClose(handle);
  impl_->gone = false;
}

bool HidWriter::DeviceGone() const {
  return impl_->gone;
}

// The registration is the subscribed window itself.
NoticeRegistration RegisterHidNotices(NativeWindow window) {
  return VirtualDesktop::Instance().SubscribeDeviceNotices(window) ? window : kNoNotices;
}

void UnregisterHidNotices(NoticeRegistration& registration) {
  if (registration == kNoNotices) return;
  VirtualDesktop::Instance().UnsubscribeDeviceNotices(registration);
  registration = kNoNotices;
}

bool InterfacePathOfNotice(const void* data, std::string& path) {
  const auto* notice = static_cast<const VirtualDeviceNotice*>(data);
  if (!notice || notice->deviceType != VirtualDeviceNotice::kDeviceInterface) return false;
  path = notice->path;
  return true;
}

}  // namespace pendant
