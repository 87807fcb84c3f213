// The substitute host with a pendant that Windows presents: the real DLL loaded from this
// program's folder finds it through the hid.dll and setupapi.dll stand-ins (standin_pendant.h).
// Callbacks record what the plug-in asked of the host, a host at rest with jogging on; LED 800
// answers as the test sets it.
//
// Usage: derive a test from PendantHost, list the devices on bus_ (pendant_ is listed and
// served by SetUp), call StartPlugin(), then pump with PumpTicks / PumpUntil and send reports
// with pendant_.Sends. Notices go to PendantWindow() through Notify.
#pragma once

#include <windows.h>

#include <dbt.h>

#include <functional>
#include <string>
#include <vector>

#include "pendant/pendant_ids.h"
#include "tests/win32/standin_pendant.h"
#include "tests/win32/substitute_host.h"

namespace pendant::test {

// Long enough for Wine under any load: a bound on waits that end as soon as the thing happens.
inline constexpr unsigned kPatientMs = 10000;

// An input report of the pendant: X selected, in the given mode, the wheel at counter.
std::vector<uint8_t> PendantReport(uint8_t counter, uint8_t rate, uint8_t mode = 1);

class PendantHost : public SubstituteHost {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The host's start-up with recording callbacks; the pendant window it made.
  HWND StartPlugin();
  HWND PendantWindow() const { return pendantWindow_; }

  // The loops below also call Update ten times a second, as the host does.
  // Runs the host's message loop until count poll ticks reached the pendant window (false
  // when they did not come within the patient wait). beforeTick runs ahead of each tick; the
  // time each tick held the host's thread goes into blocksMs when given.
  bool PumpTicks(int count, const std::function<void()>& beforeTick = {},
                 std::vector<double>* blocksMs = nullptr);
  // Runs the message loop until done() holds, at most waitMs; whether it held.
  bool PumpUntil(const std::function<bool()>& done, unsigned waitMs);

  // Whether device comes to have count clients open within the patient wait (its pipe's server
  // sees opens and closes a moment after the DLL makes them).
  bool ClientsBecome(const StandInDevice& device, int count) {
    return PumpUntil([&] { return device.Clients() == count; }, kPatientMs);
  }

  void Notify(WPARAM event, const std::string& path) const {
    SendDeviceNotice(pendantWindow_, event, path);
  }

  // What the plug-in asked of the host since the last Take.
  static std::vector<int> TakeButtons();
  static std::vector<std::string> TakeCodes();
  static void SetEmergencyStopLed(bool on);
  static void SetJogEnabledLed(bool on);
  // What the host does inside DoButton and Code once it has recorded the call, as a real one
  // shows a message box or runs a macro there; null for nothing.
  static void SetInsideCallback(std::function<void(int button, const std::string& code)> inside);
  // Runs the host's message loop for about ms, as a message box does.
  static void PumpMessagesFor(DWORD ms);

  StandInBus bus_;
  StandInDevice pendant_{"pendant", kPendantVendorId, kPendantProductId};

 private:
  struct TickWatch {
    int ticks = 0;
    std::function<void()> beforeTick;
    std::vector<double>* blocksMs = nullptr;
  };
  bool PumpUntil(const std::function<bool()>& done, unsigned waitMs, TickWatch* watch);

  HWND pendantWindow_ = nullptr;
  ULONGLONG nextUpdate_ = 0;
};

}  // namespace pendant::test
