// Showing the settings dialog modally, as the platform does it.
#pragma once

#include "config/properties_dialog.h"

namespace pendant {

enum class DialogResult { Ok, Cancel, Failed };

// Runs the dialog until the user accepts it with OK (which the dialog's logic may refuse) or
// cancels it with Escape. Failed when the platform could not show it.
DialogResult ShowPropertiesDialog(PropertiesDialog& dialog);

// When the dialog is open already (the host's window stays usable under it): brings it to the
// front and returns true, so a second one is never opened over it.
bool BringOpenDialogToFront();
// Ends an open dialog as Escape would; its own run then finishes as usual.
void CloseOpenDialog();

}  // namespace pendant
