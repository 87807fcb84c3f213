// One configuration run: reload every setting, let the user edit them, save every setting.
#pragma once

#include "settings/pendant_settings.h"
#include "settings/settings_store.h"

namespace pendant {

// Saves in every case, after OK, cancel or a dialog that could not be shown, so the profile
// always agrees with the settings in memory.
void RunConfigDialog(SettingsStore& store, PendantSettings& settings);

}  // namespace pendant
