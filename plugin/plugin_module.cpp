#include "plugin/plugin_module.h"

#include "config/config_run.h"
#include "config/dialog_port.h"
#include "host/version.h"
#include "plugin/module_file.h"
#include "settings/profile_file.h"
#include "settings/xml_profile.h"

namespace pendant {
namespace {

constexpr const char* kPluginDisplayName = " Pendant --Brenmark Ver " PENDANT_VERSION_TEXT;

}  // namespace

PluginModule::PluginModule() = default;
PluginModule::~PluginModule() {
  if (ProcessExiting()) {
    // The host is half torn down and the loader lock is held: no host call, no window
    // destroyed, no wait. The process's end takes the window and the handles.
    static_cast<void>(PendantWindow.release());
    return;
  }
  // Unloaded without StopPlug: what StopPlug does.
  try {
    StopPlug();
  } catch (...) {
  }
}
PluginModule& PluginModule::operator=(PluginModule&&) = default;

void PluginModule::ResetAsLoaded() {
  TrundleWin::Stop(std::move(PendantWindow));
  *this = PluginModule();
}

PluginModule& Plugin() {
  static PluginModule module;
  return module;
}

const char* PluginModule::SetProName(const char* profilePath) {
  // Once, against the current directory of now: the host's file dialogs move it later.
  ProfilePath = profilePath ? AbsolutePath(profilePath) : "";
  {
    XmlProfile profile(ProfilePath);  // saving on close creates a missing profile
  }
  PluginDisplayName = kPluginDisplayName;
  PluginFullName = BaseNameOf(ModuleFilePath()) + PluginDisplayName;
  return PluginFullName.c_str();
}

bool PluginModule::InitControl(void* blockA, void* blockB, void* blockC, void* parentWindow) {
  host.blockA = static_cast<uint8_t*>(blockA);
  host.blockB = static_cast<uint8_t*>(blockB);
  host.blockC = static_cast<uint8_t*>(blockC);
  host.parentWindow = static_cast<const uint8_t*>(parentWindow);
  TrundleWin::Stop(std::move(PendantWindow));  // a repeated call replaces the window
  PendantWindow = std::make_unique<TrundleWin>(host, settings, updateTicks, pollTicks);
  PendantWindow->Create(host.ParentWindowHandle());
  return true;
}

void PluginModule::PostInitControl() {
  XmlProfile profile(ProfilePath);
  LoadStartupSettings(profile, settings, [this] {
    if (PendantWindow) PendantWindow->FindPendant();
  });
}

void PluginModule::Config() {
  // A second dialog would save a document read before the first one's save.
  if (BringOpenDialogToFront()) return;
  RunConfigDialog(XmlProfileAccess(ProfilePath), settings);
}

void PluginModule::StopPlug() {
  CloseOpenDialog();
  TrundleWin::Stop(std::move(PendantWindow));
}

}  // namespace pendant
