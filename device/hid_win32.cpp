// The HID link on Windows: SetupDi enumeration, HidD attributes, file handles on the interface
// path, one overlapped read in flight at a time, and device-interface notices.
#include <windows.h>

#include <dbt.h>
#include <setupapi.h>
extern "C" {  // mingw's HID header declares C functions without saying so
#include <hidsdi.h>
}

#include <cstddef>
#include <cstring>
#include <vector>

#include "device/hid_port.h"

namespace pendant {
namespace {

constexpr DWORD kSharedReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// kInvalidDevice is INVALID_HANDLE_VALUE seen as an integer.
HANDLE HandleOf(DeviceHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

GUID HidInterfaceClass() {
  GUID hidClass{};
  HidD_GetHidGuid(&hidClass);
  return hidClass;
}

}  // namespace

DeviceHandle HidOpen(const char* path, HidAccess access) {
  if (!path) return kInvalidDevice;
  DWORD rights = 0;
  DWORD flags = 0;
  if (access == HidAccess::Read) {
    rights = GENERIC_READ;
    flags = FILE_FLAG_OVERLAPPED;
  } else if (access == HidAccess::Write) {
    rights = GENERIC_WRITE;
  }
  HANDLE handle =
      CreateFileA(path, rights, kSharedReadWrite, nullptr, OPEN_EXISTING, flags, nullptr);
  return reinterpret_cast<DeviceHandle>(handle);
}

void HidClose(DeviceHandle& handle) {
  if (!IsOpen(handle)) return;
  CloseHandle(HandleOf(handle));
  handle = kInvalidDevice;
}

bool HidReadIds(DeviceHandle probe, uint16_t& vendorId, uint16_t& productId) {
  if (!IsOpen(probe)) return false;
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  if (!HidD_GetAttributes(HandleOf(probe), &attributes)) return false;
  vendorId = attributes.VendorID;
  productId = attributes.ProductID;
  return true;
}

void HidWrite(DeviceHandle handle, const uint8_t* data, size_t length) {
  if (!IsOpen(handle) || !data) return;
  DWORD written = 0;
  WriteFile(HandleOf(handle), data, static_cast<DWORD>(length), &written, nullptr);
}

// Interface list --------------------------------------------------------------------------

struct HidInterfaceList::Impl {
  GUID hidClass = HidInterfaceClass();
  HDEVINFO interfaces =
      SetupDiGetClassDevsA(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);

  ~Impl() {
    if (interfaces != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(interfaces);
  }
};

HidInterfaceList::HidInterfaceList() : impl_(std::make_unique<Impl>()) {}
HidInterfaceList::~HidInterfaceList() = default;

bool HidInterfaceList::PathAt(unsigned index, std::string& path) {
  if (impl_->interfaces == INVALID_HANDLE_VALUE) return false;
  SP_DEVICE_INTERFACE_DATA entry{};
  entry.cbSize = sizeof entry;
  if (!SetupDiEnumDeviceInterfaces(impl_->interfaces, nullptr, &impl_->hidClass, index, &entry)) {
    return false;
  }
  // An interface whose detail cannot be fetched still counts: its empty path opens nothing
  // and the enumeration goes on past it.
  path.clear();
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailA(impl_->interfaces, &entry, nullptr, 0, &required, nullptr);
  constexpr DWORD kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
  static_assert(sizeof(void*) != 4 || sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5,
                "the 32-bit system expects a size field of 5");
  if (required <= kPathOffset) return true;
  // DWORD elements keep the record aligned for its size field.
  std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD));
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  if (SetupDiGetDeviceInterfaceDetailA(impl_->interfaces, &entry, detail, required, nullptr,
                                       nullptr)) {
    path.assign(detail->DevicePath, strnlen(detail->DevicePath, required - kPathOffset));
  }
  return true;
}

// Overlapped reader -----------------------------------------------------------------------

struct HidReader::Impl {
  HANDLE event = nullptr;  // manual-reset; signalled when no read is in flight
  OVERLAPPED overlapped{};
  uint8_t landing[kInputReportSize] = {};  // only the read in flight writes here
  DeviceHandle handle = kInvalidDevice;    // the handle of the read in flight
  bool pending = false;

  ~Impl() {
    Abandon();
    if (event) CloseHandle(event);
  }

  enum class Start { Completed, Pending, Failed };

  Start StartRead(DeviceHandle target, DWORD& received) {
    ResetEvent(event);
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event;
    received = 0;
    if (ReadFile(HandleOf(target), landing, sizeof landing, &received, &overlapped)) {
      return Start::Completed;
    }
    if (GetLastError() != ERROR_IO_PENDING) return Start::Failed;
    handle = target;
    pending = true;
    return Start::Pending;
  }

  // Collects the read in flight once its event is signalled.
  bool Finish(DWORD& received) {
    pending = false;
    received = 0;
    return GetOverlappedResult(HandleOf(handle), &overlapped, &received, FALSE) != 0;
  }

  // Cancels the read in flight and waits until the system no longer targets the buffer.
  void Abandon() {
    if (!pending) return;
    CancelIo(HandleOf(handle));
    DWORD received = 0;
    GetOverlappedResult(HandleOf(handle), &overlapped, &received, TRUE);
    pending = false;
  }

  // A report shorter than the full size would mix new bytes with old ones; it counts as none.
  bool Deliver(DWORD received, uint8_t (&report)[kInputReportSize]) const {
    if (received != sizeof landing) return false;
    std::memcpy(report, landing, sizeof landing);
    return true;
  }
};

HidReader::HidReader() : impl_(std::make_unique<Impl>()) {}
HidReader::~HidReader() = default;

void HidReader::EnsureEvent() {
  if (!impl_->event) impl_->event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
}

bool HidReader::Read(DeviceHandle handle, uint8_t (&report)[kInputReportSize], unsigned waitMs) {
  Impl& reader = *impl_;
  if (!IsOpen(handle) || !reader.event) return false;
  // A read left on another handle cannot deliver to this one.
  if (reader.pending && reader.handle != handle) reader.Abandon();
  DWORD received = 0;
  if (!reader.pending) {
    switch (reader.StartRead(handle, received)) {
      case Impl::Start::Completed:
        return reader.Deliver(received, report);
      case Impl::Start::Failed:
        return false;
      case Impl::Start::Pending:
        break;
    }
  }
  // On a time-out the read stays in flight: a later call collects it rather than starting
  // a second read on the same record.
  if (WaitForSingleObject(reader.event, waitMs) != WAIT_OBJECT_0) return false;
  return reader.Finish(received) && reader.Deliver(received, report);
}

void HidReader::Close(DeviceHandle& handle) {
  if (impl_->pending && impl_->handle == handle) impl_->Abandon();
  HidClose(handle);
}

// Device notices --------------------------------------------------------------------------

void RegisterHidNotices(NativeWindow window) {
  if (!window) return;
  DEV_BROADCAST_DEVICEINTERFACE_A filter{};
  static_assert(sizeof filter == 32);
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = HidInterfaceClass();
  // Kept for the life of the window; the system drops it with the window.
  RegisterDeviceNotificationA(static_cast<HWND>(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

bool InterfacePathOfNotice(const void* data, std::string& path) {
  if (!data) return false;
  const auto* header = static_cast<const DEV_BROADCAST_HDR*>(data);
  if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
  constexpr DWORD kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
  if (header->dbch_size <= kNameOffset) return false;
  const auto* notice = static_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(data);
  path.assign(notice->dbcc_name, strnlen(notice->dbcc_name, header->dbch_size - kNameOffset));
  return true;
}

}  // namespace pendant
