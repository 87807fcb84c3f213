#include "settings/selection_tables.h"

#include <array>
#include <iterator>

#include "settings/leading_int.h"

namespace pendant {
namespace {

constexpr const char* kFunctionRows[] = {
    "0, NONE",
    "899, ------------------------------",
    "813, OEM Button #1",
    "814, OEM Button #2",
    "815, OEM Button #3",
    "816, OEM Button #4",
    "817, Custom Macro #1",
    "818, Custom Macro #2",
    "819, Custom Macro #3",
    "820, Custom Macro #4",
    "899, ------------------------------",
    "1, Screen 1 (Program Run screen)",
    "2, Screen 2 (MDI screen)",
    "3, screen 3 (Toolpath screen)",
    "4, screen 4 (Positioning screen)",
    "5, screen 5 (Diagnostics screen)",
    "6, screen 6 ( Corrections screen)",
    "7, screen 7 (Tables screen)",
    "323, Toggle visibility of TAB screen",
    "160, Regen toolpath display",
    "899, ------------------------------",
    "113, Flood toggle",
    "114, Mist toggle",
    "899, ------------------------------",
    "178, Offline toggle",
    "103, Jog ON and OFF toggle",
    "1029, Softlimits Toggle",
    "172, Clear error label",
    "167, Z inhibit toggle",
    "899, ------------------------------",
    "106, mm/inch",
    "256, Machine Coordinates toggle",
    "333, Toggle Dist to Go",
    "899, ------------------------------",
    "171, Jog increment cycle",
    "191, Select Jog Increment 1",
    "192, Select Jog Increment 2",
    "245, Jog mode STEP CONT MPG toggle",
    "899, ------------------------------",
    "250, Disable movement on axis X",
    "251, Disable movement on axis Y",
    "252, Disable movement on axis Z",
    "253, Disable movement on axis A",
    "899, ------------------------------",
    "139, Part X Offset Touch",
    "140, Part Y Offset Touch",
    "141, Part Z Offset Touch",
    "142, Part A Offset Touch",
    "899, ------------------------------",
    "145, Tool X Offset Touch",
    "146, Tool Z Offset Touch",
    "899, ------------------------------",
    "1007, ZeroAll",
    "1008, Zero X",
    "1009, Zero Y",
    "1010, Zero Z",
    "1011, Zero A",
    "899, ------------------------------",
    "1022, Ref X",
    "1023, Ref Y",
    "1024, Ref Z",
    "1025, Ref A",
    "899, ------------------------------",
    "1017, GotoZs",
    "138, Go Home",
    "104, Goto Safe Z",
};

constexpr ScreenRow kScreenRows[] = {
    {"0    , NONE", 0, {}},
    {"1    , Screen 1 (Program Run screen)", 1, "Prog Run"},
    {"2    , Screen 2 (MDI screen)", 2, "MDI     "},
    {"3    , screen 4 (Toolpath screen)", 3, "ToolPath"},
    {"4    , screen 5 (Offsets screen)", 7, "OffSets "},
    {"5    , screen 6 (Setting screen)", 6, "Settings"},
    {"6    , screen 7 (Diagnostics screen)", 5, "Diagnost"},
};

constexpr auto kScreenLabels = [] {
  std::array<const char*, std::size(kScreenRows)> labels{};
  for (size_t i = 0; i < labels.size(); ++i) labels[i] = kScreenRows[i].label;
  return labels;
}();

constexpr const char* kVelocitySensitivityRows[] = {"3,1", "4,2",  "5,3",  "6,4",  "7,5",
                                                    "9,6", "11,7", "15,8", "20,9", "25,10"};
constexpr const char* kSlowDownRateRows[] = {"2,2", "3,3", "4,4"};
constexpr const char* kDecimalDigitsRows[] = {"2,2", "3,3", "4,4"};

}  // namespace

const SelectionTable FunctionList(kFunctionRows);
const SelectionTable ScreenList(kScreenLabels);
const std::span<const ScreenRow> ScreenRows(kScreenRows);
const SelectionTable VelocitySensitivityList(kVelocitySensitivityRows);
const SelectionTable SlowDownRateList(kSlowDownRateRows);
const SelectionTable DecimalDigitsList(kDecimalDigitsRows);

int RowCode(std::string_view row) {
  return ParseLeadingInt(row).value_or(0);
}

std::string_view RowLabel(std::string_view row) {
  const size_t comma = row.find(',');
  return comma == std::string_view::npos ? row : row.substr(comma + 1);
}

const char* RowAt(SelectionTable table, int index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return nullptr;
  return table[static_cast<size_t>(index)];
}

const ScreenRow* ScreenRowAt(int index) {
  if (index < 0 || static_cast<size_t>(index) >= ScreenRows.size()) return nullptr;
  return &ScreenRows[static_cast<size_t>(index)];
}

std::string_view ScreenNameOf(int32_t hostScreen) {
  for (const ScreenRow& row : ScreenRows) {
    if (row.hostScreen == hostScreen) return row.pendantName;
  }
  return {};
}

int ClampedRowCode(SelectionTable table, int index) {
  if (table.empty()) return 0;
  const int last = static_cast<int>(table.size()) - 1;
  return RowCode(table[static_cast<size_t>(index < 0 ? 0 : index > last ? last : index)]);
}

}  // namespace pendant
