#include "config/config_run.h"

#include "config/dialog_port.h"
#include "settings/setting_keys.h"

namespace pendant {

void RunConfigDialog(const ProfileAccess& profile, PendantSettings& settings) {
  profile(false, [&](SettingsStore& store) {
    for (const SettingKey* key : kDialogReloadKeys) ReadSetting(store, settings, *key);
  });
  PropertiesDialog dialog(settings);
  ShowPropertiesDialog(dialog);
  profile(true, [&](SettingsStore& store) {
    for (const SettingKey* key : kDialogSaveKeys) WriteSetting(store, settings, *key);
  });
}

}  // namespace pendant
