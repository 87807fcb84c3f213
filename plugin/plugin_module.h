// Module-wide state of the loaded plug-in and what each entry point does with it.
#pragma once

#include <memory>
#include <string>

#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "plugin/trundle_win.h"
#include "settings/pendant_settings.h"

namespace pendant {

class PluginModule {
 public:
  PluginModule();
  ~PluginModule();
  PluginModule& operator=(PluginModule&&);
  // Back to the state of a freshly loaded library: no window, no callbacks, default settings
  // and counters (the bench loads the plug-in afresh for each session).
  void ResetAsLoaded();

  // Records the profile path, makes sure the profile file exists, returns the full name.
  const char* SetProName(const char* profilePath);
  // Stores the host blocks and creates the pendant window; always true.
  bool InitControl(void* blockA, void* blockB, void* blockC, void* parentWindow);
  // Loads the settings and opens the pendant (which starts the poll timer).
  void PostInitControl();
  // Reloads the settings and writes them back through the profile.
  void Config();
  void Update() { updateTicks.Step(); }
  // Ends an open settings dialog, then the window.
  void StopPlug();

  Host host;
  std::string ProfilePath;
  std::string PluginDisplayName;
  std::string PluginFullName;
  PendantSettings settings;
  UpdateTicks updateTicks;
  PollTicks pollTicks;
  std::unique_ptr<TrundleWin> PendantWindow;
};

// The one module the exports drive.
PluginModule& Plugin();

}  // namespace pendant
