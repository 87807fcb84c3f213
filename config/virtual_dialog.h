// The settings dialog on the virtual platform: controls held in memory, and a scripted user who
// edits them and presses OK or Escape.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "config/dialog_port.h"
#include "config/dialog_surface.h"

namespace pendant {

class VirtualDialogSurface final : public DialogSurface {
 public:
  void SetListRows(int id, std::span<const std::string_view> labels) override;
  void SelectRow(int id, int index) override;
  int SelectedRow(int id) const override;
  void SetText(int id, const std::string& text) override;
  std::string Text(int id) const override;
  void SetChecked(int id, bool checked) override;
  bool Checked(int id) const override;
  void ShowMessage(const char* text) override { messages.push_back(text); }
  void FocusWithTextSelected(int id) override { focusedEdit = id; }

  // Views of the labels as given: the dialog's labels are the selection tables' own texts.
  std::map<int, std::vector<std::string_view>> rows;
  std::map<int, int> selection;
  std::map<int, std::string> texts;
  std::map<int, bool> checks;
  std::vector<std::string> messages;
  int focusedEdit = 0;
};

// One turn of the user at the open dialog: edit the controls, then press OK or Escape. The
// dialog stays open when OK is refused, and the next turn is asked for.
using DialogTurn = std::function<DialogResult(VirtualDialogSurface&)>;

// The turns the next dialog will be given, in order. With no turns left the user presses Escape;
// with no turns at all the dialog cannot be shown.
void QueueDialogTurns(std::vector<DialogTurn> turns);
// The controls of the last dialog shown, as it closed.
const VirtualDialogSurface& LastDialogSurface();

}  // namespace pendant
