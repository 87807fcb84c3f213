#include "config/config_run.h"

#include "config/dialog_port.h"
#include "settings/setting_keys.h"

namespace pendant {

void RunConfigDialog(SettingsStore& store, PendantSettings& settings) {
  for (std::string_view key : kDialogReloadKeys) ReadSetting(store, settings, key);
  PropertiesDialog dialog(settings);
  ShowPropertiesDialog(dialog);
  for (std::string_view key : kDialogSaveKeys) WriteSetting(store, settings, key);
}

}  // namespace pendant
