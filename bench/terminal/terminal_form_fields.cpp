#include "bench/terminal/terminal_form_fields.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <utility>

#include "bench/session/text_escape.h"
#include "config/properties_dialog.h"
#include "settings/setting_keys.h"
#include "settings/xml_profile.h"

namespace pendant::bench {
namespace {

// The dialog's names of the settings, as its labels (and the install guide) give them.
constexpr std::pair<std::string_view, const char*> kLabels[] = {
    {"AutoChangeSens", "Velocity Slow Down Rate 1/"},
    {"BUTTON0", "F1: Function, Macro, OEM Button"},
    {"BUTTON1", "F2: Function, Macro, OEM Button"},
    {"BUTTON2", "F3: Function, Macro, OEM Button"},
    {"BUTTON3", "F4: Function, Macro, OEM Button"},
    {"CAmode", "Use A Axis in Spindle-Axis Mode. (v1)"},
    {"Decidigit", "Number of Decimal Digits for Axis DRO"},
    {"DelaySteps", "Steps to Delay the Start of Axis Movement in Continuous Mode"},
    {"DisplyRPM", "Display Spindle Speed RPM"},
    {"F1", "F1 Button Description"},
    {"F2", "F2 Button Description"},
    {"F3", "F3 Button Description"},
    {"F4", "F4 Button Description"},
    {"Macro1", "Custom Macro #1"},
    {"Macro2", "Custom Macro #2"},
    {"Macro3", "Custom Macro #3"},
    {"Macro4", "Custom Macro #4"},
    {"OEM1", "Custom OEM Button #1"},
    {"OEM2", "Custom OEM Button #2"},
    {"OEM3", "Custom OEM Button #3"},
    {"OEM4", "Custom OEM Button #4"},
    {"S1", "Step Size 1"},
    {"S2", "Step Size 2"},
    {"S3", "Step Size 3"},
    {"ScreenSel1", "Screen Selection 1"},
    {"ScreenSel2", "Screen Selection 2"},
    {"ScreenSel3", "Screen Selection 3"},
    {"VelocityInAuto", "Speed Change Sensitivity in Velocity Mode"},
    {"Xreverse", "Reverse X axis MPG"},
    {"Yreverse", "Reverse Y axis MPG"},
    {"Zreverse", "Reverse Z axis MPG"},
};

const char* LabelOf(std::string_view key) {
  for (const auto& [name, label] : kLabels) {
    if (name == key) return label;
  }
  return "";
}

}  // namespace

std::vector<FormField> FormFields() {
  std::vector<FormField> fields;
  for (const ValueControl& control : kValueControls) {
    fields.push_back({control.key, control.id, control.kind, nullptr, LabelOf(control.key)});
  }
  for (const ListControl& list : kListControls) {
    fields.push_back({list.key, list.id, ControlKind::Text, list.table, LabelOf(list.key)});
  }
  // By name, as a reader looks for them.
  std::sort(fields.begin(), fields.end(),
            [](const FormField& a, const FormField& b) { return std::string_view(a.key) < b.key; });
  return fields;
}

VirtualDialogSurface OpenedDialog(const std::string& profilePath) {
  // The profile store saves what it read when it closes, so it reads a copy.
  const std::string copy = profilePath + ".form";
  std::error_code ignored;
  std::filesystem::copy_file(profilePath, copy, std::filesystem::copy_options::overwrite_existing,
                             ignored);
  PendantSettings settings;
  {
    XmlProfile store(copy);
    for (const SettingKey* key : kDialogReloadKeys) ReadSetting(store, settings, *key);
  }
  std::filesystem::remove(copy, ignored);
  VirtualDialogSurface surface;
  PropertiesDialog(settings).OnOpen(surface);
  return surface;
}

std::optional<OkRefusal> RefusalOfOk(const VirtualDialogSurface& edited) {
  // The dialog's own OK decides, on a copy, with settings that are thrown away.
  VirtualDialogSurface trial = edited;
  trial.messages.clear();
  PendantSettings settings;
  if (PropertiesDialog(settings).OnOk(trial)) return std::nullopt;
  return OkRefusal{trial.focusedEdit, trial.messages.empty() ? "" : trial.messages.back()};
}

std::string FieldValue(const VirtualDialogSurface& surface, const FormField& field) {
  if (field.table) return std::to_string(surface.SelectedRow(field.id));
  if (field.kind == ControlKind::Check) return surface.Checked(field.id) ? "1" : "0";
  return surface.Text(field.id);
}

void ChangeField(VirtualDialogSurface& surface, const FormField& field, int step) {
  if (field.kind == ControlKind::Check && !field.table) {
    surface.SetChecked(field.id, !surface.Checked(field.id));
    return;
  }
  if (!field.table || field.table->empty()) return;
  const int rows = static_cast<int>(field.table->size());
  const int now = surface.SelectedRow(field.id);
  const int from = now == kNoRowSelected ? (step > 0 ? -1 : rows) : now;
  surface.SelectRow(field.id, ((from + step) % rows + rows) % rows);
}

std::string ConfigLine(const VirtualDialogSurface& opened, const VirtualDialogSurface& edited,
                       bool accept) {
  std::string line = "config";
  for (const FormField& field : FormFields()) {
    const std::string value = FieldValue(edited, field);
    if (value != FieldValue(opened, field)) line += " " + ScriptWord(field.key + ("=" + value));
  }
  return line + (accept ? " ok" : " cancel");
}

}  // namespace pendant::bench
