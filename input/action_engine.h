// The action engine: decodes each report (switches, key timing, mode, axis, wheel) and turns it
// into what the host is told: jogs, step moves, value adjustments and key actions. Each part
// keeps its own state; the engine keeps what they share and runs them in the cycle's order.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/decoded_report.h"
#include "input/key_actions.h"
#include "input/key_timing.h"
#include "input/mode_selection.h"
#include "input/pendant_view.h"
#include "input/running_jog.h"
#include "input/screen_key.h"
#include "input/step_jog.h"
#include "input/stop_switch_relay.h"
#include "input/value_adjuster.h"
#include "input/wheel_decoder.h"
#include "input/wheel_jog.h"
#include "pendant/input_report_format.h"
#include "settings/pendant_settings.h"

namespace pendant {

class ActionEngine {
 public:
  ActionEngine(const Host& host, const PendantSettings& settings, UpdateTicks& updateTicks,
               PollTicks& pollTicks);

  // The pendant starts from rest after every opening: its first report only sets the wheel's
  // reference, and counts turned before it went away cannot start a jog.
  void PendantOpened();
  // A report landed; the first after an opening sets the wheel's reference.
  void ReportLanded(const uint8_t (&report)[kInputReportSize]);
  // Readiness is only refreshed while the host is idle; otherwise the last verdict stands.
  void RefreshHostReadiness();
  // One cycle over the report: decode it, then act on it.
  void DecodeInput(const uint8_t (&report)[kInputReportSize]);
  // The pendant went away: a jog under way ends, and the host's stop is toggled unless the
  // host is stopped already.
  void PendantRemoved();
  // Ends a velocity or continuous jog still under way: its axis stops and the host hears
  // "ENDJOG". Nothing when no jog is under way.
  void EndActiveWheelJog() { runningJog_.End(host_); }

  // What the display shows of the decoded pendant.
  PendantView View() const;
  // The report decoded last.
  const DecodedReport& Report() const { return CurrentInput; }
  const KeyTiming& Key() const { return keyTiming_; }
  const WheelDecoder& Wheel() const { return wheel_; }
  const WheelJog& WheelJogging() const { return wheelJog_; }
  bool HostIsReady() const { return HostReady; }

 private:
  // Once per cycle with this cycle's wheel counts: global gates, then the mode's action.
  void RunWheelAction();
  bool AxisReversed() const;

  const Host& host_;
  const PendantSettings& settings_;
  PollTicks& pollTicks_;
  // The report being decoded, from the last one read.
  DecodedReport CurrentInput{};
  // The host's readiness, refreshed only while it is idle.
  bool HostReady = true;
  RunningJog runningJog_;
  KeyTiming keyTiming_;
  StopSwitchRelay stopSwitch_;
  ModeSelection selection_;
  WheelDecoder wheel_;
  StepJog stepJog_;
  WheelJog wheelJog_;
  ValueAdjuster values_;
  KeyActions keyActions_;
  ScreenKey screenKey_;
};

}  // namespace pendant
