// The jog screens (step, velocity, continuous) and the zero screen.
#include <cmath>
#include <string_view>

#include "display/number_field.h"
#include "display/screen_context.h"
#include "host/host_numbers.h"
#include "input/jog_mode.h"

namespace pendant {
namespace {

// Below this magnitude an axis counts as zeroed and the zero screen asks nothing.
constexpr double kZeroedBelow = 0.00001;
// The step-mode field shows the step size above this DisplayCycle and the jog speed below.
constexpr int32_t kStepSizeShownAbove = 80;

void PutStepSize(const ScreenContext& screen) {
  const double size = screen.Dro(kJogStepSizeDro);
  screen.lines.Put(1, 2, " ");
  PutNumber(screen.lines, 1, 3, 6, "%6.4f", size);
  if (size < 1.0) screen.lines.Put(1, 3, " ");  // 0.0010 shows as .0010
}

void PutStepJogSpeed(const ScreenContext& screen) {
  const double speed = StepJogSpeed(screen);
  PutNumber(screen.lines, 1, 2, 5, speed > 100.0 ? "%5.0f" : "%5.1f", speed);
  screen.lines.Put(1, 7, "/M");
}

void PutVelocityLabel(const ScreenContext& screen) {
  DisplayLines& lines = screen.lines;
  lines.Put(1, 2, "    ");
  if (!screen.view.ActionKey) {
    lines.Put(1, 6, "Vel");
    return;
  }
  lines.Put(1, 6, "V/");
  // The first character of the divisor's decimal text; "%.0f" of an int32 is that text.
  PutNumber(lines, 1, 8, 1, "%.0f", static_cast<double>(screen.view.SlowDownDivisor));
}

void PutContinuousPercent(const ScreenContext& screen) {
  screen.lines.Put(1, 2, " ");
  PutNumber(screen.lines, 1, 3, 5, "%5.1f", screen.Dro(kContinuousPercentDro));
  screen.lines.Put(1, 8, "%");
}

void PutModeField(const ScreenContext& screen) {
  switch (screen.view.JogMode) {
    case ModeStepJog:
      if (screen.shown.DisplayCycle > kStepSizeShownAbove) {
        PutStepSize(screen);
      } else {
        PutStepJogSpeed(screen);
      }
      break;
    case ModeVelocityJog:
      PutVelocityLabel(screen);
      break;
    case ModeContinuousJog:
      PutContinuousPercent(screen);
      break;
    case ModeIdle:
    case ModeContinuousSpeed:
    case ModeFeedOverride:
    case ModeSpindleOverride:
    case ModeZeroAxis:
    case ModeFunctionKeys:
    case ModeStepSpeed:
    case ModeStepSize:
    case ModeProgramStart:
    case ModeProgramStop:
    case ModeSpindle:
      break;  // no axis screen in these modes
  }
}

// A ">" mark that grows as the host's animation phase runs down.
std::string_view RunningMark(int32_t phase) {
  if (phase > 20) return "  >   ";
  if (phase > 15) return "  >>  ";
  if (phase > 10) return "  >>> ";
  if (phase > 5) return "  >>>>";
  return "      ";
}

void PutProgramMarks(const ScreenContext& screen) {
  if (screen.Led(kProgramRunningLed)) {
    screen.lines.Put(1, 3, RunningMark(screen.ticks.AnimationPhase));
  } else if (screen.Led(kProgramPausedLed)) {
    screen.lines.Put(1, 3, "    ");
    screen.lines.PutBlinking(1, 7, "||", !screen.firstHalf);
  }
}

}  // namespace

void ComposeAxisScreen(const ScreenContext& screen) {
  DisplayLines& lines = screen.lines;
  lines.PutField(1, 1, kLineLength, {});
  const char letter = AxisLetter(screen.view.AxisIndex);
  lines.PutBlinking(1, 1, std::string_view(&letter, 1), !screen.firstHalf);
  PutAxisValue(screen, kAxisLetterCount);
  PutModeField(screen);
  PutProgramMarks(screen);
}

void ComposeZeroScreen(const ScreenContext& screen) {
  screen.lines.Put(1, 1, "Zero  ");
  const double value = PutAxisValue(screen, kHostAxisCount);
  const int32_t axis = screen.view.AxisIndex;
  if (axis < 0 || axis >= kHostAxisCount) return;
  const bool ask = std::fabs(value) >= kZeroedBelow && screen.firstHalf;
  const char mark[] = {AxisLetter(axis), ask ? '?' : ' '};
  screen.lines.Put(1, 7, std::string_view(mark, sizeof mark));
}

}  // namespace pendant
