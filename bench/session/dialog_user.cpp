#include "bench/session/dialog_user.h"

#include <string_view>

#include "config/dialog_controls.h"
#include "settings/leading_int.h"

namespace pendant::bench {
namespace {

const ListControl* ListFor(std::string_view key) {
  for (const ListControl& list : kListControls) {
    if (key == list.key) return &list;
  }
  return nullptr;
}

const ValueControl* ValueControlFor(std::string_view key) {
  for (const ValueControl& control : kValueControls) {
    if (key == control.key) return &control;
  }
  return nullptr;
}

}  // namespace

std::vector<std::string> UnknownDialogFields(const std::vector<DialogField>& fields) {
  std::vector<std::string> unknown;
  for (const DialogField& field : fields) {
    if (!ListFor(field.first) && !ValueControlFor(field.first)) unknown.push_back(field.first);
  }
  return unknown;
}

DialogTurn SetFieldsAndClose(std::vector<DialogField> fields, bool accept) {
  return [fields = std::move(fields), accept](VirtualDialogSurface& surface) {
    for (const auto& [key, value] : fields) {
      if (const ListControl* list = ListFor(key)) {
        surface.SelectRow(list->id, ParseLeadingInt(value).value_or(kNoRowSelected));
      } else if (const ValueControl* control = ValueControlFor(key)) {
        if (control->kind == ControlKind::Check) {
          surface.SetChecked(control->id, value != "0");
        } else {
          surface.SetText(control->id, value);
        }
      }
    }
    return accept ? DialogResult::Ok : DialogResult::Cancel;
  };
}

}  // namespace pendant::bench
