#include "bench/terminal/terminal_form.h"

#include <curses.h>

#include <algorithm>
#include <optional>

#include "bench/terminal/terminal_form_fields.h"
#include "bench/terminal/terminal_screen.h"

namespace pendant::bench {
namespace {

constexpr int kEscape = 27;
constexpr int kWaitMs = 25;
constexpr int kKeyColumns = 16;
constexpr int kFormMinColumns = 60;
constexpr int kFormMinRows = 8;
constexpr int kValueColumns = 26;
// Fits 80 columns, so Esc and q stay in sight.
const char* const kHelp =
    "Up/Down choose  Left/Right/Space change  Enter edit or OK  Esc cancel  q quit";

class SettingsForm {
 public:
  explicit SettingsForm(const std::string& profilePath)
      : fields_(FormFields()), opened_(OpenedDialog(profilePath)), edited_(opened_) {}

  // What the user did once they closed the form; an empty line while it is open.
  FormOutcome Key(int key);
  void Draw() const;

 private:
  int Rows() const { return static_cast<int>(fields_.size()) + 2; }  // with OK and Cancel
  bool OnOk() const { return selected_ == Rows() - 2; }
  bool OnCancel() const { return selected_ == Rows() - 1; }
  std::string Shown(const FormField& field) const;
  void EditKey(int key);
  FormOutcome Ok();

  std::vector<FormField> fields_;
  VirtualDialogSurface opened_;
  VirtualDialogSurface edited_;
  int selected_ = 0;
  bool editing_ = false;
  std::string edit_;
  std::optional<OkRefusal> refusal_;  // what the last OK was refused for
};

std::string SettingsForm::Shown(const FormField& field) const {
  if (field.table) {
    const char* row = RowAt(*field.table, edited_.SelectedRow(field.id));
    return row ? std::to_string(edited_.SelectedRow(field.id)) + ":" + std::string(RowLabel(row))
               : "(no row selected)";
  }
  if (field.kind == ControlKind::Check) return edited_.Checked(field.id) ? "[x]" : "[ ]";
  return "\"" + edited_.Text(field.id) + "\"";
}

bool FormFits() {
  return LINES >= kFormMinRows && COLS >= kFormMinColumns;
}

void SettingsForm::Draw() const {
  erase();
  if (!FormFits()) {
    const auto lines = TooSmallLines(LINES, COLS, kFormMinColumns, kFormMinRows);
    for (int row = 0; row < LINES && row < static_cast<int>(lines.size()); ++row) {
      mvaddstr(row, 0, lines[static_cast<size_t>(row)].c_str());
    }
    refresh();
    return;
  }
  mvaddnstr(0, 0, "SETTINGS  (the plug-in's settings dialog; OK saves the way it saves)", COLS);
  mvaddnstr(1, 0, kHelp, COLS);
  const int listTop = 3;
  const int room = LINES - listTop - 2;
  const int first = std::clamp(selected_ - room + 1, 0, std::max(Rows() - room, 0));
  for (int row = first; row < Rows() && row - first < room; ++row) {
    std::string line = row == selected_ ? "> " : "  ";
    if (row < static_cast<int>(fields_.size())) {
      const FormField& field = fields_[static_cast<size_t>(row)];
      std::string key = field.key;
      key.resize(kKeyColumns, ' ');
      std::string value = Shown(field);
      if (refusal_ && refusal_->id == field.id) value += " <-";
      value.resize(std::max<size_t>(value.size() + 2, kValueColumns), ' ');
      line += key + value + field.label;
    } else {
      line += row == Rows() - 2 ? "[ OK ]" : "[ Cancel ]";
    }
    mvaddnstr(listTop + row - first, 0, line.c_str(), COLS);
  }
  if (editing_) {
    const std::string prompt =
        std::string(fields_[static_cast<size_t>(selected_)].key) + ": " + edit_ + "_";
    mvaddnstr(LINES - 1, 0, prompt.c_str(), COLS);
  } else if (refusal_) {
    mvaddnstr(LINES - 1, 0, ("OK refused: " + refusal_->message).c_str(), COLS);
  }
  refresh();
}

void SettingsForm::EditKey(int key) {
  if (key == '\n' || key == KEY_ENTER) {
    edited_.SetText(fields_[static_cast<size_t>(selected_)].id, edit_);
    editing_ = false;
  } else if (key == kEscape) {
    editing_ = false;
  } else if (key == KEY_BACKSPACE || key == 127 || key == 8) {
    if (!edit_.empty()) edit_.pop_back();
  } else if (key >= 0x20 && key < 0x7F) {
    edit_ += static_cast<char>(key);
  }
}

FormOutcome SettingsForm::Ok() {
  // As the dialog does: a refused OK keeps it open, every edit kept, on the refused edit.
  refusal_ = RefusalOfOk(edited_);
  if (!refusal_) return {ConfigLine(opened_, edited_, true)};
  for (size_t row = 0; row < fields_.size(); ++row) {
    if (fields_[row].id == refusal_->id) selected_ = static_cast<int>(row);
  }
  return {};
}

FormOutcome SettingsForm::Key(int key) {
  if (editing_) {
    EditKey(key);
    return {};
  }
  if (key == 'q') return {"", true};
  const bool onField = selected_ < static_cast<int>(fields_.size());
  if (key == KEY_UP) selected_ = (selected_ + Rows() - 1) % Rows();
  if (key == KEY_DOWN || key == '\t') selected_ = (selected_ + 1) % Rows();
  if (key == kEscape || ((key == '\n' || key == KEY_ENTER) && OnCancel())) {
    return {ConfigLine(opened_, edited_, false)};
  }
  if ((key == '\n' || key == KEY_ENTER) && OnOk()) return Ok();
  if (!onField) return {};
  const FormField& field = fields_[static_cast<size_t>(selected_)];
  const bool editable = !field.table && field.kind != ControlKind::Check;
  if (editable && (key == '\n' || key == KEY_ENTER)) {
    editing_ = true;
    edit_ = edited_.Text(field.id);
  } else if (!editable && (key == KEY_RIGHT || key == ' ' || key == '\n' || key == KEY_ENTER)) {
    ChangeField(edited_, field, 1);
  } else if (!editable && key == KEY_LEFT) {
    ChangeField(edited_, field, -1);
  }
  return {};
}

}  // namespace

FormOutcome RunSettingsForm(const std::string& profilePath,
                            const std::function<bool()>& keepRunning) {
  SettingsForm form(profilePath);
  for (;;) {
    form.Draw();
    timeout(kWaitMs);
    const int key = getch();
    // A closed terminal answers every getch at once: without this the form would spin.
    if (!keepRunning()) return {.configLine = {}, .quit = true};
    // While the form does not fit, only q acts: nothing changes out of sight.
    if (key == ERR || (!FormFits() && key != 'q')) continue;
    if (FormOutcome outcome = form.Key(key); outcome.quit || !outcome.configLine.empty()) {
      return outcome;
    }
  }
}

}  // namespace pendant::bench
