#include "input/screen_key.h"

#include "host/host_numbers.h"
#include "settings/selection_tables.h"

namespace pendant {
namespace {

constexpr int32_t kTapTicks = 3;
constexpr int32_t kHoldTicks = 20;

void RefreshScreenCode(int16_t row, int32_t& code) {
  if (const ScreenRow* screen = ScreenRowAt(row)) code = screen->hostScreen;
}

}  // namespace

ScreenKey::ScreenKey(const Host& host, const PendantSettings& settings, UpdateTicks& ticks)
    : host_(host), settings_(settings), ticks_(ticks) {}

void ScreenKey::FollowOffline(bool keyDown) {
  if (keyDown) {
    if (!ScreenKeyLatched) {
      ticks_.ScreenKeyTicks = 0;
      ScreenKeyLatched = true;
    }
    return;
  }
  if (!ScreenKeyLatched) return;
  ScreenKeyLatched = false;
  if (ticks_.ScreenKeyTicks < kTapTicks) {
    host_.DoButton(kTabToggleButton);
    return;
  }
  if (ticks_.ScreenKeyTicks >= kHoldTicks) return;
  SelectNextScreen();
}

void ScreenKey::SelectNextScreen() {
  const PendantSettings& s = settings_;
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
    host_.DoButton(codes[slot]);
    CurrentScreenCode = codes[slot];
    return;
  }
}

}  // namespace pendant
