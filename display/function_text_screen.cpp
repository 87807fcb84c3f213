// The function-key screen: the description of the function the axis selector points at.
#include <string>

#include "display/screen_context.h"
#include "input/function_buttons.h"

namespace pendant {
namespace {

// The description for an axis selector position; null where the position has no function.
const std::string* FunctionText(const PendantSettings& settings, int32_t axisSelector) {
  const std::string* texts[kFunctionButtonCount] = {&settings.F1, &settings.F2, &settings.F3,
                                                    &settings.F4};
  const int button = FunctionButtonAt(axisSelector);
  return button == 0 ? nullptr : texts[button - 1];
}

}  // namespace

void ComposeFunctionTextScreen(const ScreenContext& screen) {
  screen.lines.Clear();
  const std::string* text = FunctionText(screen.settings, screen.view.AxisSelector);
  if (text) screen.lines.PutAcross(*text);  // cut at 16 characters
}

}  // namespace pendant
