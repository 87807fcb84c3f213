#include "plugin/plugin_module.h"

#include "config/config_run.h"
#include "config/dialog_port.h"
#include "host/version.h"
#include "plugin/module_file.h"
#include "settings/xml_profile.h"

namespace pendant {
namespace {

constexpr const char* kPluginDisplayName = " Pendant --Brenmark Ver " PENDANT_VERSION_TEXT;

}  // namespace

PluginModule::PluginModule() = default;
PluginModule::~PluginModule() = default;
PluginModule& PluginModule::operator=(PluginModule&&) = default;

void PluginModule::ResetAsLoaded() {
  PendantWindow.reset();
  *this = PluginModule();
}

PluginModule& Plugin() {
  static PluginModule module;
  return module;
}

const char* PluginModule::SetProName(const char* profilePath) {
  ProfilePath = profilePath ? profilePath : "";
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
  PendantWindow.reset();  // a repeated call replaces the window rather than leaking it
  PendantWindow = std::make_unique<TrundleWin>(*this);
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
  XmlProfile profile(ProfilePath);
  RunConfigDialog(profile, settings);
}

void PluginModule::StopPlug() {
  CloseOpenDialog();
  PendantWindow.reset();
}

}  // namespace pendant
