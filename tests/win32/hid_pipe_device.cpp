#include "tests/win32/hid_pipe_device.h"

namespace pendant::test {
namespace {

// One overlapped operation on a server end, waited for at most waitMs (then cancelled).
class ServerIo {
 public:
  ServerIo() { overlapped_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
  ~ServerIo() { CloseHandle(overlapped_.hEvent); }
  ServerIo(const ServerIo&) = delete;
  ServerIo& operator=(const ServerIo&) = delete;

  OVERLAPPED* Overlapped() { return &overlapped_; }

  // Completes an operation whose call returned started; the byte count, or -1 on failure.
  long Complete(HANDLE server, BOOL started, DWORD waitMs) {
    if (!started && GetLastError() != ERROR_IO_PENDING) return -1;
    return started ? Collect(server) : Finish(server, waitMs);
  }

  // Waits for the pending operation; cancels it when the wait ends without it.
  long Finish(HANDLE server, DWORD waitMs) {
    if (WaitForSingleObject(overlapped_.hEvent, waitMs) == WAIT_OBJECT_0) return Collect(server);
    CancelIo(server);
    DWORD bytes = 0;
    GetOverlappedResult(server, &overlapped_, &bytes, TRUE);
    return -1;
  }

 private:
  long Collect(HANDLE server) {
    DWORD bytes = 0;
    if (!GetOverlappedResult(server, &overlapped_, &bytes, FALSE)) return -1;
    return static_cast<long>(bytes);
  }

  OVERLAPPED overlapped_{};
};

}  // namespace

PipeDevice::PipeDevice(const std::string& tag)
    : name_("\\\\.\\pipe\\pendant-link-" + std::to_string(GetCurrentProcessId()) + "-" + tag) {}

PipeDevice::~PipeDevice() {
  if (readServer_ != INVALID_HANDLE_VALUE) CloseHandle(readServer_);
  if (writeServer_ != INVALID_HANDLE_VALUE) CloseHandle(writeServer_);
}

bool PipeDevice::OpenClients(DeviceHandle& readClient, DeviceHandle& writeClient) {
  readServer_ = CreateServerInstance();
  if (readServer_ == INVALID_HANDLE_VALUE) return false;
  readClient = ConnectClient(readServer_, HidAccess::Read);
  // The second instance exists only now, so the write client lands on it.
  writeServer_ = CreateServerInstance();
  if (writeServer_ == INVALID_HANDLE_VALUE) return false;
  writeClient = ConnectClient(writeServer_, HidAccess::Write);
  return IsOpen(readClient) && IsOpen(writeClient);
}

DeviceHandle PipeDevice::ReopenReadClient() {
  if (!DisconnectNamedPipe(readServer_)) return kInvalidDevice;
  return ConnectClient(readServer_, HidAccess::Read);
}

HANDLE PipeDevice::CreateServerInstance() const {
  return CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                          PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 2, 64, 64, 0,
                          nullptr);
}

DeviceHandle PipeDevice::ConnectClient(HANDLE server, HidAccess access) const {
  ServerIo io;
  const BOOL connected = ConnectNamedPipe(server, io.Overlapped());
  const DWORD error = connected ? ERROR_SUCCESS : GetLastError();
  DeviceHandle client = HidOpen(name_.c_str(), access);
  const bool linked = error == ERROR_SUCCESS || error == ERROR_PIPE_CONNECTED ||
                      (error == ERROR_IO_PENDING && io.Finish(server, kPatientWaitMs) >= 0);
  if (!linked) HidClose(client);
  return client;
}

bool PipeDevice::Sends(const std::vector<uint8_t>& bytes) const {
  ServerIo io;
  const BOOL sent = WriteFile(readServer_, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr,
                              io.Overlapped());
  return io.Complete(readServer_, sent, kPatientWaitMs) == static_cast<long>(bytes.size());
}

std::vector<uint8_t> PipeDevice::Receives(unsigned waitMs) const {
  std::vector<uint8_t> buffer(64);
  ServerIo io;
  const BOOL received = ReadFile(writeServer_, buffer.data(), static_cast<DWORD>(buffer.size()),
                                 nullptr, io.Overlapped());
  const long length = io.Complete(writeServer_, received, waitMs);
  buffer.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return buffer;
}

}  // namespace pendant::test
