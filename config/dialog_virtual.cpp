#include <utility>

#include "config/virtual_dialog.h"

namespace pendant {
namespace {

std::vector<DialogTurn>& QueuedTurns() {
  static std::vector<DialogTurn> turns;
  return turns;
}

VirtualDialogSurface& LastSurface() {
  static VirtualDialogSurface surface;
  return surface;
}

}  // namespace

void VirtualDialogSurface::SetListRows(int id, std::span<const std::string_view> labels) {
  rows[id].assign(labels.begin(), labels.end());
  selection[id] = kNoRowSelected;
}

void VirtualDialogSurface::SelectRow(int id, int index) {
  const bool inside = index >= 0 && static_cast<size_t>(index) < rows[id].size();
  selection[id] = inside ? index : kNoRowSelected;
}

int VirtualDialogSurface::SelectedRow(int id) const {
  auto found = selection.find(id);
  return found == selection.end() ? kNoRowSelected : found->second;
}

void VirtualDialogSurface::SetText(int id, const std::string& text) {
  texts[id] = text;
}

std::string VirtualDialogSurface::Text(int id) const {
  auto found = texts.find(id);
  return found == texts.end() ? std::string() : found->second;
}

void VirtualDialogSurface::SetChecked(int id, bool checked) {
  checks[id] = checked;
}

bool VirtualDialogSurface::Checked(int id) const {
  auto found = checks.find(id);
  return found != checks.end() && found->second;
}

void QueueDialogTurns(std::vector<DialogTurn> turns) {
  QueuedTurns() = std::move(turns);
}

const VirtualDialogSurface& LastDialogSurface() {
  return LastSurface();
}

DialogResult ShowPropertiesDialog(PropertiesDialog& dialog) {
  std::vector<DialogTurn> turns = std::exchange(QueuedTurns(), {});
  VirtualDialogSurface& surface = LastSurface();
  surface = VirtualDialogSurface();
  if (turns.empty()) return DialogResult::Failed;
  dialog.OnOpen(surface);
  for (DialogTurn& turn : turns) {
    const DialogResult pressed = turn(surface);
    if (pressed == DialogResult::Cancel) return DialogResult::Cancel;
    if (pressed == DialogResult::Ok && dialog.OnOk(surface)) return DialogResult::Ok;
  }
  return DialogResult::Cancel;  // the user has nothing more to do: Escape
}

// The scripted dialog runs its turns to the end within one call: it is never left open.
bool BringOpenDialogToFront() {
  return false;
}
void CloseOpenDialog() {}

}  // namespace pendant
