// The settings form's data: every control of the settings dialog as it opens on the session's
// profile, and the bench's config line that edits the changed ones and closes the dialog, so
// the real dialog logic takes and saves them the way it always does.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/dialog_controls.h"
#include "config/virtual_dialog.h"

namespace pendant::bench {

struct FormField {
  const char* key;
  int id;
  ControlKind kind;                       // edits and check boxes
  const SelectionTable* table = nullptr;  // lists
  const char* label = "";                 // what the dialog (and the install guide) calls it
};

// The dialog's controls by setting name.
std::vector<FormField> FormFields();

// What the dialog's OK refuses: the edit it puts the user back into, and what it says.
struct OkRefusal {
  int id;
  std::string message;
};
// The refusal OK would meet on these controls, or nothing when it would save them.
std::optional<OkRefusal> RefusalOfOk(const VirtualDialogSurface& edited);

// The controls as the dialog shows them when it opens on this profile; the profile is read,
// never written.
VirtualDialogSurface OpenedDialog(const std::string& profilePath);

// A field's value as the config command takes it: a list's row index, 0 or 1, or the text.
std::string FieldValue(const VirtualDialogSurface& surface, const FormField& field);
// Moves a list's selection by step rows, or toggles a check box.
void ChangeField(VirtualDialogSurface& surface, const FormField& field, int step);

// "config KEY=VALUE ... ok|cancel" with the fields that differ from the opened dialog.
std::string ConfigLine(const VirtualDialogSurface& opened, const VirtualDialogSurface& edited,
                       bool accept);

}  // namespace pendant::bench
