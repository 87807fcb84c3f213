// The action engine's entry: global gates, then what the current mode does with the wheel.
#include "host/host_numbers.h"
#include "input/action_engine.h"
#include "input/jog_mode.h"

namespace pendant {

void ActionEngine::RunWheelAction(int32_t direction, int32_t steps) {
  // A wheel jog lasts only while its own mode runs for its own axis: any other cycle ends it
  // before doing anything else, or the axis would run on with nobody turning the wheel.
  const bool jogRunsOn =
      !OfflineSwitch && !host_.JogInhibited() && JogMode == JoggingMode && AxisIndex == JoggingAxis;
  if (!jogRunsOn) EndActiveWheelJog();

  if (OfflineSwitch) return;
  if (host_.JogInhibited()) {
    EndWheelJog();
    return;
  }
  switch (JogMode) {
    case ModeStepJog:
      StepJog(direction, steps);
      break;
    case ModeVelocityJog:
      VelocityJog(direction, steps);
      break;
    case ModeContinuousJog:
      ContinuousJog(direction, steps);
      break;
    case ModeContinuousSpeed:
    case ModeFeedOverride:
    case ModeSpindleOverride:
    case ModeStepSpeed:
    case ModeStepSize:
      AdjustValue(direction, steps);
      break;
    case ModeZeroAxis:
    case ModeFunctionKeys:
    case ModeProgramStart:
    case ModeProgramStop:
    case ModeSpindle:
      RunKeyAction();
      break;
    default:
      break;
  }
}

bool ActionEngine::MotionAllowed() const {
  const Host& host = host_;
  // While a program runs or is paused, the wheel moves only if the host allows jogging then.
  const bool programActive = host.GetLed(kProgramRunningLed) || host.GetLed(kProgramPausedLed);
  return !programActive || host.GetLed(kJogWhileRunningLed);
}

}  // namespace pendant
