// The settings dialog's controls: their ids and the setting each one edits.
#pragma once

#include <span>

#include "settings/selection_tables.h"

namespace pendant {

inline constexpr const char* kNotAnIntegerMessage = "Please enter an integer.";

enum class ControlKind {
  Text,     // the text as typed
  Integer,  // a leading signed decimal; 16-bit settings keep its low 16 bits
  Check,    // checked gives true
};

struct ValueControl {
  int id;
  const char* key;
  ControlKind kind;
};

struct ListControl {
  int id;
  const char* key;
  const SelectionTable* table;
};

// Edits and check boxes in the order OK reads them.
extern const std::span<const ValueControl> kValueControls;
// Lists in the order opening fills them.
extern const std::span<const ListControl> kListControls;

}  // namespace pendant
