// The settings dialog's logic: what it shows when it opens and what OK takes from it.
#pragma once

#include "config/dialog_surface.h"
#include "settings/pendant_settings.h"

namespace pendant {

class PropertiesDialog {
 public:
  explicit PropertiesDialog(PendantSettings& settings) : settings_(settings) {}

  // Fills the lists from their tables and shows the settings.
  void OnOpen(DialogSurface& surface);
  // Takes every control into the settings and returns true; when a number edit holds no
  // number, tells the user, focuses that edit, changes no setting and returns false.
  bool OnOk(DialogSurface& surface);

 private:
  PendantSettings& settings_;
  PendantSettings working_;
};

}  // namespace pendant
