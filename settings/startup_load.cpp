#include "settings/pendant_settings.h"
#include "settings/setting_keys.h"

namespace pendant {

void LoadStartupSettings(SettingsStore& store, PendantSettings& settings,
                         const std::function<void()>& findPendant) {
  for (std::string_view key : kStartupKeysBeforeDevice) ReadSetting(store, settings, key);
  findPendant();
  for (std::string_view key : kStartupKeysAfterDevice) ReadSetting(store, settings, key);
}

}  // namespace pendant
