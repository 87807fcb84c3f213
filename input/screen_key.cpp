// While offline the key is the screen key: a tap toggles the host's tab display, a longer press
// steps through up to three configured host screens.
#include <iterator>

#include "plugin/host_numbers.h"
#include "plugin/plugin_module.h"
#include "plugin/trundle_win.h"

namespace pendant {
namespace {

constexpr int32_t kTapTicks = 3;
constexpr int32_t kHoldTicks = 20;

// Host screen codes of the screen list's rows; row 0 is "none".
constexpr int32_t kScreenCodes[] = {0, 1, 2, 3, 7, 6, 5};

void RefreshScreenCode(int16_t row, int32_t& code) {
  if (row >= 0 && row < static_cast<int16_t>(std::size(kScreenCodes))) code = kScreenCodes[row];
}

}  // namespace

void TrundleWin::HandleScreenKey() {
  if (!OfflineSwitch) return;
  UpdateTicks& ticks = module_.updateTicks;
  if (ActionKey) {
    if (!ScreenKeyLatched) {
      ticks.ScreenKeyTicks = 0;
      ScreenKeyLatched = true;
    }
    return;
  }
  if (!ScreenKeyLatched) return;
  ScreenKeyLatched = false;
  if (ticks.ScreenKeyTicks < kTapTicks) {
    module_.host.DoButton(kTabToggleButton);
    return;
  }
  if (ticks.ScreenKeyTicks >= kHoldTicks) return;

  const PendantSettings& s = module_.settings;
  RefreshScreenCode(s.ScreenSel1, ScreenCode1);
  RefreshScreenCode(s.ScreenSel2, ScreenCode2);
  RefreshScreenCode(s.ScreenSel3, ScreenCode3);
  const bool configured[] = {s.ScreenSel1 != 0, s.ScreenSel2 != 0, s.ScreenSel3 != 0};
  const int32_t codes[] = {ScreenCode1, ScreenCode2, ScreenCode3};
  if (ScreenIndex < 1 || ScreenIndex > 3) {
    ScreenIndex = 1;
    return;
  }
  // The next configured slot after the current one, wrapping; the current one is not a candidate.
  for (int offset = 1; offset <= 2; ++offset) {
    const int slot = (ScreenIndex - 1 + offset) % 3;
    if (!configured[slot]) continue;
    ScreenIndex = slot + 1;
    module_.host.DoButton(codes[slot]);
    CurrentScreenCode = codes[slot];
    return;
  }
}

}  // namespace pendant
