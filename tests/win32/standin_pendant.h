// HID devices as Windows presents them, for the real DLL under Wine: the test stand-ins for
// hid.dll and setupapi.dll (tests/win32/standins/, loaded instead of Wine's when the test runs
// with WINEDLLOVERRIDES "hid,setupapi=n,b") enumerate the devices listed on a StandInBus, and
// each device is a named pipe served here, so the DLL's own discovery, opening, overlapped reads
// and writes, closing and notice handling all run on real handles.
//
// Usage:
//   test::StandInDevice pendant("pendant", kPendantVendorId, kPendantProductId);
//   test::StandInBus bus;
//   ASSERT_TRUE(pendant.Serve());
//   bus.List({&pendant});                     // before PostInitControl: discovery finds it
//   ... start the plug-in, pump the host's messages ...
//   pendant.Sends({0x04, counter, ...});      // an input report
//   pendant.WaitReceived(n);                  // display reports the DLL wrote
//   bus.List({});  pendant.Break();           // unplugged: its handles break
//   test::SendDeviceNotice(pendantWindow, DBT_DEVICEREMOVECOMPLETE, pendant.Path());
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/win32/standins/standin_bus.h"

namespace pendant::test {

// Serves one device's pipe from a thread of its own while it is attached. Every client the DLL
// opens (probe, read, write) lands on an instance of its own; a report goes to each client that
// has not written and still takes reports, and what a client writes is kept in order.
class StandInDevice {
 public:
  // The pipe's name is unique to this process and tag.
  StandInDevice(const std::string& tag, uint16_t vendorId, uint16_t productId,
                uint16_t inputLength = 8, uint16_t outputLength = 21);
  ~StandInDevice();
  StandInDevice(const StandInDevice&) = delete;
  StandInDevice& operator=(const StandInDevice&) = delete;

  const std::string& Path() const { return path_; }
  standin::Interface Listing() const;

  // Attaches the device: its pipe takes clients. False when the pipe could not be made.
  bool Serve();
  // Detaches it: every server end closes, so the clients' reads and writes fail.
  void Break();

  // The device sends one input report; false when no client took it.
  bool Sends(const std::vector<uint8_t>& report);
  // Stops (or resumes) taking what the clients write, as a pendant whose firmware hangs.
  void Stall(bool stalled);

  // The reports the clients wrote so far, oldest first.
  std::vector<std::vector<uint8_t>> Received() const;
  // Whether at least count reports were written within waitMs.
  bool WaitReceived(size_t count, unsigned waitMs) const;
  // Clients connected now, and clients that ever connected.
  int Clients() const;
  int ClientsSeen() const;

 private:
  struct Instance;
  static DWORD WINAPI ServeThread(void* self);
  void ServeLoop();
  void Listen(Instance& instance);
  void Advance(Instance& instance);
  void PostRead(Instance& instance);

  const std::string path_;
  const uint16_t vendorId_;
  const uint16_t productId_;
  const uint16_t inputLength_;
  const uint16_t outputLength_;
  mutable CRITICAL_SECTION lock_;
  HANDLE wake_ = nullptr;  // tells the thread to look at its instances or to stop
  HANDLE thread_ = nullptr;
  bool stopping_ = false;
  bool stalled_ = false;
  std::vector<Instance*> instances_;
  std::vector<std::vector<uint8_t>> received_;
  int clientsSeen_ = 0;
};

// The section the stand-ins read the device list from.
class StandInBus {
 public:
  // The bus of the stand-ins loaded in the process processId: this one, or a program the test
  // started suspended (the pendant check), whose stand-ins then find the devices listed here.
  explicit StandInBus(DWORD processId = GetCurrentProcessId());
  ~StandInBus();
  StandInBus(const StandInBus&) = delete;
  StandInBus& operator=(const StandInBus&) = delete;

  // Lists these devices, in this enumeration order, from the next stand-in call on.
  void List(std::initializer_list<const StandInDevice*> devices);

 private:
  HANDLE section_ = nullptr;
  standin::Bus* view_ = nullptr;
};

// Whether the stand-ins, not Wine's hid.dll and setupapi.dll, are the ones loaded.
bool StandInsLoaded();

// Sends window a device notice for a device interface named path, laid out as the system's.
void SendDeviceNotice(HWND window, WPARAM event, const std::string& path);

}  // namespace pendant::test
