#include "settings/setting_keys.h"

#include <cstdio>

namespace pendant {
namespace {

using S = PendantSettings;

constexpr SettingKey kKeys[] = {
    {"BUTTON0", 0, nullptr, [](S& s) -> SettingField { return &s.BUTTON[0]; }},
    {"BUTTON1", 0, nullptr, [](S& s) -> SettingField { return &s.BUTTON[1]; }},
    {"BUTTON2", 0, nullptr, [](S& s) -> SettingField { return &s.BUTTON[2]; }},
    {"BUTTON3", 0, nullptr, [](S& s) -> SettingField { return &s.BUTTON[3]; }},
    {"Macro1", 0, nullptr, [](S& s) -> SettingField { return &s.Macro1; }},
    {"Macro2", 0, nullptr, [](S& s) -> SettingField { return &s.Macro2; }},
    {"Macro3", 0, nullptr, [](S& s) -> SettingField { return &s.Macro3; }},
    {"Macro4", 0, nullptr, [](S& s) -> SettingField { return &s.Macro4; }},
    {"OEM1", 0, nullptr, [](S& s) -> SettingField { return &s.OEM1; }},
    {"OEM2", 0, nullptr, [](S& s) -> SettingField { return &s.OEM2; }},
    {"OEM3", 0, nullptr, [](S& s) -> SettingField { return &s.OEM3; }},
    {"OEM4", 0, nullptr, [](S& s) -> SettingField { return &s.OEM4; }},
    {"StepSize1", 1, nullptr, [](S& s) -> SettingField { return &s.StepSize1; }},
    {"StepSize2", 2, nullptr, [](S& s) -> SettingField { return &s.StepSize2; }},
    {"StepSize3", 3, nullptr, [](S& s) -> SettingField { return &s.StepSize3; }},
    {"ScreenSel1", 1, nullptr, [](S& s) -> SettingField { return &s.ScreenSel1; }},
    {"ScreenSel2", 2, nullptr, [](S& s) -> SettingField { return &s.ScreenSel2; }},
    {"ScreenSel3", 3, nullptr, [](S& s) -> SettingField { return &s.ScreenSel3; }},
    {"DelaySteps", 25, nullptr, [](S& s) -> SettingField { return &s.DelaySteps; }},
    {"DisplyRPM", 0, nullptr, [](S& s) -> SettingField { return &s.DisplyRPM; }},
    {"F1", 0, "F1", [](S& s) -> SettingField { return &s.F1; }},
    {"F2", 0, "F2", [](S& s) -> SettingField { return &s.F2; }},
    {"F3", 0, "F3", [](S& s) -> SettingField { return &s.F3; }},
    {"F4", 0, "F4", [](S& s) -> SettingField { return &s.F4; }},
    {"AutoChangeSens", 1, nullptr, [](S& s) -> SettingField { return &s.AutoChangeSens; }},
    {"VelocityInAuto", 4, nullptr, [](S& s) -> SettingField { return &s.VelocityInAuto; }},
    {"Decidigit", 2, nullptr, [](S& s) -> SettingField { return &s.Decidigit; }},
    {"CAmode", 0, nullptr, [](S& s) -> SettingField { return &s.CAmode; }},
    {"S1", 0, "0.0001", [](S& s) -> SettingField { return &s.S1; }},
    {"S2", 0, "0.001", [](S& s) -> SettingField { return &s.S2; }},
    {"S3", 0, "0.01", [](S& s) -> SettingField { return &s.S3; }},
    {"Xreverse", 0, nullptr, [](S& s) -> SettingField { return &s.Xreverse; }},
    {"Yreverse", 0, nullptr, [](S& s) -> SettingField { return &s.Yreverse; }},
    {"Zreverse", 0, nullptr, [](S& s) -> SettingField { return &s.Zreverse; }},
};

constexpr std::string_view kBeforeDevice[] = {"BUTTON0", "BUTTON1", "BUTTON2", "BUTTON3"};

constexpr std::string_view kAfterDevice[] = {
    "Macro1",
    "Macro2",
    "Macro3",
    "Macro4",
    "OEM1",
    "OEM2",
    "OEM3",
    "OEM4",
    "StepSize1",
    "StepSize2",
    "StepSize3",
    "ScreenSel1",
    "ScreenSel2",
    "ScreenSel3",
    "DelaySteps",
    "DisplyRPM",
    "F1",
    "F2",
    "F3",
    "F4",
    "AutoChangeSens",
    "VelocityInAuto",
    "Decidigit",
    "CAmode",
    "S1",
    "S2",
    "S3",
    "Xreverse",
    "Yreverse",
    "Zreverse",
};

constexpr std::string_view kReload[] = {
    "BUTTON0",
    "BUTTON1",
    "BUTTON2",
    "BUTTON3",
    "Macro1",
    "Macro2",
    "Macro3",
    "Macro4",
    "OEM1",
    "OEM2",
    "OEM3",
    "OEM4",
    "StepSize1",
    "StepSize2",
    "StepSize3",
    "ScreenSel1",
    "ScreenSel2",
    "ScreenSel3",
    "S1",
    "S2",
    "S3",
    "DelaySteps",
    "DisplyRPM",
    "F1",
    "F2",
    "F3",
    "F4",
    "Xreverse",
    "Yreverse",
    "Zreverse",
    "AutoChangeSens",
    "VelocityInAuto",
    "Decidigit",
    "CAmode",
};

constexpr std::string_view kSave[] = {
    "BUTTON0",
    "BUTTON1",
    "BUTTON2",
    "BUTTON3",
    "Macro1",
    "Macro2",
    "Macro3",
    "Macro4",
    "OEM1",
    "OEM2",
    "OEM3",
    "OEM4",
    "StepSize1",
    "StepSize2",
    "StepSize3",
    "ScreenSel1",
    "ScreenSel2",
    "ScreenSel3",
    "S1",
    "S2",
    "S3",
    "Xreverse",
    "Yreverse",
    "Zreverse",
    "DelaySteps",
    "DisplyRPM",
    "F1",
    "F2",
    "F3",
    "F4",
    "AutoChangeSens",
    "VelocityInAuto",
    "Decidigit",
    "CAmode",
};

}  // namespace

const std::span<const std::string_view> kStartupKeysBeforeDevice(kBeforeDevice);
const std::span<const std::string_view> kStartupKeysAfterDevice(kAfterDevice);
const std::span<const std::string_view> kDialogReloadKeys(kReload);
const std::span<const std::string_view> kDialogSaveKeys(kSave);

const SettingKey* FindSettingKey(std::string_view key) {
  for (const SettingKey& entry : kKeys) {
    if (key == entry.key) return &entry;
  }
  return nullptr;
}

void ReadSetting(SettingsStore& store, PendantSettings& settings, std::string_view key) {
  const SettingKey* entry = FindSettingKey(key);
  if (!entry) return;
  const SettingField field = entry->field(settings);
  if (auto* text = std::get_if<std::string*>(&field)) {
    **text = store.ReadString(kSettingsSection, entry->key, entry->defaultText);
    return;
  }
  const int32_t value = store.ReadInt(kSettingsSection, entry->key, entry->defaultNumber);
  if (auto* shortField = std::get_if<int16_t*>(&field)) {
    **shortField = static_cast<int16_t>(static_cast<uint16_t>(value));
  } else if (auto* longField = std::get_if<int32_t*>(&field)) {
    **longField = value;
  } else if (auto* flag = std::get_if<bool*>(&field)) {
    **flag = value != 0;
  }
}

void WriteSetting(SettingsStore& store, PendantSettings& settings, std::string_view key) {
  const SettingKey* entry = FindSettingKey(key);
  if (!entry) return;
  const SettingField field = entry->field(settings);
  if (auto* text = std::get_if<std::string*>(&field)) {
    store.WriteString(kSettingsSection, entry->key, **text);
  } else if (auto* shortField = std::get_if<int16_t*>(&field)) {
    store.WriteInt(kSettingsSection, entry->key, **shortField);
  } else if (auto* longField = std::get_if<int32_t*>(&field)) {
    store.WriteInt(kSettingsSection, entry->key, **longField);
  } else if (auto* flag = std::get_if<bool*>(&field)) {
    store.WriteInt(kSettingsSection, entry->key, **flag ? 1 : 0);
  }
}

}  // namespace pendant
