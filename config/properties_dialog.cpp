#include "config/properties_dialog.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "config/dialog_controls.h"
#include "settings/leading_int.h"
#include "settings/setting_keys.h"

namespace pendant {
namespace {

SettingField FieldOf(PendantSettings& settings, const char* key) {
  return FindSettingKey(key)->field(settings);
}

std::string ShownText(const SettingField& field) {
  if (auto* text = std::get_if<std::string*>(&field)) return **text;
  if (auto* shortField = std::get_if<int16_t*>(&field)) return std::to_string(**shortField);
  if (auto* longField = std::get_if<int32_t*>(&field)) return std::to_string(**longField);
  return {};
}

bool ShownChecked(const SettingField& field) {
  auto* flag = std::get_if<bool*>(&field);
  return flag && **flag;
}

// Stores a control's value into its field; false when a number edit holds no number.
bool TakeValue(const ValueControl& control, const DialogSurface& surface,
               const SettingField& field) {
  if (control.kind == ControlKind::Check) {
    if (auto* flag = std::get_if<bool*>(&field)) **flag = surface.Checked(control.id);
    return true;
  }
  const std::string text = surface.Text(control.id);
  if (control.kind == ControlKind::Text) {
    if (auto* target = std::get_if<std::string*>(&field)) **target = text;
    return true;
  }
  const std::optional<int32_t> number = ParseLeadingInt(text);
  if (!number) return false;
  if (auto* shortField = std::get_if<int16_t*>(&field)) {
    **shortField = static_cast<int16_t>(static_cast<uint16_t>(*number));
  } else if (auto* longField = std::get_if<int32_t*>(&field)) {
    **longField = *number;
  }
  return true;
}

// Each list's row labels, in the order of the lists.
std::vector<std::vector<std::string_view>> ListLabels() {
  std::vector<std::vector<std::string_view>> lists;
  for (const ListControl& list : kListControls) {
    std::vector<std::string_view>& labels = lists.emplace_back();
    for (const char* row : *list.table) labels.push_back(RowLabel(row));
  }
  return lists;
}

}  // namespace

void PropertiesDialog::OnOpen(DialogSurface& surface) {
  working_ = settings_;
  // Made once: the tables never change, and the dialog opens with every Config.
  static const std::vector<std::vector<std::string_view>> labels = ListLabels();
  for (size_t at = 0; at < kListControls.size(); ++at) {
    const ListControl& list = kListControls[at];
    surface.SetListRows(list.id, labels[at]);
    surface.SelectRow(list.id, *std::get<int16_t*>(FieldOf(working_, list.key)));
  }
  for (const ValueControl& control : kValueControls) {
    const SettingField field = FieldOf(working_, control.key);
    if (control.kind == ControlKind::Check) {
      surface.SetChecked(control.id, ShownChecked(field));
    } else {
      surface.SetText(control.id, ShownText(field));
    }
  }
}

bool PropertiesDialog::OnOk(DialogSurface& surface) {
  for (const ValueControl& control : kValueControls) {
    if (!TakeValue(control, surface, FieldOf(working_, control.key))) {
      surface.ShowMessage(kNotAnIntegerMessage);
      surface.FocusWithTextSelected(control.id);
      return false;
    }
  }
  for (const ListControl& list : kListControls) {
    *std::get<int16_t*>(FieldOf(working_, list.key)) =
        static_cast<int16_t>(surface.SelectedRow(list.id));
  }
  settings_ = working_;
  return true;
}

}  // namespace pendant
