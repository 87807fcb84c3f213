// The fixed lists behind the dialog's drop-downs and the codes the engine reads from them.
// Each row is "code, label"; settings store a row's index, so the order is part of the profile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace pendant {

using SelectionTable = std::span<const char* const>;

extern const SelectionTable FunctionList;
extern const SelectionTable ScreenList;
extern const SelectionTable VelocitySensitivityList;
extern const SelectionTable SlowDownRateList;
extern const SelectionTable DecimalDigitsList;

// A row of the screen list: its label in the dialog, the host screen the offline screen key
// selects with it, and the name the pendant shows for that screen (empty for "none").
struct ScreenRow {
  const char* label;
  int32_t hostScreen;
  std::string_view pendantName;
};
extern const std::span<const ScreenRow> ScreenRows;
// The row at index, or null outside the list.
const ScreenRow* ScreenRowAt(int index);
// The pendant's name of a host screen the list offers; empty for any other code.
std::string_view ScreenNameOf(int32_t hostScreen);

// The whole number at the start of a row (0 when it has none).
int RowCode(std::string_view row);
// Everything after the row's first comma, leading blank included (the whole row without one).
std::string_view RowLabel(std::string_view row);

// The row at index, or null outside the table.
const char* RowAt(SelectionTable table, int index);
// The row code at index clamped into the table (a hand-edited profile may hold any index).
int ClampedRowCode(SelectionTable table, int index);

}  // namespace pendant
