#include "input/jog_mode.h"

namespace pendant {
namespace {

// Positions shared by both layouts: the mode selector with the key as a shift.
JogModeValue ModeFromModeSelector(const SelectorState& s, JogModeValue stepWithKey) {
  switch (s.modeSelector) {
    case 1:
      return stepWithKey;
    case 2:
      return ModeVelocityJog;
    case 3:
      return s.keyDown ? ModeContinuousSpeed : ModeContinuousJog;
    case 4:
      return s.keyDown ? ModeSpindleOverride : ModeFeedOverride;
    case 5:
      return ModeZeroAxis;
    case 6:
      return s.extended ? ModeFunctionKeys : ModeIdle;
    default:
      return ModeIdle;
  }
}

}  // namespace

JogModeValue SelectJogMode(const SelectorState& s) {
  if (s.axisSelector == 4) return ModeProgramStart;
  if (s.axisSelector == 5) return ModeProgramStop;
  if (s.axisSelector == 6 && (s.extended || !s.caMode)) return ModeSpindle;
  if (s.extended) {
    const JogModeValue step = s.longPress     ? ModeStepSize
                              : s.doublePress ? ModeStepSpeed
                                              : ModeStepJog;
    return ModeFromModeSelector(s, step);
  }
  return ModeFromModeSelector(s, s.keyDown ? ModeStepSize : ModeStepJog);
}

int32_t SelectedAxis(const SelectorState& s) {
  if (s.axisSelector >= 1 && s.axisSelector <= 3) return s.axisSelector - 1;
  if (s.extended && s.axisSelector == 7) return 3;
  if (!s.extended && s.axisSelector == 6 && s.caMode) return 3;
  return -1;
}

}  // namespace pendant
