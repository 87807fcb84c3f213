// The fixed lists behind the dialog's drop-downs and the codes the engine reads from them.
// Each row is "code, label"; settings store a row's index, so the order is part of the profile.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace pendant {

using SelectionTable = std::span<const char* const>;

extern const SelectionTable FunctionList;
extern const SelectionTable ScreenList;
extern const SelectionTable VelocitySensitivityList;
extern const SelectionTable SlowDownRateList;
extern const SelectionTable DecimalDigitsList;

// The whole number at the start of a row (0 when it has none).
int RowCode(std::string_view row);
// Everything after the row's first comma, leading blank included (the whole row without one).
std::string_view RowLabel(std::string_view row);

// The row at index, or null outside the table.
const char* RowAt(SelectionTable table, int index);
// The row code at index clamped into the table (a hand-edited profile may hold any index).
int ClampedRowCode(SelectionTable table, int index);

}  // namespace pendant
