// The screens of the values the wheel adjusts: continuous speed, feed and spindle overrides,
// step speed and step size.
#include <string_view>

#include "display/number_field.h"
#include "display/screen_context.h"
#include "host/host_numbers.h"

namespace pendant {
namespace {

// Line 1: a four-character label, the percentage in columns 5 to 7 and a percent sign.
void PutPercentLine(const ScreenContext& screen, std::string_view label, double percent) {
  screen.lines.Put(1, 1, label);
  PutNumber(screen.lines, 1, 5, 3, "%3.0f", percent);
  screen.lines.Put(1, 8, "%");
}

}  // namespace

void ComposeContinuousSpeedScreen(const ScreenContext& screen) {
  DisplayLines& lines = screen.lines;
  lines.Put(1, 1, "CON'T   ");
  lines.Put(2, 1, " ");
  PutNumber(lines, 2, 2, 6, "%6.1f", screen.Dro(kContinuousPercentDro));
  lines.Put(2, 8, "%");
}

void ComposeFeedOverrideScreen(const ScreenContext& screen) {
  PutPercentLine(screen, "FRO ", screen.Dro(kFeedOverrideDro));
  PutNumber(screen.lines, 2, 1, 8, "%8.2f", screen.Dro(kFeedRateDro));
}

void ComposeSpindleOverrideScreen(const ScreenContext& screen) {
  DisplayLines& lines = screen.lines;
  lines.Clear();
  PutPercentLine(screen, "Sov ", screen.Dro(kSpindleOverrideDro));
  if (screen.settings.DisplyRPM) {
    PutNumber(lines, 2, 1, 4, "%4.0f", screen.Dro(kSpindleRpmDro));
    lines.Put(2, 5, " RPM");
  } else {
    PutNumber(lines, 2, 1, 5, "%5.0f", screen.Dro(kSpindleSpeedDro));
    lines.Put(2, 6, " P");
    PutNumber(lines, 2, 8, 1, "%1.0f", screen.Dro(kSpindleRangeDro));
  }
}

void ComposeStepSpeedScreen(const ScreenContext& screen) {
  DisplayLines& lines = screen.lines;
  PutPercentLine(screen, "Step", screen.view.StepJogPercent);
  const double speed = StepJogSpeed(screen);
  if (speed < 100.0) {
    PutNumber(lines, 2, 1, 4, "%4.1f", speed);
    lines.Put(2, 5, "/Min");
  } else if (speed < 10000.0) {
    PutNumber(lines, 2, 1, 4, "%4.0f", speed);
    lines.Put(2, 5, "/Min");
  } else {  // also a speed that is not a number
    PutNumber(lines, 2, 1, 6, "%6.0f", speed);
    lines.Put(2, 7, "/M");
  }
}

void ComposeStepSizeScreen(const ScreenContext& screen) {
  screen.lines.Put(1, 1, "Stepsize");
  screen.lines.Put(2, 1, "  ");
  PutNumber(screen.lines, 2, 3, 6, "%.4f", screen.Dro(kJogStepSizeDro));
}

}  // namespace pendant
