#include "bench/terminal_form_fields.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "bench/text_escape.h"
#include "config/properties_dialog.h"
#include "settings/setting_keys.h"
#include "settings/xml_profile.h"

namespace pendant::bench {
namespace {

// A word of a script line: quoted when blanks, quotes, backslashes, a # or unprintable bytes
// would change how it reads.
std::string ScriptWord(const std::string& text) {
  for (char c : text) {
    if (!IsPrintable(c) || c == ' ' || c == '"' || c == '\\' || c == '#') return Quoted(text);
  }
  return text;
}

}  // namespace

std::vector<FormField> FormFields() {
  std::vector<FormField> fields;
  for (const ValueControl& control : kValueControls) {
    fields.push_back({control.key, control.id, control.kind});
  }
  for (const ListControl& list : kListControls) {
    fields.push_back({list.key, list.id, ControlKind::Text, list.table});
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
    for (std::string_view key : kDialogReloadKeys) ReadSetting(store, settings, key);
  }
  std::filesystem::remove(copy, ignored);
  VirtualDialogSurface surface;
  PropertiesDialog(settings).OnOpen(surface);
  return surface;
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
