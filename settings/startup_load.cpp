#include "settings/pendant_settings.h"
#include "settings/setting_keys.h"

namespace pendant {

void LoadStartupSettings(SettingsStore& store, PendantSettings& settings,
                         const std::function<void()>& findPendant) {
  for (const SettingKey* key : kStartupKeysBeforeDevice) ReadSetting(store, settings, *key);
  findPendant();
  for (const SettingKey* key : kStartupKeysAfterDevice) ReadSetting(store, settings, *key);
}

}  // namespace pendant
