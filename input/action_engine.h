// The action engine: decodes each report (switches, key timing, mode, axis, wheel) and turns it
// into what the host is told: jogs, step moves, value adjustments and key actions.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/input_state.h"
#include "input/percentage_adjust.h"
#include "settings/pendant_settings.h"

namespace pendant {

class ActionEngine : private InputState {
 public:
  ActionEngine(const Host& host, const PendantSettings& settings, UpdateTicks& updateTicks,
               PollTicks& pollTicks);

  // What the engine decoded and keeps; only the engine writes it.
  const InputState& State() const { return *this; }

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
  void EndActiveWheelJog();

 private:
  // Decoding.
  void HandleStopSwitch();
  void SelectJogModeFromSelectors();
  void SelectAxis();
  void ProcessWheel();
  void HandleScreenKey();

  // Once per cycle with this cycle's wheel counts: global gates, then the mode's action.
  void RunWheelAction(int32_t direction, int32_t steps);
  void StepJog(int32_t direction, int32_t steps);
  void VelocityJog(int32_t direction, int32_t steps);
  void ContinuousJog(int32_t direction, int32_t steps);
  void AdjustValue(int32_t direction, int32_t steps);
  void RunKeyAction();

  // Jog pieces shared by the jogging modes.
  bool MotionAllowed() const;
  bool NoCountsInTwoCycles(int32_t steps);
  void StopAxisJog();
  void EndJogOfAxis(int32_t axis);
  void EndWheelJog();
  void WheelJogStep(double speed, int32_t direction);
  void StraightStepMove(int32_t direction, int32_t steps);
  void RotatedStepMove(int32_t direction, int32_t steps);

  // Key actions and value adjustments.
  void RunConfirmedAction();
  void RunFunctionButton(int button);
  void AdjustHostPercentage(int dro, PercentageLimits limits, int32_t direction, int32_t steps);
  void SelectStepSize();

  const Host& host_;
  const PendantSettings& settings_;
  UpdateTicks& updateTicks_;
  PollTicks& pollTicks_;
};

}  // namespace pendant
