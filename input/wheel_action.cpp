// The action engine's entry for the wheel: global gates, then what the current mode does.
#include "input/action_engine.h"

namespace pendant {

void ActionEngine::RunWheelAction() {
  const JogModeValue mode = selection_.Mode();
  const int32_t axis = selection_.Axis();
  const bool offline = CurrentInput.offline;
  // A wheel jog lasts only while its own mode runs for its own axis: any other cycle ends it
  // before doing anything else, or the axis would run on with nobody turning the wheel.
  const bool jogRunsOn = !offline && !host_.JogInhibited() && runningJog_.RunsFor(mode, axis);
  if (!jogRunsOn) EndActiveWheelJog();

  if (offline) return;
  if (host_.JogInhibited()) {
    wheelJog_.EndWheelJog();
    return;
  }
  const int32_t direction = wheel_.Direction();
  const int32_t steps = wheel_.Steps();
  const WheelJogCycle jog{mode, axis, direction, steps, CurrentInput.wheelRate, CurrentInput.key};
  switch (mode) {
    case ModeStepJog:
      stepJog_.Run(
          {axis, direction, steps, values_.StepPercent(), selection_.HoldsGcode(), HostReady});
      break;
    case ModeVelocityJog:
      wheelJog_.VelocityJog(jog);
      break;
    case ModeContinuousJog:
      wheelJog_.ContinuousJog(jog);
      break;
    case ModeContinuousSpeed:
      values_.AdjustContinuousSpeed(direction, steps);
      break;
    case ModeFeedOverride:
      values_.AdjustFeedOverride(direction, steps);
      break;
    case ModeSpindleOverride:
      values_.AdjustSpindleOverride(direction, steps);
      break;
    case ModeStepSpeed:
      values_.AdjustStepSpeed(wheel_.RawDirection(), steps);
      break;
    case ModeStepSize:
      values_.SelectStepSize(wheel_.RawDirection(), CurrentInput.wheelRate);
      break;
    case ModeZeroAxis:
    case ModeFunctionKeys:
    case ModeProgramStart:
    case ModeProgramStop:
    case ModeSpindle:
      keyActions_.Run(mode, CurrentInput.key, axis, CurrentInput.axisSelector);
      break;
    case ModeIdle:
      break;  // the wheel and the key do nothing
  }
}

}  // namespace pendant
