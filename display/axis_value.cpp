// Values of the selected axis that several screens show.
#include <string_view>

#include "display/number_field.h"
#include "display/screen_context.h"
#include "plugin/host_numbers.h"

namespace pendant {
namespace {

constexpr char kAxisLetters[kAxisLetterCount] = {'X', 'Y', 'Z', 'A', 'B', 'C'};
// By Decidigit: the text is cut at 8 characters, so these show 2, 3 and 4 decimals.
constexpr const char* kAxisValueFormats[] = {"%+10.4f", "%+9.4f", "%+8.4f"};
constexpr int kAxisValueFormatCount = 3;

}  // namespace

char AxisLetter(int32_t axisIndex) {
  return axisIndex >= 0 && axisIndex < kAxisLetterCount ? kAxisLetters[axisIndex] : ' ';
}

double PutAxisValue(const ScreenContext& screen, int32_t axisCount) {
  TrundleWin& window = screen.window;
  const int32_t axis = window.AxisIndex;
  if (axis >= 0 && axis < axisCount && axis < kAxisLetterCount) {
    window.LastAxisValue = screen.Dro(kFirstAxisPositionDro + axis);
  }
  const int digits = screen.module.settings.Decidigit;
  if (digits >= 0 && digits < kAxisValueFormatCount) {
    FormatField(window.LastAxisText, kLineLength, kAxisValueFormats[digits], window.LastAxisValue);
  }
  screen.lines.Put(2, 1, std::string_view(window.LastAxisText, kLineLength));
  return window.LastAxisValue;
}

double StepJogSpeed(const ScreenContext& screen) {
  return 60.0 * screen.module.host.AxisFeedBase(screen.window.AxisIndex) *
         screen.module.StepJogPercent / 100.0;
}

}  // namespace pendant
