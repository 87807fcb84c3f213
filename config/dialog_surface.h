// The settings dialog's controls as its logic sees them, whatever draws them: a real dialog on
// Windows, a scripted one on the virtual platform.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace pendant {

inline constexpr int kNoRowSelected = -1;

class DialogSurface {
 public:
  virtual ~DialogSurface() = default;

  // Replaces a list's rows; nothing is selected afterwards.
  virtual void SetListRows(int id, std::span<const std::string_view> labels) = 0;
  // Selects a row; an index outside the rows leaves the list without a selection.
  virtual void SelectRow(int id, int index) = 0;
  virtual int SelectedRow(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string Text(int id) const = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual bool Checked(int id) const = 0;
  // Tells the user something and waits until they have read it.
  virtual void ShowMessage(const char* text) = 0;
  // Puts the focus into an edit with all of its text selected.
  virtual void FocusWithTextSelected(int id) = 0;
};

}  // namespace pendant
