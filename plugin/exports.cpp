#include "plugin/exports.h"

#include "plugin/plugin_module.h"

using pendant::Plugin;

extern "C" {

void SetDoButton(pendant::DoButtonFn callback) {
  Plugin().host.callbacks.doButton = callback;
}
void SetSetDRO(pendant::SetDroFn callback) {
  Plugin().host.callbacks.setDro = callback;
}
void SetGetDRO(pendant::GetDroFn callback) {
  Plugin().host.callbacks.getDro = callback;
}
void SetGetLED(pendant::GetLedFn callback) {
  Plugin().host.callbacks.getLed = callback;
}
void SetSetLED(pendant::SetLedFn callback) {
  Plugin().host.callbacks.setLed = callback;
}
void SetCode(pendant::CodeFn callback) {
  Plugin().host.callbacks.code = callback;
}

const char* SetProName(pendant::HostString profileName) {
  return Plugin().SetProName(profileName.text);
}

bool InitControl(void* blockA, void* blockB, void* blockC, void* parentWindow) {
  return Plugin().InitControl(blockA, blockB, blockC, parentWindow);
}

void PostInitControl() {
  Plugin().PostInitControl();
}
void Config() {
  Plugin().Config();
}
void Update() {
  Plugin().Update();
}
void StopPlug() {
  Plugin().StopPlug();
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
