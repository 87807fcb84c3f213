// The real DLL as a host sees it: loaded with LoadLibraryA, its entry points bound by name with
// GetProcAddress, and the blocks and window object a host hands to InitControl.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/host_interface.h"
#include "host/host_string_object.h"

namespace pendant {

// The plug-in DLL in this program's folder.
std::string DllBesideThisProgram();

struct PluginLibrary {
  HMODULE module = nullptr;
  std::vector<std::string> missing;  // entry points the DLL does not export

  void (*SetDoButton)(DoButtonFn) = nullptr;
  void (*SetSetDRO)(SetDroFn) = nullptr;
  void (*SetGetDRO)(GetDroFn) = nullptr;
  void (*SetGetLED)(GetLedFn) = nullptr;
  void (*SetSetLED)(SetLedFn) = nullptr;
  void (*SetCode)(CodeFn) = nullptr;
  const char* (*SetProName)(HostString) = nullptr;
  bool (*InitControl)(void*, void*, void*, void*) = nullptr;
  void (*PostInitControl)() = nullptr;
  void (*Config)() = nullptr;
  void (*Update)() = nullptr;
  void (*StopPlug)() = nullptr;
  void (*DoDwell)() = nullptr;
  void (*Reset)() = nullptr;
  void (*JogOn)() = nullptr;
  void (*JogOff)() = nullptr;
  void (*Purge)() = nullptr;
  void (*Probe)() = nullptr;
  void (*Home)() = nullptr;

  PluginLibrary() = default;
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;
  ~PluginLibrary();

  // True when the DLL loaded and every entry point was found.
  bool Load(const std::string& path);

 private:
  template <typename Fn>
  void Bind(Fn& entry, const char* name);
};

// Freshly allocated host state blocks and a host window object that holds the host window's
// handle where the plug-in looks for it. Block C's message line is a string object of the
// host's runtime, unshared with room unless a test points it elsewhere; the host's own fields
// follow its pointer.
class HostBlocks {
 public:
  static constexpr size_t kFieldsAfterMessageLine = 64;

  explicit HostBlocks(HWND hostWindow);

  // InitControl with these blocks; its result.
  bool HandTo(const PluginLibrary& plugin);

  // Block C, where the host keeps its axes' feed bases and its message line.
  uint8_t* BlockC() { return blockC_.data(); }
  void PointMessageLineAt(char* characters);
  HostStringObject& MessageLine() { return messageLine_; }
  // The bytes of the host's fields after the message line's pointer.
  std::vector<uint8_t> FieldsAfterMessageLine() const;

 private:
  std::vector<uint8_t> blockA_ = std::vector<uint8_t>(kHostBlockASize);
  std::vector<uint8_t> blockB_ = std::vector<uint8_t>(kHostBlockBSize);
  std::vector<uint8_t> blockC_ = std::vector<uint8_t>(kHostBlockCSize + kFieldsAfterMessageLine);
  uint8_t parentObject_[kHostParentWindowSize] = {};
  HostStringObject messageLine_{HostStringObject::Layout::CountFirst, 255};
};

}  // namespace pendant
