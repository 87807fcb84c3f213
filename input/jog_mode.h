// What the two selectors (and the key) ask for.
#pragma once

#include <cstdint>

namespace pendant {

enum JogModeValue : int32_t {
  ModeIdle = 0,
  ModeStepJog = 1,
  ModeVelocityJog = 2,
  ModeContinuousJog = 3,
  ModeContinuousSpeed = 4,
  ModeFeedOverride = 5,
  ModeSpindleOverride = 6,
  ModeZeroAxis = 7,
  ModeFunctionKeys = 8,
  ModeStepSpeed = 10,
  ModeStepSize = 11,
  ModeProgramStart = 12,
  ModeProgramStop = 13,
  ModeSpindle = 14,
};

// No mode yet: before the first decoded cycle, or no wheel jog under way.
inline constexpr int32_t kNoJogMode = -1;

struct SelectorState {
  bool extended;
  int32_t axisSelector;
  int32_t modeSelector;
  bool keyDown;
  bool longPress;
  bool doublePress;
  bool caMode;
};

JogModeValue SelectJogMode(const SelectorState& state);

// The axis 0..3 a selector position picks, or -1 when the position keeps the current axis.
int32_t SelectedAxis(const SelectorState& state);

}  // namespace pendant
