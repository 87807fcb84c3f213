// The function-key screen: the description of the function the axis selector points at.
#include <string>

#include "display/screen_context.h"

namespace pendant {
namespace {

// The description for an axis selector position; null where the position has no function.
const std::string* FunctionText(const PendantSettings& settings, int32_t axisSelector) {
  switch (axisSelector) {
    case 1:
      return &settings.F1;
    case 2:
      return &settings.F2;
    case 3:
      return &settings.F3;
    case 7:
      return &settings.F4;
    default:
      return nullptr;
  }
}

}  // namespace

void ComposeFunctionTextScreen(const ScreenContext& screen) {
  screen.lines.Clear();
  const std::string* text = FunctionText(screen.module.settings, screen.window.AxisSelector);
  if (text) screen.lines.PutAcross(*text);  // cut at 16 characters
}

}  // namespace pendant
