// The settings dialog on Windows: a modal dialog from its resource template.
#include <windows.h>

#include <string>

#include "config/dialog_controls.h"
#include "config/dialog_ids.h"
#include "config/dialog_port.h"
#include "platform/this_module_win32.h"

namespace pendant {
namespace {

// The dialog on the screen, while its modal run lasts.
HWND openDialog = nullptr;

// The plug-in's module, pinned the first time a dialog opens: the host may close (StopPlug,
// FreeLibrary) from a message the dialog's own loop dispatches, and the code that loop returns
// to must still be there.
HINSTANCE PinnedModule() {
  HMODULE pinned = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(ThisModule()), &pinned);
  return ThisModule();
}

// Centres the dialog on the work area of its monitor (it has no owner to centre on).
void CentreOnScreen(HWND dialog) {
  RECT frame{};
  GetWindowRect(dialog, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  const RECT& area = monitor.rcWork;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class Win32DialogSurface final : public DialogSurface {
 public:
  explicit Win32DialogSurface(HWND dialog) : dialog_(dialog) {}

  void SetListRows(int id, std::span<const std::string_view> labels) override {
    SendDlgItemMessageA(dialog_, id, CB_RESETCONTENT, 0, 0);
    for (std::string_view label : labels) {
      const std::string text(label);
      SendDlgItemMessageA(dialog_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
  void SelectRow(int id, int index) override {
    // CB_SETCURSEL with an index outside the rows clears the selection.
    SendDlgItemMessageA(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  int SelectedRow(int id) const override {
    const LRESULT row = SendDlgItemMessageA(dialog_, id, CB_GETCURSEL, 0, 0);
    return row == CB_ERR ? kNoRowSelected : static_cast<int>(row);
  }
  void SetText(int id, const std::string& text) override {
    SetDlgItemTextA(dialog_, id, text.c_str());
  }
  std::string Text(int id) const override {
    HWND control = GetDlgItem(dialog_, id);
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
  }
  void SetChecked(int id, bool checked) override {
    CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
  }
  bool Checked(int id) const override { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
  void ShowMessage(const char* text) override {
    MessageBoxA(dialog_, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
  }
  void FocusWithTextSelected(int id) override {
    HWND edit = GetDlgItem(dialog_, id);
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageA(edit, EM_SETSEL, 0, -1);
  }

 private:
  HWND dialog_;
};

INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* logic = reinterpret_cast<PropertiesDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      logic = reinterpret_cast<PropertiesDialog*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      openDialog = dialog;
      CentreOnScreen(dialog);
      Win32DialogSurface surface(dialog);
      logic->OnOpen(surface);
      return TRUE;  // the focus goes to the first tab stop
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && logic) {
        Win32DialogSurface surface(dialog);
        if (logic->OnOk(surface)) EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// The procedure runs under the dialog manager's loop: nothing may unwind into it. A failure
// leaves the dialog open as it was.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleDialogMessage(dialog, message, wParam, lParam);
  } catch (...) {
    return TRUE;
  }
}

}  // namespace

DialogResult ShowPropertiesDialog(PropertiesDialog& dialog) {
  const INT_PTR result = DialogBoxParamA(PinnedModule(), MAKEINTRESOURCEA(IDD_SETTINGS), nullptr,
                                         DialogProc, reinterpret_cast<LPARAM>(&dialog));
  openDialog = nullptr;
  if (result == IDOK) return DialogResult::Ok;
  if (result == IDCANCEL) return DialogResult::Cancel;
  return DialogResult::Failed;
}

bool BringOpenDialogToFront() {
  if (!openDialog) return false;
  SetForegroundWindow(openDialog);
  return true;
}

void CloseOpenDialog() {
  if (openDialog) EndDialog(openDialog, IDCANCEL);
}

}  // namespace pendant
