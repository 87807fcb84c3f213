// Driving the plug-in's modal settings dialog from a second thread, the way a user would, while
// the host's thread sits in Config.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "check/plugin_library.h"
#include "tests/win32/host_thread_watch.h"

namespace pendant::test {

// How long any one step may take under an emulated Wine before the driver gives up.
inline constexpr DWORD kPatienceMs = 60000;

// Calls Config on this thread (which watch watches) and, on another thread, drive with the
// dialog it opened. Whatever drive leaves open is cancelled, so Config returns; a dialog that
// will not close ends the program with a message. False when no dialog opened.
// returnedAt, when given, gets the performance counter as Config returned.
bool RunConfigDriven(const PluginLibrary& plugin, HostThreadWatch& watch,
                     const std::function<void(HWND dialog)>& drive,
                     LARGE_INTEGER* returnedAt = nullptr);

// What a control shows: its text (a list's edit field for a list), whether it is checked (check
// boxes) and, for lists, every row and the selected row (CB_ERR for none).
struct ControlState {
  std::string text;
  bool checked = false;
  std::vector<std::string> rows;
  int selected = CB_ERR;
};

// The dialog as the driving thread saw it; read there and checked on the test's thread, since
// only that thread may report test failures.
struct DialogState {
  bool open = false;
  std::map<int, ControlState> controls;  // by id; texts and frames without an id are left out
  int focusedId = 0;                     // the control with the keyboard focus (0: none)
};

DialogState ReadDialog(HWND dialog, const HostThreadWatch& watch);

std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
// The window that has the keyboard focus on the watched thread.
HWND FocusedWindow(const HostThreadWatch& watch);

}  // namespace pendant::test
