// Finding the pendant, keeping its handles, and following arrival and removal notices.

#include "device/hid_port.h"
#include "device/pendant_ids.h"
#include "plugin/host_numbers.h"
#include "plugin/plugin_module.h"
#include "plugin/trundle_win.h"

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

bool TrundleWin::FindPendant() {
  // Notices are subscribed whether or not the pendant is there: one plugged in later, or on
  // another port, is found by the discovery its arrival runs.
  RegisterArrivalNotice();
  DiscoverPendant();
  StartWindowTimer(window_, kPollTimerId, kPollIntervalMs);
  return DeviceOpen;
}

void TrundleWin::DiscoverPendant() {
  HidClose(ProbeHandle);
  HidInterfaceList interfaces;
  std::string path;
  for (unsigned index = 0; interfaces.PathAt(index, path); ++index) {
    ProbeHandle = HidOpen(path.c_str(), HidAccess::Probe);
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    const bool matched = HidReadIds(ProbeHandle, vendorId, productId) &&
                         vendorId == kPendantVendorId && productId == kPendantProductId;
    if (!matched) {
      HidClose(ProbeHandle);
      continue;
    }
    // The first matching interface is the pendant; its probe handle stays open.
    NotifyPath = path;
    Reader.EnsureEvent();
    DevicePath = path;
    OpenPendantHandles();
    return;
  }
}

void TrundleWin::RegisterArrivalNotice() {
  RegisterHidNotices(window_);
}

bool TrundleWin::DeviceChangeHandler(uintptr_t event, const void* data) {
  if (event == kDeviceArrival) {
    if (DeviceOpen) {
      // Any HID arrival may disturb the open pendant: reopen its path.
      ClosePendantHandles();
      OpenPendantHandles();
    } else {
      // The arrival may be the pendant, on its old path or a new one.
      DiscoverPendant();
    }
  } else if (event == kDeviceRemoveComplete) {
    std::string path;
    if (InterfacePathOfNotice(data, path) && SamePathIgnoringCase(path, NotifyPath)) {
      EndActiveWheelJog();
      ClosePendantHandles();
      // 1021 toggles the host's stop: send it only when the host is not stopped already, or
      // the pendant's disappearance would release the stop.
      if (!module_.host.GetLed(kEmergencyStopLed)) module_.host.DoButton(kEmergencyStopButton);
    }
  }
  return true;
}

void TrundleWin::OpenPendantHandles() {
  ReadHandle = HidOpen(DevicePath.c_str(), HidAccess::Read);
  WriteHandle = HidOpen(DevicePath.c_str(), HidAccess::Write);
  // Reads and writes take the lengths the device states, whatever its descriptor says.
  const HidReportLengths lengths =
      HidReadReportLengths(IsOpen(ReadHandle) ? ReadHandle : WriteHandle);
  Reader.SetReportLength(lengths.input);
  Writer.SetReportLength(lengths.output);
  // A failed reopen (another device arriving while the pendant is away) leaves it closed, so
  // the last report of a removed pendant is never decoded again as live input.
  DeviceOpen = IsOpen(ReadHandle) || IsOpen(WriteHandle);
  // The pendant starts from rest: counts turned before it went away must not start a jog.
  WheelBaselinePending = true;
  CountHistory[0] = CountHistory[1] = 0.0;
}

void TrundleWin::ClosePendantHandles() {
  Reader.Close(ReadHandle);
  Writer.Close(WriteHandle);
  DeviceOpen = false;
}

}  // namespace pendant
