// The pendant window: a hidden child of the host's window whose 25 ms timer runs the poll cycle
// and whose device notices close and reopen the pendant. It owns the report buffers and the
// three parts the cycle calls in order: the pendant link, the action engine and the display
// composer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "device/pendant_link.h"
#include "display/display_composer.h"
#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/action_engine.h"
#include "input/poll_interval.h"
#include "pendant/display_report_format.h"
#include "pendant/input_report_format.h"
#include "plugin/read_wait.h"
#include "plugin/window_port.h"
#include "settings/pendant_settings.h"

namespace pendant {

inline constexpr unsigned kPollTimerId = 1;
// Without device notices the closed pendant is looked for once a second.
inline constexpr unsigned kLookAgainTicks = 1000 / kPollIntervalMs;

// A host callback may pump messages, so a tick or a notice can arrive while the window is still
// handling the last one. Handling never nests: a tick that arrives then is dropped (the next one
// decodes the newest report anyway), a notice waits until the handling in progress ends, and a
// window stopped meanwhile is gone for the host at once and deleted once that handling unwinds.
class TrundleWin final : public WindowEvents {
 public:
  // The host, the settings and the counters belong to the module and outlive the window; the
  // window steps the poll counters and hands them and the update counters to its parts.
  TrundleWin(Host& host, const PendantSettings& settings, UpdateTicks& updateTicks,
             PollTicks& pollTicks);
  // Ends a wheel jog under way, closes the pendant's handles, then destroys the window (which
  // ends its timer).
  ~TrundleWin();
  TrundleWin(const TrundleWin&) = delete;
  TrundleWin& operator=(const TrundleWin&) = delete;

  // Stops the window: its jog ended, the pendant closed and the window destroyed before this
  // returns. A window stopped inside a host callback of its own handling makes no further host
  // call and deletes itself when that handling returns.
  static void Stop(std::unique_ptr<TrundleWin> window);

  // Creates the hidden 10x10 child window, id 1, under parent; false when that fails.
  bool Create(NativeWindow parent);

  bool OnTimer() override;
  void OnDeviceChange(uintptr_t event, const void* data) override {
    DeviceChangeHandler(event, data);
  }

  // Subscribes to HID notices, looks for the pendant and starts the poll timer; whether the
  // pendant opened.
  bool FindPendant();
  // Always reports the notice as handled.
  bool DeviceChangeHandler(uintptr_t event, const void* data);
  // One timer tick; returns whether the tick goes on to default processing.
  bool PollCycle();

  const PendantLink& Link() const { return link_; }
  const ActionEngine& Engine() const { return engine_; }
  const DisplayComposer& Display() const { return display_; }

  // The report being read into and the display report being written out.
  uint8_t InputBuffer[kInputReportSize] = {};
  uint8_t DisplayBuffer[kDisplayReportSize] = {};

 private:
  // What the engine hears of the link's opening and closing.
  void Follow(LinkChange change);
  // Runs one tick's or one notice's handling, then the notices that arrived during it. Nothing
  // it throws gets out: the window goes on with what it has.
  template <typename Work>
  bool Handle(Work work);
  // The jog ended, the pendant closed, the window destroyed; once only.
  void Shutdown();
  // A closed pendant with no notices to bring it back is looked for every kLookAgainTicks.
  void LookAgainWhileClosed();

  Host& host_;
  PollTicks& pollTicks_;
  NativeWindow window_ = nullptr;
  PendantLink link_;
  ActionEngine engine_;
  DisplayComposer display_;
  bool busy_ = false;     // a tick or a notice is being handled
  bool stopped_ = false;  // stopped while busy: deleted when the handling returns
  bool shutDown_ = false;
  std::vector<DeviceNotice> waitingNotices_;
  unsigned closedTicks_ = 0;
  ReadWait readWait_;
};

}  // namespace pendant
