#include "device/pendant_link.h"

#include "pendant/pendant_ids.h"

namespace pendant {
namespace {

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

void PendantLink::Close() {
  HidClose(probeHandle_);
  ClosePendantHandles();
  UnregisterHidNotices(notices_);
}

LinkChange PendantLink::FindPendant(NativeWindow window) {
  window_ = window;
  UnregisterHidNotices(notices_);
  notices_ = RegisterHidNotices(window);
  return DiscoverPendant();
}

LinkChange PendantLink::LookAgain() {
  if (deviceOpen_ || !WithoutNotices()) return LinkChange::None;
  notices_ = RegisterHidNotices(window_);
  return DiscoverPendant();
}

LinkChange PendantLink::DiscoverPendant() {
  HidClose(probeHandle_);
  HidInterfaceList interfaces;
  std::string path;
  for (unsigned index = 0; interfaces.PathAt(index, path); ++index) {
    probeHandle_ = HidOpen(path.c_str(), HidAccess::Probe);
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    const bool matched = HidReadIds(probeHandle_, vendorId, productId) &&
                         vendorId == kPendantVendorId && productId == kPendantProductId;
    if (!matched) {
      HidClose(probeHandle_);
      continue;
    }
    // The first matching interface is the pendant; its probe handle stays open.
    notifyPath_ = path;
    reader_.EnsureEvent();
    devicePath_ = path;
    OpenPendantHandles();
    return LinkChange::Opened;
  }
  return LinkChange::None;
}

DeviceNotice DeviceNotice::Read(uintptr_t event, const void* data) {
  DeviceNotice notice;
  notice.event = event;
  notice.named = InterfacePathOfNotice(data, notice.path);
  return notice;
}

LinkChange PendantLink::DeviceChangeHandler(const DeviceNotice& notice) {
  if (notice.event == kDeviceArrival) {
    if (!deviceOpen_) return DiscoverPendant();  // the pendant, on its old path or a new one
    // Any HID arrival may disturb the open pendant: reopen its path. A pendant that no longer
    // opens there went away without a notice.
    ClosePendantHandles();
    OpenPendantHandles();
    return deviceOpen_ ? LinkChange::Reopened : PendantGone();
  }
  if (notice.event == kDeviceRemoveComplete && deviceOpen_) {
    if (notice.named && SamePathIgnoringCase(notice.path, notifyPath_)) {
      return PendantGone();
    }
  }
  return LinkChange::None;
}

LinkChange PendantLink::PendantGone() {
  ClosePendantHandles();
  HidClose(probeHandle_);
  return LinkChange::Removed;
}

LinkChange PendantLink::TakeLoss() {
  if (!deviceOpen_ || !(reader_.DeviceGone() || writer_.DeviceGone())) return LinkChange::None;
  return PendantGone();
}

void PendantLink::OpenPendantHandles() {
  readHandle_ = HidOpen(devicePath_.c_str(), HidAccess::Read);
  writeHandle_ = HidOpen(devicePath_.c_str(), HidAccess::Write);
  // Reads and writes take the lengths the device states, whatever its descriptor says.
  const HidReportLengths lengths =
      HidReadReportLengths(IsOpen(readHandle_) ? readHandle_ : writeHandle_);
  reader_.SetReportLength(lengths.input);
  writer_.SetReportLength(lengths.output);
  // A failed reopen (another device arriving while the pendant is away) leaves it closed, so
  // the last report of a removed pendant is never decoded again as live input.
  deviceOpen_ = IsOpen(readHandle_) || IsOpen(writeHandle_);
}

void PendantLink::ClosePendantHandles() {
  reader_.Close(readHandle_);
  writer_.Close(writeHandle_);
  deviceOpen_ = false;
}

bool PendantLink::Read(uint8_t (&report)[kInputReportSize], unsigned waitMs) {
  return reader_.Read(readHandle_, report, waitMs);
}

void PendantLink::Write(const uint8_t* report, size_t size) {
  writer_.Write(writeHandle_, report, size);
}

}  // namespace pendant
