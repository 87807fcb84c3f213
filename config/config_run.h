// One configuration run: reload every setting, let the user edit them, save every setting.
#pragma once

#include "settings/pendant_settings.h"
#include "settings/settings_store.h"

namespace pendant {

// Reloads every setting from the profile as it is when the dialog opens, then saves every
// setting into the profile as it is once the dialog has closed, so what the host wrote to its
// profile meanwhile stays. Saves in every case, after OK, cancel or a dialog that could not be
// shown, so the profile always agrees with the settings in memory.
void RunConfigDialog(const ProfileAccess& profile, PendantSettings& settings);

}  // namespace pendant
