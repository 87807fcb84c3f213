// Values of the selected axis that several screens show.
#include <string_view>

#include "display/number_field.h"
#include "display/screen_context.h"
#include "host/host_numbers.h"
#include "input/step_jog_feed.h"

namespace pendant {
namespace {

// By Decidigit: the text is cut at 8 characters, so these show 2, 3 and 4 decimals.
constexpr const char* kAxisValueFormats[] = {"%+10.4f", "%+9.4f", "%+8.4f"};
constexpr int kAxisValueFormatCount = 3;

}  // namespace

double PutAxisValue(const ScreenContext& screen, int32_t axisCount) {
  DisplayState& shown = screen.shown;
  const int32_t axis = screen.view.AxisIndex;
  if (axis >= 0 && axis < axisCount && axis < kAxisLetterCount) {
    shown.LastAxisValue = screen.Dro(kFirstAxisPositionDro + axis);
  }
  const int digits = screen.settings.Decidigit;
  if (digits >= 0 && digits < kAxisValueFormatCount) {
    FormatField(shown.LastAxisText, kLineLength, kAxisValueFormats[digits], shown.LastAxisValue);
  }
  screen.lines.Put(2, 1, std::string_view(shown.LastAxisText, kLineLength));
  return shown.LastAxisValue;
}

double StepJogSpeed(const ScreenContext& screen) {
  return StepJogFeed(screen.host, screen.view.AxisIndex, screen.view.StepJogPercent);
}

}  // namespace pendant
