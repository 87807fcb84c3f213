// What the display shows while the pendant's offline switch is on.
#include <string_view>

#include "display/screen_context.h"
#include "settings/selection_tables.h"

namespace pendant {
void ComposeCompactOfflineScreen(const ScreenContext& screen) {
  screen.lines.Put(1, 1, "MPG     ");
  screen.lines.Put(2, 1, "Offline ");
}

void PutOfflineScreenName(const ScreenContext& screen) {
  screen.lines.Put(1, 1, "OFFLINE ");
  screen.lines.Put(2, 1, ScreenNameOf(screen.view.CurrentScreenCode));  // unknown: line 2 stays
}

}  // namespace pendant
