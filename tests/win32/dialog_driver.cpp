#include "tests/win32/dialog_driver.h"

#include <cstdio>
#include <thread>

namespace pendant::test {
namespace {

std::string ClassOf(HWND window) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (WPARAM row = 0; static_cast<LRESULT>(row) < count; ++row) {
    const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, row, 0);
    std::string text(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
    rows.push_back(text);
  }
  return rows;
}

}  // namespace

bool RunConfigDriven(const PluginLibrary& plugin, HostThreadWatch& watch,
                     const std::function<void(HWND dialog)>& drive, LARGE_INTEGER* returnedAt) {
  bool opened = false;
  std::thread driver([&] {
    HWND dialog = watch.WaitForDialog(nullptr, kPatienceMs);
    if (!dialog) return;
    opened = true;
    drive(dialog);
    if (watch.WaitForClosed(dialog, 0)) return;
    if (HWND message = watch.WaitForDialog(dialog, 0)) {
      PostMessageA(message, WM_COMMAND, IDOK, 0);
    }
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (watch.WaitForClosed(dialog, kPatienceMs)) return;
    // Config would never return: end the program rather than hang.
    std::fprintf(stderr, "the settings dialog does not close; giving up\n");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 1);
  });
  plugin.Config();
  if (returnedAt) QueryPerformanceCounter(returnedAt);
  watch.Finish();
  driver.join();
  return opened;
}

std::string WindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::string ItemText(HWND dialog, int id) {
  return WindowText(GetDlgItem(dialog, id));
}

HWND FocusedWindow(const HostThreadWatch& watch) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(watch.ThreadId(), &info)) return nullptr;
  return info.hwndFocus;
}

DialogState ReadDialog(HWND dialog, const HostThreadWatch& watch) {
  DialogState state;
  state.open = IsWindow(dialog) && IsWindowVisible(dialog);
  for (HWND control = GetWindow(dialog, GW_CHILD); control;
       control = GetWindow(control, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(control);
    if (id == 0 || id == 0xFFFF || id == -1) continue;
    ControlState& shown = state.controls[id];
    shown.text = WindowText(control);
    const std::string kind = ClassOf(control);
    if (kind == "Button") shown.checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (kind == "ComboBox") {
      shown.rows = ListRows(control);
      shown.selected = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    }
  }
  state.focusedId = GetDlgCtrlID(FocusedWindow(watch));
  return state;
}

}  // namespace pendant::test
