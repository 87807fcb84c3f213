#include "check/plugin_library.h"

#include <cstring>

namespace pendant {

std::string DllBesideThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "QorvixK7R.dll";
}

template <typename Fn>
void PluginLibrary::Bind(Fn& entry, const char* name) {
  entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (!entry) missing.push_back(name);
}

bool PluginLibrary::Load(const std::string& path) {
  module = LoadLibraryA(path.c_str());
  if (!module) return false;
  Bind(SetDoButton, "SetDoButton");
  Bind(SetSetDRO, "SetSetDRO");
  Bind(SetGetDRO, "SetGetDRO");
  Bind(SetGetLED, "SetGetLED");
  Bind(SetSetLED, "SetSetLED");
  Bind(SetCode, "SetCode");
  Bind(SetProName, "SetProName");
  Bind(InitControl, "InitControl");
  Bind(PostInitControl, "PostInitControl");
  Bind(Config, "Config");
  Bind(Update, "Update");
  Bind(StopPlug, "StopPlug");
  Bind(DoDwell, "DoDwell");
  Bind(Reset, "Reset");
  Bind(JogOn, "JogOn");
  Bind(JogOff, "JogOff");
  Bind(Purge, "Purge");
  Bind(Probe, "Probe");
  Bind(Home, "Home");
  return missing.empty();
}

PluginLibrary::~PluginLibrary() {
  if (module) FreeLibrary(module);
}

HostBlocks::HostBlocks(HWND hostWindow) {
  std::memcpy(parentObject_ + kHostParentWindowOffset, &hostWindow, sizeof hostWindow);
  for (size_t i = 0; i < kFieldsAfterMessageLine; ++i) {
    blockC_[kHostBlockCSize + i] = static_cast<uint8_t>(0xA5 ^ i);
  }
  PointMessageLineAt(messageLine_.Chars());
}

void HostBlocks::PointMessageLineAt(char* characters) {
  std::memcpy(blockC_.data() + host_fields::kHostMessageText, &characters, sizeof characters);
}

std::vector<uint8_t> HostBlocks::FieldsAfterMessageLine() const {
  return {blockC_.begin() + kHostBlockCSize, blockC_.end()};
}

bool HostBlocks::HandTo(const PluginLibrary& plugin) {
  return plugin.InitControl(blockA_.data(), blockB_.data(), blockC_.data(), parentObject_);
}

}  // namespace pendant
