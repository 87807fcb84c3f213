#include "tests/win32/standin_pendant.h"

#include <dbt.h>

#include <cstddef>
#include <cstring>

namespace pendant::test {
namespace {

// Enough for a probe, a read and a write client, and a reopen's two before the old ones go.
constexpr int kInstances = 8;
// What clients write waits in 64 bytes, so a stalled device soon stops taking writes; reports
// to a client that does not read (a probe) wait in 4 KB before the device gives up on it.
constexpr DWORD kInboundBytes = 64;
constexpr DWORD kOutboundBytes = 4096;
constexpr size_t kLongestReport = 1024;

// {4D1E55B2-F16F-11CF-88CB-001111000030}, the HID interface class.
constexpr GUID kHidClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

class Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Lock() { LeaveCriticalSection(&section_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.find_last_of('\\') + 1);
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, sizeof path);
  return path;
}

}  // namespace

struct StandInDevice::Instance {
  enum class State { Listening, Reading, Idle, Broken };
  HANDLE pipe = INVALID_HANDLE_VALUE;
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  OVERLAPPED io{};
  State state = State::Listening;
  bool writer = false;  // its client wrote: it is the DLL's write handle
  bool deaf = false;    // its client stopped taking reports
  uint8_t buffer[kLongestReport] = {};

  ~Instance() {
    if (pipe != INVALID_HANDLE_VALUE) {
      CancelIoEx(pipe, nullptr);
      DWORD bytes = 0;
      GetOverlappedResult(pipe, &io, &bytes, TRUE);
      CloseHandle(pipe);
    }
    CloseHandle(event);
  }
  bool Connected() const { return state == State::Reading || state == State::Idle; }
};

StandInDevice::StandInDevice(const std::string& tag, uint16_t vendorId, uint16_t productId,
                             uint16_t inputLength, uint16_t outputLength)
    : path_("\\\\.\\pipe\\pendant-standin-" + std::to_string(GetCurrentProcessId()) + "-" + tag),
      vendorId_(vendorId),
      productId_(productId),
      inputLength_(inputLength),
      outputLength_(outputLength) {
  InitializeCriticalSection(&lock_);
  wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

StandInDevice::~StandInDevice() {
  Break();
  CloseHandle(wake_);
  DeleteCriticalSection(&lock_);
}

standin::Interface StandInDevice::Listing() const {
  standin::Interface listing{};
  std::strncpy(listing.path, path_.c_str(), sizeof listing.path - 1);
  listing.vendorId = vendorId_;
  listing.productId = productId_;
  listing.inputLength = inputLength_;
  listing.outputLength = outputLength_;
  return listing;
}

bool StandInDevice::Serve() {
  if (thread_) return true;
  for (int i = 0; i < kInstances; ++i) {
    auto* instance = new Instance;
    instance->pipe =
        CreateNamedPipeA(path_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                         PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                         PIPE_UNLIMITED_INSTANCES, kOutboundBytes, kInboundBytes, 0, nullptr);
    instances_.push_back(instance);
    if (instance->pipe == INVALID_HANDLE_VALUE) {
      Break();
      return false;
    }
    Listen(*instance);
  }
  stopping_ = false;
  thread_ = CreateThread(nullptr, 0, ServeThread, this, 0, nullptr);
  if (!thread_) Break();
  return thread_ != nullptr;
}

void StandInDevice::Break() {
  if (thread_) {
    {
      const Lock held(lock_);
      stopping_ = true;
    }
    SetEvent(wake_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  for (Instance* instance : instances_) delete instance;
  instances_.clear();
}

DWORD WINAPI StandInDevice::ServeThread(void* self) {
  static_cast<StandInDevice*>(self)->ServeLoop();
  return 0;
}

void StandInDevice::ServeLoop() {
  std::vector<HANDLE> events{wake_};
  for (Instance* instance : instances_) events.push_back(instance->event);
  for (;;) {
    WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE, INFINITE);
    const Lock held(lock_);
    if (stopping_) return;
    for (Instance* instance : instances_) {
      if (WaitForSingleObject(instance->event, 0) == WAIT_OBJECT_0) Advance(*instance);
      if (instance->state == Instance::State::Idle && !stalled_) PostRead(*instance);
    }
  }
}

void StandInDevice::Listen(Instance& instance) {
  ResetEvent(instance.event);
  instance.io = OVERLAPPED{};
  instance.io.hEvent = instance.event;
  instance.state = Instance::State::Listening;
  instance.writer = false;
  instance.deaf = false;
  if (ConnectNamedPipe(instance.pipe, &instance.io)) return;  // the event is set
  const DWORD error = GetLastError();
  if (error == ERROR_IO_PENDING) return;
  // Connected already (the event stays unset, so say so), or a client came and went.
  if (error != ERROR_PIPE_CONNECTED) instance.state = Instance::State::Broken;
  SetEvent(instance.event);
}

void StandInDevice::PostRead(Instance& instance) {
  ResetEvent(instance.event);
  instance.io = OVERLAPPED{};
  instance.io.hEvent = instance.event;
  instance.state = Instance::State::Reading;
  if (ReadFile(instance.pipe, instance.buffer, sizeof instance.buffer, nullptr, &instance.io) ||
      GetLastError() == ERROR_IO_PENDING) {
    return;  // the event tells when it lands
  }
  instance.state = Instance::State::Broken;
  SetEvent(instance.event);
}

void StandInDevice::Advance(Instance& instance) {
  DWORD bytes = 0;
  switch (instance.state) {
    case Instance::State::Listening:
      if (GetOverlappedResult(instance.pipe, &instance.io, &bytes, FALSE)) {
        ++clientsSeen_;
        PostRead(instance);
        return;
      }
      break;
    case Instance::State::Reading:
      if (GetOverlappedResult(instance.pipe, &instance.io, &bytes, FALSE)) {
        received_.emplace_back(instance.buffer, instance.buffer + bytes);
        instance.writer = true;
        if (stalled_) {
          ResetEvent(instance.event);
          instance.state = Instance::State::Idle;
        } else {
          PostRead(instance);
        }
        return;
      }
      break;
    case Instance::State::Idle:
      ResetEvent(instance.event);
      return;
    case Instance::State::Broken:
      break;
  }
  // The client closed its end: the instance listens for the next one.
  DisconnectNamedPipe(instance.pipe);
  Listen(instance);
}

bool StandInDevice::Sends(const std::vector<uint8_t>& report) {
  const Lock held(lock_);
  bool taken = false;
  for (Instance* instance : instances_) {
    if (!instance->Connected() || instance->writer || instance->deaf) continue;
    OVERLAPPED io{};
    io.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD bytes = 0;
    BOOL sent =
        WriteFile(instance->pipe, report.data(), static_cast<DWORD>(report.size()), nullptr, &io);
    if (!sent && GetLastError() == ERROR_IO_PENDING) {
      // Its client does not read (a probe, or the write client before its first write).
      CancelIoEx(instance->pipe, &io);
      sent = GetOverlappedResult(instance->pipe, &io, &bytes, TRUE);
      if (!sent) instance->deaf = true;
    }
    taken = taken || sent;
    CloseHandle(io.hEvent);
  }
  return taken;
}

void StandInDevice::Stall(bool stalled) {
  {
    const Lock held(lock_);
    stalled_ = stalled;
  }
  SetEvent(wake_);
}

std::vector<std::vector<uint8_t>> StandInDevice::Received() const {
  const Lock held(lock_);
  return received_;
}

bool StandInDevice::WaitReceived(size_t count, unsigned waitMs) const {
  const ULONGLONG giveUp = GetTickCount64() + waitMs;
  for (;;) {
    {
      const Lock held(lock_);
      if (received_.size() >= count) return true;
    }
    if (GetTickCount64() >= giveUp) return false;
    Sleep(1);
  }
}

int StandInDevice::Clients() const {
  const Lock held(lock_);
  int clients = 0;
  for (const Instance* instance : instances_) clients += instance->Connected() ? 1 : 0;
  return clients;
}

int StandInDevice::ClientsSeen() const {
  const Lock held(lock_);
  return clientsSeen_;
}

StandInBus::StandInBus(DWORD processId) {
  char name[64];
  standin::BusName(name, processId);
  section_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                sizeof(standin::Bus), name);
  if (section_) {
    view_ = static_cast<standin::Bus*>(
        MapViewOfFile(section_, FILE_MAP_WRITE, 0, 0, sizeof(standin::Bus)));
  }
  if (view_) *view_ = standin::Bus{};
}

StandInBus::~StandInBus() {
  if (view_) UnmapViewOfFile(view_);
  if (section_) CloseHandle(section_);
}

void StandInBus::List(std::initializer_list<const StandInDevice*> devices) {
  if (!view_) return;
  standin::Bus bus{};
  for (const StandInDevice* device : devices) {
    if (bus.count == standin::kMostInterfaces) break;
    bus.interfaces[bus.count++] = device->Listing();
  }
  *view_ = bus;
}

bool StandInsLoaded() {
  const std::string folder = FolderOf(ModulePath(nullptr));
  for (const char* name : {"hid.dll", "setupapi.dll"}) {
    const HMODULE module = GetModuleHandleA(name);
    if (!module || FolderOf(ModulePath(module)) != folder) return false;
  }
  return true;
}

void SendDeviceNotice(HWND window, WPARAM event, const std::string& path) {
  constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
  std::vector<DWORD> storage((kNameOffset + path.size() + 1 + sizeof(DWORD)) / sizeof(DWORD));
  auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(storage.data());
  record->dbcc_size = static_cast<DWORD>(kNameOffset + path.size() + 1);
  record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  record->dbcc_classguid = kHidClass;
  std::memcpy(record->dbcc_name, path.c_str(), path.size() + 1);
  SendMessageA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record));
}

}  // namespace pendant::test
