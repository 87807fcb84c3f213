#include "input/key_actions.h"

#include <cstdio>

#include "host/host_numbers.h"
#include "input/function_buttons.h"
#include "settings/selection_tables.h"

namespace pendant {
namespace {

// A press counts as quick when it starts and lasts fewer than this many Update calls.
constexpr int32_t kQuickPressTicks = 5;

// Function-list codes the plug-in handles itself.
constexpr int kFirstOwnCode = 800;
constexpr int kLastOwnCode = 899;
constexpr int kFirstOemCode = 813;
constexpr int kFirstMacroCode = 817;

}  // namespace

KeyActions::KeyActions(const Host& host, const PendantSettings& settings, UpdateTicks& ticks)
    : host_(host), settings_(settings), ticks_(ticks) {}

void KeyActions::Run(JogModeValue mode, bool keyDown, int32_t axis, int32_t axisSelector) {
  UpdateTicks& ticks = ticks_;
  if (keyDown && PressLatched == 0) {
    PressWasLate = ticks.PressTicks >= kQuickPressTicks ? 1 : 0;
    ticks.PressTicks = 0;
    PressLatched = 1;
  }
  if (keyDown || PressLatched == 0) return;
  // Released: a quick press that followed a quick release confirms the action.
  if (ticks.PressTicks < kQuickPressTicks) {
    ticks.PressTicks = 0;
    if (PressWasLate == 0) RunConfirmedAction(mode, axis, axisSelector);
  }
  PressLatched = 0;
}

void KeyActions::RunConfirmedAction(JogModeValue mode, int32_t axis, int32_t axisSelector) {
  const Host& host = host_;
  switch (mode) {
    case ModeZeroAxis:
      host.DoButton(kZeroAxisButton + axis);
      break;
    case ModeFunctionKeys:
      RunFunctionButton(FunctionButtonAt(axisSelector));
      break;
    case ModeProgramStart:
      host.DoButton(host.GetLed(kProgramRunningLed) ? kProgramPauseButton : kProgramStartButton);
      break;
    case ModeProgramStop: {
      const bool active = host.GetLed(kProgramRunningLed) || host.GetLed(kProgramPausedLed);
      host.DoButton(active ? kProgramStopButton : kProgramRewindButton);
      host.DoButton(kProgramStopButton);
      break;
    }
    case ModeSpindle:
      host.DoButton(kSpindleButton);
      break;
    case ModeIdle:
    case ModeStepJog:
    case ModeVelocityJog:
    case ModeContinuousJog:
    case ModeContinuousSpeed:
    case ModeFeedOverride:
    case ModeSpindleOverride:
    case ModeStepSpeed:
    case ModeStepSize:
      break;  // the key only shifts these modes; nothing to confirm
  }
}

void KeyActions::RunFunctionButton(int button) {
  if (button < 1 || button > kFunctionButtonCount) return;
  const Host& host = host_;
  const PendantSettings& s = settings_;
  const char* row = RowAt(FunctionList, s.BUTTON[button - 1]);
  if (!row) return;  // an index from a hand-edited profile that names no row
  const int code = RowCode(row);
  if (code < kFirstOwnCode || code > kLastOwnCode) {
    host.DoButton(code);
    return;
  }
  const int oem = code - kFirstOemCode;
  const int macro = code - kFirstMacroCode;
  char text[48];
  if (oem >= 0 && oem < kFunctionButtonCount) {
    const int16_t oemCodes[] = {s.OEM1, s.OEM2, s.OEM3, s.OEM4};
    host.DoButton(oemCodes[oem]);
    std::snprintf(text, sizeof text, "OEM Function #%d executed.", oem + 1);
    host.ShowHostMessage(text);
  } else if (macro >= 0 && macro < kFunctionButtonCount) {
    const int16_t macros[] = {s.Macro1, s.Macro2, s.Macro3, s.Macro4};
    std::snprintf(text, sizeof text, "M%d", macros[macro]);
    host.Code(text);
    std::snprintf(text, sizeof text, "Custom Macro #%d executed.", macro + 1);
    host.ShowHostMessage(text);
  }
}

}  // namespace pendant
