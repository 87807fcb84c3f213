// The entry points the host calls: plain C names, cdecl.
#pragma once

#include "host/host_interface.h"

#ifdef _WIN32
#define PENDANT_EXPORT __declspec(dllexport)
#else
#define PENDANT_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
PENDANT_EXPORT void SetDoButton(pendant::DoButtonFn callback);
PENDANT_EXPORT void SetSetDRO(pendant::SetDroFn callback);
PENDANT_EXPORT void SetGetDRO(pendant::GetDroFn callback);
PENDANT_EXPORT void SetGetLED(pendant::GetLedFn callback);
PENDANT_EXPORT void SetSetLED(pendant::SetLedFn callback);
PENDANT_EXPORT void SetCode(pendant::CodeFn callback);
PENDANT_EXPORT const char* SetProName(pendant::HostString profileName);
PENDANT_EXPORT bool InitControl(void* blockA, void* blockB, void* blockC, void* parentWindow);
PENDANT_EXPORT void PostInitControl();
PENDANT_EXPORT void Config();
PENDANT_EXPORT void Update();
PENDANT_EXPORT void StopPlug();
PENDANT_EXPORT void DoDwell();
PENDANT_EXPORT void Reset();
PENDANT_EXPORT void JogOn();
PENDANT_EXPORT void JogOff();
PENDANT_EXPORT void Purge();
PENDANT_EXPORT void Probe();
PENDANT_EXPORT void Home();
}
