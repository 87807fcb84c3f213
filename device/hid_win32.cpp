// The HID link on Windows: SetupDi enumeration, HidD attributes, file handles on the interface
// path, one overlapped read in flight at a time, and device-interface notices.
#include <windows.h>

#include <dbt.h>
#include <setupapi.h>
extern "C" {         // mingw's HID headers declare C functions without saying so
#include <hidsdi.h>  // before hidpi.h: it brings the usage types

#include <hidpi.h>
}

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "device/hid_port.h"

namespace pendant {
namespace {

constexpr DWORD kSharedReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// kInvalidDevice is INVALID_HANDLE_VALUE seen as an integer.
HANDLE HandleOf(DeviceHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// The memory of one overlapped operation: the system writes its result, and a read's report,
// here until the operation finishes, which a slow driver may do long after a cancel.
struct Operation {
  HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);  // manual-reset; set when idle
  OVERLAPPED overlapped{};
  uint8_t buffer[kMaxReportLength] = {};

  Operation() = default;
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;
  ~Operation() {
    if (event) CloseHandle(event);
  }
  bool Finished() const { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }
};

// Cancelled operations that had not finished within the wait: each keeps its memory until it
// has finished, and is freed then.
class Leftovers {
 public:
  Leftovers() = default;
  Leftovers(const Leftovers&) = delete;
  Leftovers& operator=(const Leftovers&) = delete;
  ~Leftovers() {
    // Closing the handle ended them on any working stack; one the system still holds after a
    // last wait keeps its memory for good rather than have the system write into freed memory.
    for (std::unique_ptr<Operation>& operation : kept_) {
      if (WaitForSingleObject(operation->event, kCancelWaitMs) != WAIT_OBJECT_0) {
        static_cast<void>(operation.release());
      }
    }
  }

  void Keep(std::unique_ptr<Operation> operation) {
    Sweep();
    kept_.push_back(std::move(operation));
  }
  void Sweep() {
    std::erase_if(kept_, [](const std::unique_ptr<Operation>& kept) { return kept->Finished(); });
  }

 private:
  std::vector<std::unique_ptr<Operation>> kept_;
};

// Cancels an operation in flight, from whichever thread started it, and waits for it at most
// kCancelWaitMs: one that has not finished by then goes to the leftovers with its memory, and a
// fresh operation takes its place.
void CancelAndSettle(DeviceHandle handle, std::unique_ptr<Operation>& operation, bool& pending,
                     Leftovers& leftovers) {
  leftovers.Sweep();
  if (!pending) return;
  pending = false;
  CancelIoEx(HandleOf(handle), &operation->overlapped);
  if (WaitForSingleObject(operation->event, kCancelWaitMs) == WAIT_OBJECT_0) {
    DWORD bytes = 0;
    GetOverlappedResult(HandleOf(handle), &operation->overlapped, &bytes, FALSE);
    return;
  }
  leftovers.Keep(std::move(operation));
  operation = std::make_unique<Operation>();
}

// Errors after which the handle never works again: the device was unplugged (the codes a HID
// handle of a removed device gives) or the other end of the handle went away for good. A
// cancelled, cut or timed-out operation is none of them.
bool DeviceGoneError(DWORD error) {
  constexpr DWORD kNoSuchDevice = 433;  // ERROR_NO_SUCH_DEVICE, which mingw's headers lack
  switch (error) {
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
    case kNoSuchDevice:
    case ERROR_BROKEN_PIPE:
    case ERROR_PIPE_NOT_CONNECTED:
      return true;
    default:
      return false;
  }
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
    flags = FILE_FLAG_OVERLAPPED;
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

HidReportLengths HidReadReportLengths(DeviceHandle handle) {
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (!IsOpen(handle) || !HidD_GetPreparsedData(HandleOf(handle), &preparsed)) return {};
  HIDP_CAPS caps{};
  const bool stated = HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS;
  HidD_FreePreparsedData(preparsed);
  if (!stated) return {};
  return UsableReportLengths(caps.InputReportByteLength, caps.OutputReportByteLength);
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

// Milliseconds on the performance counter, for the bound of a whole read phase.
class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  DWORD ElapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<DWORD>((now.QuadPart - start_.QuadPart) * 1000 / frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

// Reports the system queues for the pendant (32 by default) are taken in one phase at most;
// the bound keeps a device that never stops answering from holding the caller.
constexpr int kMostReportsPerRead = 64;

struct HidReader::Impl {
  std::unique_ptr<Operation> operation;  // made by EnsureEvent
  Leftovers leftovers;
  size_t length = kInputReportSize;      // the device's input report length
  DeviceHandle handle = kInvalidDevice;  // the handle of the read in flight
  bool pending = false;
  bool gone = false;

  ~Impl() { Abandon(); }

  enum class Start { Completed, Pending, Failed };

  Start StartRead(DeviceHandle target, DWORD& received) {
    ResetEvent(operation->event);
    operation->overlapped = OVERLAPPED{};
    operation->overlapped.hEvent = operation->event;
    received = 0;
    if (ReadFile(HandleOf(target), operation->buffer, static_cast<DWORD>(length), &received,
                 &operation->overlapped)) {
      return Start::Completed;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) {
      SetEvent(operation->event);
      gone = DeviceGoneError(error);
      return Start::Failed;
    }
    handle = target;
    pending = true;
    return Start::Pending;
  }

  // Collects the read in flight once its event is signalled.
  bool Finish(DWORD& received) {
    pending = false;
    received = 0;
    if (GetOverlappedResult(HandleOf(handle), &operation->overlapped, &received, FALSE)) {
      return true;
    }
    gone = DeviceGoneError(GetLastError());
    return false;
  }

  void Abandon() {
    if (operation) CancelAndSettle(handle, operation, pending, leftovers);
  }

  // A report shorter than the pendant's would mix new bytes with old ones; it counts as none.
  bool Deliver(DWORD received, uint8_t (&report)[kInputReportSize]) const {
    if (received < kInputReportSize) return false;
    std::memcpy(report, operation->buffer, kInputReportSize);
    return true;
  }
};

HidReader::HidReader() : impl_(std::make_unique<Impl>()) {}
HidReader::~HidReader() = default;

void HidReader::EnsureEvent() {
  if (!impl_->operation) impl_->operation = std::make_unique<Operation>();
}

void HidReader::SetReportLength(size_t length) {
  impl_->Abandon();  // a read in flight was sized for the old length
  impl_->length = UsableReportLengths(length, 0).input;
}

bool HidReader::Read(DeviceHandle handle, uint8_t (&report)[kInputReportSize], unsigned waitMs) {
  Impl& reader = *impl_;
  if (!IsOpen(handle) || !reader.operation || !reader.operation->event) return false;
  // A read left on another handle cannot deliver to this one.
  if (reader.pending && reader.handle != handle) reader.Abandon();
  // The system hands out its queued reports oldest first; the wheel counter is absolute, so
  // taking them all and keeping the last loses no count and the decoder never falls behind.
  const Stopwatch phase;
  bool delivered = false;
  for (int taken = 0; taken < kMostReportsPerRead; ++taken) {
    DWORD received = 0;
    if (!reader.pending) {
      const Impl::Start started = reader.StartRead(handle, received);
      if (started == Impl::Start::Failed) break;
      if (started == Impl::Start::Completed) {
        delivered = reader.Deliver(received, report) || delivered;
        continue;
      }
    }
    // Once a report is in hand only those already waiting are taken; before, the wait is the
    // rest of the bound. On a time-out the read stays in flight for a later call to collect.
    const DWORD elapsed = phase.ElapsedMs();
    const DWORD wait = delivered || elapsed >= waitMs ? 0 : waitMs - elapsed;
    if (WaitForSingleObject(reader.operation->event, wait) != WAIT_OBJECT_0) break;
    if (!reader.Finish(received)) break;
    delivered = reader.Deliver(received, report) || delivered;
  }
  return delivered;
}

void HidReader::Close(DeviceHandle& handle) {
  if (impl_->pending && impl_->handle == handle) impl_->Abandon();
  HidClose(handle);
  impl_->gone = false;
}

bool HidReader::DeviceGone() const {
  return impl_->gone;
}

// Overlapped writer -----------------------------------------------------------------------

struct HidWriter::Impl {
  std::unique_ptr<Operation> operation = std::make_unique<Operation>();
  Leftovers leftovers;
  size_t length = kDisplayReportSize;    // the device's output report length
  DeviceHandle handle = kInvalidDevice;  // the handle of the write in flight
  bool pending = false;
  bool gone = false;

  ~Impl() { Abandon(); }

  // Whether the write in flight has finished; collects it when it has.
  bool Settled() {
    if (!pending) return true;
    if (!operation->Finished()) return false;
    DWORD written = 0;
    if (!GetOverlappedResult(HandleOf(handle), &operation->overlapped, &written, FALSE)) {
      gone = DeviceGoneError(GetLastError());
    }
    pending = false;
    return true;
  }

  void Abandon() { CancelAndSettle(handle, operation, pending, leftovers); }
};

HidWriter::HidWriter() : impl_(std::make_unique<Impl>()) {}
HidWriter::~HidWriter() = default;

void HidWriter::SetReportLength(size_t length) {
  impl_->length = UsableReportLengths(0, length).output;
}

bool HidWriter::Write(DeviceHandle handle, const uint8_t* report, size_t size) {
  Impl& writer = *impl_;
  if (!IsOpen(handle) || !writer.operation->event) return false;
  if (writer.pending && writer.handle != handle) writer.Abandon();
  // A slow pendant is never cut off: its write finishes, and this cycle's screen waits for the
  // next cycle, which composes it afresh.
  if (!writer.Settled() || writer.gone) return false;
  Operation& operation = *writer.operation;
  const size_t length = FitReport(report, size, writer.length, operation.buffer);
  ResetEvent(operation.event);
  operation.overlapped = OVERLAPPED{};
  operation.overlapped.hEvent = operation.event;
  DWORD written = 0;
  if (WriteFile(HandleOf(handle), operation.buffer, static_cast<DWORD>(length), &written,
                &operation.overlapped)) {
    return true;
  }
  const DWORD error = GetLastError();
  if (error != ERROR_IO_PENDING) {
    SetEvent(operation.event);
    writer.gone = DeviceGoneError(error);
    return false;
  }
  writer.handle = handle;
  writer.pending = true;
  return true;
}

void HidWriter::Close(DeviceHandle& handle) {
  if (impl_->pending && impl_->handle == handle) impl_->Abandon();
  HidClose(handle);
  impl_->gone = false;
}

bool HidWriter::DeviceGone() const {
  return impl_->gone;
}

// Device notices --------------------------------------------------------------------------

NoticeRegistration RegisterHidNotices(NativeWindow window) {
  if (!window) return kNoNotices;
  DEV_BROADCAST_DEVICEINTERFACE_A filter{};
  static_assert(sizeof filter == 32);
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = HidInterfaceClass();
  return RegisterDeviceNotificationA(static_cast<HWND>(window), &filter,
                                     DEVICE_NOTIFY_WINDOW_HANDLE);
}

void UnregisterHidNotices(NoticeRegistration& registration) {
  if (registration == kNoNotices) return;
  UnregisterDeviceNotification(static_cast<HDEVNOTIFY>(registration));
  registration = kNoNotices;
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
