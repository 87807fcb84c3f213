// Velocity and continuous modes: the axis runs through its host jog record while the wheel
// turns, and stops when it rests.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/jog_mode.h"
#include "input/running_jog.h"
#include "settings/pendant_settings.h"

namespace pendant {

inline constexpr int kRateHistorySize = 10;

// What one cycle of wheel jogging works with.
struct WheelJogCycle {
  JogModeValue mode;
  int32_t axis;
  int32_t direction;  // 0 forward, 1 reverse
  int32_t steps;
  uint8_t rate;  // the wheel's rate byte
  bool keyDown;
};

class WheelJog {
 public:
  WheelJog(const Host& host, const PendantSettings& settings, UpdateTicks& ticks,
           RunningJog& running);

  void VelocityJog(const WheelJogCycle& cycle);
  void ContinuousJog(const WheelJogCycle& cycle);
  // Ends the jog under way and switches the host back to its own jog mode if the jog changed it.
  void EndWheelJog();
  // Counts turned before the pendant went away cannot keep a jog going.
  void PendantOpened() { CountHistory[0] = CountHistory[1] = 0.0; }

  // The share of the axis's full speed the velocity jog asked for last.
  double FeedFactor() const { return JogFeedFactor; }
  // Extra divisor of the velocity jog speed while the key is held.
  int32_t SlowDown() const { return SlowDownDivisor; }
  // Whether either of the last two cycles the stop test saw had counts.
  bool CountedRecently() const { return CountHistory[0] != 0.0 || CountHistory[1] != 0.0; }

 private:
  bool NoCountsInTwoCycles(const WheelJogCycle& cycle);
  void StopAxisJog(int32_t axis);
  void WheelJogStep(const WheelJogCycle& cycle, double speed);

  const Host& host_;
  const PendantSettings& settings_;
  UpdateTicks& ticks_;
  RunningJog& running_;
  int32_t JogDirectionLast = 0;
  bool JogStarted = false;
  // The host was in another jog mode and is switched back when the wheel jog ends.
  bool JogModeSwitched = false;
  double JogFeedFactor = 0.0;
  int32_t SlowDownDivisor = 0;
  double CountHistory[2] = {0.0, 0.0};
  int32_t CountHistoryIndex = 0;
  double RateHistory[kRateHistorySize] = {};
  double RateSum = 0.0;
  int32_t ContinuousSteps = 0;
};

}  // namespace pendant
