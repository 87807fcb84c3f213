// What the display shows while the pendant's offline switch is on.
#include <string_view>

#include "display/screen_context.h"

namespace pendant {
namespace {

// Names of the host screens the offline screen key steps through; empty for other codes.
std::string_view ScreenName(int32_t screenCode) {
  switch (screenCode) {
    case 1:
      return "Prog Run";
    case 2:
      return "MDI     ";
    case 3:
      return "ToolPath";
    case 5:
      return "Diagnost";
    case 6:
      return "Settings";
    case 7:
      return "OffSets ";
    default:
      return {};
  }
}

}  // namespace

void ComposeCompactOfflineScreen(const ScreenContext& screen) {
  screen.lines.Put(1, 1, "MPG     ");
  screen.lines.Put(2, 1, "Offline ");
}

void PutOfflineScreenName(const ScreenContext& screen) {
  screen.lines.Put(1, 1, "OFFLINE ");
  screen.lines.Put(2, 1, ScreenName(screen.window.CurrentScreenCode));  // unknown: line 2 stays
}

}  // namespace pendant
