// What the host's buttons do on the bench's machine.
#include <set>
#include <string>

#include "bench/host/machine.h"
#include "host/host_numbers.h"

namespace pendant::bench {
namespace {

constexpr int kJogToggleButton = 103;
constexpr int kFloodButton = 113;
constexpr int kMistButton = 114;
constexpr int kZeroAllButton = 1007;
constexpr int kFirstScreen = 1;
constexpr int kLastScreen = 7;

void Toggle(std::set<int>& leds, int led) {
  if (!leds.erase(led)) leds.insert(led);
}

}  // namespace

void Machine::OnButton(int code) {
  std::set<int>& leds = host_.ledsOn;
  if (code >= kModeChangeButton && code < kModeChangeButton + kMachineAxes) {
    return;  // the pendant's mode notices change nothing on the machine
  }
  if (code >= kFirstScreen && code <= kLastScreen) {
    screen_ = code;
    return;
  }
  if (code >= kZeroAxisButton && code < kZeroAxisButton + kMachineAxes) {
    SetPosition(code - kZeroAxisButton, 0.0);
    return;
  }
  switch (code) {
    case kEmergencyStopButton:
      Toggle(leds, kEmergencyStopLed);
      if (Stopped()) EmergencyStop();
      return;
    case kProgramStartButton:
      StartProgram();
      return;
    case kProgramPauseButton:
      if (leds.erase(kProgramRunningLed)) leds.insert(kProgramPausedLed);
      return;
    case kProgramRewindButton:
      if (!leds.count(kProgramRunningLed)) {
        programLine_ = 0;
        host_.dros[kProgramLineDro] = 0.0;
      }
      return;
    case kProgramStopButton:
      leds.erase(kProgramRunningLed);
      leds.erase(kProgramPausedLed);
      ClearQueue();
      return;
    case kSpindleButton:
      if (Stopped()) {
        Note("refused the spindle: the emergency stop is on");
      } else {
        Toggle(leds, kSpindleOnLed);
      }
      PublishState();
      return;
    case kJogModeOnButton:
      leds.erase(kJogModeLed);  // the host now jogs the way the wheel needs
      return;
    case kJogModeOffButton:
      leds.insert(kJogModeLed);
      return;
    case kJogToggleButton:
      Toggle(leds, kJogEnabledLed);
      return;
    case kFloodButton:
      flood_ = !flood_;
      return;
    case kMistButton:
      mist_ = !mist_;
      return;
    case kTabToggleButton:
      tabShown_ = !tabShown_;
      return;
    case kZeroAllButton:
      for (int axis = 0; axis < kMachineAxes; ++axis) SetPosition(axis, 0.0);
      return;
    default:
      Note("button " + std::to_string(code) + " does nothing on this machine");
  }
}

}  // namespace pendant::bench
