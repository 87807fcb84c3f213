// Every user setting, one field per profile key, and the start-up load.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "settings/settings_store.h"

namespace pendant {

inline constexpr const char* kSettingsSection = "Qorvix_K7R_Pendant";

struct PendantSettings {
  int16_t BUTTON[4] = {};  // rows of the function list for F1..F4
  int16_t Macro1 = 0, Macro2 = 0, Macro3 = 0, Macro4 = 0;
  int16_t OEM1 = 0, OEM2 = 0, OEM3 = 0, OEM4 = 0;
  int16_t StepSize1 = 0, StepSize2 = 0, StepSize3 = 0;  // carried only
  int16_t ScreenSel1 = 0, ScreenSel2 = 0, ScreenSel3 = 0;
  int32_t DelaySteps = 0;
  bool DisplyRPM = false;
  std::string F1, F2, F3, F4;
  int16_t AutoChangeSens = 0;
  int16_t VelocityInAuto = 0;
  int16_t Decidigit = 0;
  bool CAmode = false;
  std::string S1, S2, S3;
  bool Xreverse = false, Yreverse = false, Zreverse = false;
};

// Reads every key in the start-up order, running findPendant right after the four BUTTON keys.
// Adds no keys to the profile.
void LoadStartupSettings(SettingsStore& store, PendantSettings& settings,
                         const std::function<void()>& findPendant);

}  // namespace pendant
