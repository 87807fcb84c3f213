// While offline the key is the screen key: a tap toggles the host's tab display, a longer press
// steps through up to three configured host screens.
#pragma once

#include <cstdint>

#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "settings/pendant_settings.h"

namespace pendant {

class ScreenKey {
 public:
  ScreenKey(const Host& host, const PendantSettings& settings, UpdateTicks& ticks);

  // Once per decoded cycle; the key is the screen key only while offline.
  void Follow(bool offline, bool keyDown) {
    if (offline) FollowOffline(keyDown);
  }

  // The host screen the key selected last.
  int32_t ScreenCode() const { return CurrentScreenCode; }

 private:
  void FollowOffline(bool keyDown);
  void SelectNextScreen();

  const Host& host_;
  const PendantSettings& settings_;
  UpdateTicks& ticks_;
  bool ScreenKeyLatched = false;
  int32_t CurrentScreenCode = 1;
  int32_t ScreenIndex = 1;
  int32_t ScreenCode1 = 1;
  int32_t ScreenCode2 = 1;
  int32_t ScreenCode3 = 1;
};

}  // namespace pendant
