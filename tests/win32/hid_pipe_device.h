// A stand-in pendant: a message-mode named pipe whose server ends play the device. Its read
// client and write client are opened through HidOpen exactly as the pendant's handles are, so
// ReadFile, the event wait, GetOverlappedResult, CancelIo and WriteFile all run for real.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "device/hid_port.h"

namespace pendant::test {

// Long enough for the pipe under any machine's load; a bound on a wait that ends as soon as the
// data is there, never a measured time.
inline constexpr unsigned kPatientWaitMs = 10000;

class PipeDevice {
 public:
  // The pipe's name is unique to this process and the given tag.
  explicit PipeDevice(const std::string& tag);
  ~PipeDevice();
  PipeDevice(const PipeDevice&) = delete;
  PipeDevice& operator=(const PipeDevice&) = delete;

  // Opens the read client, then the write client on a second pipe instance; false when either
  // did not connect.
  bool OpenClients(DeviceHandle& readClient, DeviceHandle& writeClient);
  // Drops the read side's connection and opens a new read client, as after a device arrival.
  DeviceHandle ReopenReadClient();
  // The device sends one message (an input report, or anything else).
  bool Sends(const std::vector<uint8_t>& bytes) const;
  // What the device received on its output side within waitMs (empty when nothing came).
  std::vector<uint8_t> Receives(unsigned waitMs = kPatientWaitMs) const;

 private:
  HANDLE CreateServerInstance() const;
  // The client opened through HidOpen with server listening; invalid when the two did not
  // connect.
  DeviceHandle ConnectClient(HANDLE server, HidAccess access) const;

  const std::string name_;
  HANDLE readServer_ = INVALID_HANDLE_VALUE;
  HANDLE writeServer_ = INVALID_HANDLE_VALUE;
};

}  // namespace pendant::test
