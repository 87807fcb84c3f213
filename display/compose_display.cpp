#include <span>
#include <string_view>

#include "display/display_composer.h"
#include "display/screen_context.h"
#include "host/host_numbers.h"
#include "input/jog_mode.h"

namespace pendant {
namespace {

static_assert(kSequenceByte < kDisplayReportSize && kTextEnd <= kSequenceByte);

// Both lines show the text in the first half of the blink period and spaces in the second.
void ComposeAlarmScreen(const ScreenContext& screen, std::string_view text) {
  screen.lines.PutBlinking(1, 1, text, screen.firstHalf);
  screen.lines.PutBlinking(2, 1, text, screen.firstHalf);
}

void ComposeJogModeScreen(const ScreenContext& screen) {
  switch (screen.view.JogMode) {
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
    case ModeIdle:
      return;  // the text stays as it was
  }
}

}  // namespace

DisplayComposer::DisplayComposer(const Host& host, const PendantSettings& settings,
                                 const UpdateTicks& updateTicks, const DisplayState& start)
    : host_(host), settings_(settings), updateTicks_(updateTicks), state_(start) {}

void DisplayComposer::StepDisplayCycle(bool wheelTurning) {
  int32_t& cycle = state_.DisplayCycle;
  if (cycle == 0) cycle = 160;
  --cycle;
  if (wheelTurning) cycle = 159;
}

void DisplayComposer::Compose(const PendantView& view, uint8_t (&report)[kDisplayReportSize]) {
  DisplayLines lines{std::span(report).first<kTextEnd>()};
  if (!state_.DisplayTextStarted) {
    lines.Clear();
    state_.DisplayTextStarted = true;
  }
  const bool resetLed = host_.GetLed(kEmergencyStopLed);
  report[kReportIdByte] = kReportId;
  report[kLedByte] = resetLed ? kLedOn : kLedOff;
  report[kSequenceByte] = static_cast<uint8_t>(updateTicks_.ReportSequence);

  const ScreenContext screen{
      view, host_, settings_, updateTicks_, state_, lines, FirstBlinkHalf(state_.DisplayCycle)};
  if (view.StopSwitch) {
    ComposeAlarmScreen(screen, " E-STOP ");
  } else if (resetLed) {
    ComposeAlarmScreen(screen, "  RESET ");
  } else if (view.OfflineSwitch && !view.ExtendedSelector) {
    ComposeCompactOfflineScreen(screen);
  } else {
    ComposeJogModeScreen(screen);
  }
  if (view.OfflineSwitch && view.ExtendedSelector) PutOfflineScreenName(screen);
}

}  // namespace pendant
