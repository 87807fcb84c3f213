// Actions confirmed by a double press of the key: zero, program start/stop, spindle, F1..F4.
#include <cstdio>

#include "config/selection_tables.h"
#include "input/jog_mode.h"
#include "plugin/host_numbers.h"
#include "plugin/plugin_module.h"
#include "plugin/trundle_win.h"

namespace pendant {
namespace {

// A press counts as quick when it starts and lasts fewer than this many Update calls.
constexpr int32_t kQuickPressTicks = 5;

// Function-list codes the plug-in handles itself.
constexpr int kFirstOwnCode = 800;
constexpr int kLastOwnCode = 899;
constexpr int kFirstOemCode = 813;
constexpr int kFirstMacroCode = 817;
constexpr int kSelectorsPerKind = 4;

// Which function button each axis selector position runs (0: none).
int FunctionButtonAt(int32_t axisSelector) {
  switch (axisSelector) {
    case 1:
      return 1;
    case 2:
      return 2;
    case 3:
      return 3;
    case 7:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

void TrundleWin::RunKeyAction() {
  UpdateTicks& ticks = module_.updateTicks;
  if (ActionKey && PressLatched == 0) {
    PressWasLate = ticks.PressTicks >= kQuickPressTicks ? 1 : 0;
    ticks.PressTicks = 0;
    PressLatched = 1;
  }
  if (ActionKey || PressLatched == 0) return;
  // Released: a quick press that followed a quick release confirms the action.
  if (ticks.PressTicks < kQuickPressTicks) {
    ticks.PressTicks = 0;
    if (PressWasLate == 0) RunConfirmedAction();
  }
  PressLatched = 0;
}

void TrundleWin::RunConfirmedAction() {
  const Host& host = module_.host;
  switch (JogMode) {
    case ModeZeroAxis:
      host.DoButton(kZeroAxisButton + AxisIndex);
      break;
    case ModeFunctionKeys:
      RunFunctionButton(FunctionButtonAt(AxisSelector));
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
    default:
      break;
  }
}

void TrundleWin::RunFunctionButton(int button) {
  if (button < 1 || button > 4) return;
  const Host& host = module_.host;
  const PendantSettings& s = module_.settings;
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
  if (oem >= 0 && oem < kSelectorsPerKind) {
    const int16_t oemCodes[] = {s.OEM1, s.OEM2, s.OEM3, s.OEM4};
    host.DoButton(oemCodes[oem]);
    std::snprintf(text, sizeof text, "OEM Function #%d executed.", oem + 1);
    host.ShowHostMessage(text);
  } else if (macro >= 0 && macro < kSelectorsPerKind) {
    const int16_t macros[] = {s.Macro1, s.Macro2, s.Macro3, s.Macro4};
    std::snprintf(text, sizeof text, "M%d", macros[macro]);
    host.Code(text);
    std::snprintf(text, sizeof text, "Custom Macro #%d executed.", macro + 1);
    host.ShowHostMessage(text);
  }
}

}  // namespace pendant
