// The bench's user at the settings dialog: sets controls by the setting they edit, then presses
// OK or Escape.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "config/virtual_dialog.h"

namespace pendant::bench {

using DialogField = std::pair<std::string, std::string>;  // setting key, value

// The names of fields no control edits; empty when every field has a control.
std::vector<std::string> UnknownDialogFields(const std::vector<DialogField>& fields);

// One turn that sets each field's control (a list selects the row of that index, a check box is
// checked for any value but 0, an edit gets the text) and presses OK or Escape.
DialogTurn SetFieldsAndClose(std::vector<DialogField> fields, bool accept);

}  // namespace pendant::bench
