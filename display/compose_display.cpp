// The display report of one poll cycle: fixed bytes, then the screen the switches and the mode
// call for, then the offline screen name on top.
#include <span>
#include <string_view>

#include "display/screen_context.h"
#include "input/jog_mode.h"
#include "plugin/host_numbers.h"
#include "plugin/plugin_module.h"

namespace pendant {
namespace {

static_assert(kSequenceByte < kDisplayReportSize && kTextEnd <= kSequenceByte);

// Both lines show the text in the first half of the blink period and spaces in the second.
void ComposeAlarmScreen(const ScreenContext& screen, std::string_view text) {
  screen.lines.PutBlinking(1, 1, text, screen.firstHalf);
  screen.lines.PutBlinking(2, 1, text, screen.firstHalf);
}

void ComposeJogModeScreen(const ScreenContext& screen) {
  switch (screen.window.JogMode) {
    case ModeStepJog:
    case ModeVelocityJog:
    case ModeContinuousJog:
      return ComposeAxisScreen(screen);
    case ModeContinuousSpeed:
      return ComposeContinuousSpeedScreen(screen);
    case ModeFeedOverride:
      return ComposeFeedOverrideScreen(screen);
    case ModeSpindleOverride:
      return ComposeSpindleOverrideScreen(screen);
    case ModeZeroAxis:
      return ComposeZeroScreen(screen);
    case ModeFunctionKeys:
      return ComposeFunctionTextScreen(screen);
    case ModeStepSpeed:
      return ComposeStepSpeedScreen(screen);
    case ModeStepSize:
      return ComposeStepSizeScreen(screen);
    case ModeProgramStart:
      return ComposeProgramStartScreen(screen);
    case ModeProgramStop:
      return ComposeProgramStopScreen(screen);
    case ModeSpindle:
      return ComposeSpindleScreen(screen);
    default:
      return;  // idle and unknown modes leave the text as it was
  }
}

}  // namespace

void TrundleWin::ComposeDisplay() {
  DisplayLines lines{std::span(DisplayBuffer).first<kTextEnd>()};
  if (!DisplayTextStarted) {
    lines.Clear();
    DisplayTextStarted = true;
  }
  const bool resetLed = module_.host.GetLed(kEmergencyStopLed);
  DisplayBuffer[kReportIdByte] = 0;
  DisplayBuffer[kLedByte] = resetLed ? 1 : 0;
  DisplayBuffer[kSequenceByte] = static_cast<uint8_t>(module_.updateTicks.ReportSequence & 0xFF);

  const ScreenContext screen{*this, module_, lines, FirstBlinkHalf(DisplayCycle)};
  if (StopSwitch) {
    ComposeAlarmScreen(screen, " E-STOP ");
  } else if (resetLed) {
    ComposeAlarmScreen(screen, "  RESET ");
  } else if (OfflineSwitch && !ExtendedSelector) {
    ComposeCompactOfflineScreen(screen);
  } else {
    ComposeJogModeScreen(screen);
  }
  if (OfflineSwitch && ExtendedSelector) PutOfflineScreenName(screen);
}

}  // namespace pendant
