#include "plugin/exports.h"

#include "plugin/plugin_module.h"

using pendant::Plugin;

namespace {

// Nothing may unwind into the host's frames, which no unwinder of the plug-in's can cross: an
// entry point that fails returns as if it had had nothing to do, and the plug-in goes on with
// what it has.
template <typename Work>
void Absorbing(Work work) noexcept {
  try {
    work();
  } catch (...) {
  }
}

}  // namespace

extern "C" {

void SetDoButton(pendant::DoButtonFn callback) {
  Absorbing([&] { Plugin().host.callbacks.doButton = callback; });
}
void SetSetDRO(pendant::SetDroFn callback) {
  Absorbing([&] { Plugin().host.callbacks.setDro = callback; });
}
void SetGetDRO(pendant::GetDroFn callback) {
  Absorbing([&] { Plugin().host.callbacks.getDro = callback; });
}
void SetGetLED(pendant::GetLedFn callback) {
  Absorbing([&] { Plugin().host.callbacks.getLed = callback; });
}
void SetSetLED(pendant::SetLedFn callback) {
  Absorbing([&] { Plugin().host.callbacks.setLed = callback; });
}
void SetCode(pendant::CodeFn callback) {
  Absorbing([&] { Plugin().host.callbacks.code = callback; });
}

const char* SetProName(pendant::HostString profileName) {
  const char* fullName = "";
  Absorbing([&] { fullName = Plugin().SetProName(profileName.text); });
  return fullName;
}

bool InitControl(void* blockA, void* blockB, void* blockC, void* parentWindow) {
  Absorbing([&] { Plugin().InitControl(blockA, blockB, blockC, parentWindow); });
  return true;
}

void PostInitControl() {
  Absorbing([] { Plugin().PostInitControl(); });
}
void Config() {
  Absorbing([] { Plugin().Config(); });
}
void Update() {
  Absorbing([] { Plugin().Update(); });
}
void StopPlug() {
  Absorbing([] { Plugin().StopPlug(); });
}

// The host calls these; the pendant has nothing to do for them.
void DoDwell() {}
void Reset() {}
void JogOn() {}
void JogOff() {}
void Purge() {}
void Probe() {}
void Home() {}
}
