#include "settings/setting_keys.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace pendant {
namespace {

using S = PendantSettings;
using enum KeyGroup;

constexpr SettingKey kKeys[] = {
    {"BUTTON0", FunctionButtons, 0, nullptr, [](S& s) -> SettingField { return &s.BUTTON[0]; }},
    {"BUTTON1", FunctionButtons, 0, nullptr, [](S& s) -> SettingField { return &s.BUTTON[1]; }},
    {"BUTTON2", FunctionButtons, 0, nullptr, [](S& s) -> SettingField { return &s.BUTTON[2]; }},
    {"BUTTON3", FunctionButtons, 0, nullptr, [](S& s) -> SettingField { return &s.BUTTON[3]; }},
    {"Macro1", Codes, 0, nullptr, [](S& s) -> SettingField { return &s.Macro1; }},
    {"Macro2", Codes, 0, nullptr, [](S& s) -> SettingField { return &s.Macro2; }},
    {"Macro3", Codes, 0, nullptr, [](S& s) -> SettingField { return &s.Macro3; }},
    {"Macro4", Codes, 0, nullptr, [](S& s) -> SettingField { return &s.Macro4; }},
    {"OEM1", Codes, 0, nullptr, [](S& s) -> SettingField { return &s.OEM1; }},
    {"OEM2", Codes, 0, nullptr, [](S& s) -> SettingField { return &s.OEM2; }},
    {"OEM3", Codes, 0, nullptr, [](S& s) -> SettingField { return &s.OEM3; }},
    {"OEM4", Codes, 0, nullptr, [](S& s) -> SettingField { return &s.OEM4; }},
    {"StepSize1", Codes, 1, nullptr, [](S& s) -> SettingField { return &s.StepSize1; }},
    {"StepSize2", Codes, 2, nullptr, [](S& s) -> SettingField { return &s.StepSize2; }},
    {"StepSize3", Codes, 3, nullptr, [](S& s) -> SettingField { return &s.StepSize3; }},
    {"ScreenSel1", Codes, 1, nullptr, [](S& s) -> SettingField { return &s.ScreenSel1; }},
    {"ScreenSel2", Codes, 2, nullptr, [](S& s) -> SettingField { return &s.ScreenSel2; }},
    {"ScreenSel3", Codes, 3, nullptr, [](S& s) -> SettingField { return &s.ScreenSel3; }},
    {"DelaySteps", DelayAndLabels, 25, nullptr, [](S& s) -> SettingField { return &s.DelaySteps; }},
    {"DisplyRPM", DelayAndLabels, 0, nullptr, [](S& s) -> SettingField { return &s.DisplyRPM; }},
    {"F1", DelayAndLabels, 0, "F1", [](S& s) -> SettingField { return &s.F1; }},
    {"F2", DelayAndLabels, 0, "F2", [](S& s) -> SettingField { return &s.F2; }},
    {"F3", DelayAndLabels, 0, "F3", [](S& s) -> SettingField { return &s.F3; }},
    {"F4", DelayAndLabels, 0, "F4", [](S& s) -> SettingField { return &s.F4; }},
    {"AutoChangeSens", SpeedAndDigits, 1, nullptr,
     [](S& s) -> SettingField { return &s.AutoChangeSens; }},
    {"VelocityInAuto", SpeedAndDigits, 4, nullptr,
     [](S& s) -> SettingField { return &s.VelocityInAuto; }},
    {"Decidigit", SpeedAndDigits, 2, nullptr, [](S& s) -> SettingField { return &s.Decidigit; }},
    {"CAmode", SpeedAndDigits, 0, nullptr, [](S& s) -> SettingField { return &s.CAmode; }},
    {"S1", StepTexts, 0, "0.0001", [](S& s) -> SettingField { return &s.S1; }},
    {"S2", StepTexts, 0, "0.001", [](S& s) -> SettingField { return &s.S2; }},
    {"S3", StepTexts, 0, "0.01", [](S& s) -> SettingField { return &s.S3; }},
    {"Xreverse", Reversal, 0, nullptr, [](S& s) -> SettingField { return &s.Xreverse; }},
    {"Yreverse", Reversal, 0, nullptr, [](S& s) -> SettingField { return &s.Yreverse; }},
    {"Zreverse", Reversal, 0, nullptr, [](S& s) -> SettingField { return &s.Zreverse; }},
};

// Each order as its sequence of groups.
constexpr KeyGroup kBeforeDeviceGroups[] = {FunctionButtons};
constexpr KeyGroup kAfterDeviceGroups[] = {Codes, DelayAndLabels, SpeedAndDigits, StepTexts,
                                           Reversal};
constexpr KeyGroup kReloadGroups[] = {FunctionButtons, Codes,    StepTexts,
                                      DelayAndLabels,  Reversal, SpeedAndDigits};
constexpr KeyGroup kSaveGroups[] = {FunctionButtons, Codes,          StepTexts,
                                    Reversal,        DelayAndLabels, SpeedAndDigits};

constexpr size_t KeyCount(std::span<const KeyGroup> groups) {
  size_t count = 0;
  for (KeyGroup group : groups) {
    for (const SettingKey& entry : kKeys) count += entry.group == group ? 1 : 0;
  }
  return count;
}

// The keys of these groups, group by group, each group in table order.
template <size_t Count>
constexpr std::array<const SettingKey*, Count> KeysOf(std::span<const KeyGroup> groups) {
  std::array<const SettingKey*, Count> keys{};
  size_t next = 0;
  for (KeyGroup group : groups) {
    for (const SettingKey& entry : kKeys) {
      if (entry.group == group) keys[next++] = &entry;
    }
  }
  return keys;
}

constexpr auto kBeforeDevice = KeysOf<KeyCount(kBeforeDeviceGroups)>(kBeforeDeviceGroups);
constexpr auto kAfterDevice = KeysOf<KeyCount(kAfterDeviceGroups)>(kAfterDeviceGroups);
constexpr auto kReload = KeysOf<KeyCount(kReloadGroups)>(kReloadGroups);
constexpr auto kSave = KeysOf<KeyCount(kSaveGroups)>(kSaveGroups);

// Whether the groups, taken together, name the group of every key exactly once.
constexpr bool NamesEveryGroupOnce(std::span<const KeyGroup> first,
                                   std::span<const KeyGroup> second = {}) {
  for (const SettingKey& entry : kKeys) {
    if (std::count(first.begin(), first.end(), entry.group) +
            std::count(second.begin(), second.end(), entry.group) !=
        1) {
      return false;
    }
  }
  return true;
}
static_assert(NamesEveryGroupOnce(kBeforeDeviceGroups, kAfterDeviceGroups));
static_assert(NamesEveryGroupOnce(kReloadGroups) && NamesEveryGroupOnce(kSaveGroups));

}  // namespace

const std::span<const SettingKey* const> kStartupKeysBeforeDevice(kBeforeDevice);
const std::span<const SettingKey* const> kStartupKeysAfterDevice(kAfterDevice);
const std::span<const SettingKey* const> kDialogReloadKeys(kReload);
const std::span<const SettingKey* const> kDialogSaveKeys(kSave);

const SettingKey* FindSettingKey(std::string_view key) {
  // Indexed once: the dialog looks up every control's key each time it opens and closes.
  static const std::unordered_map<std::string_view, const SettingKey*> byName = [] {
    std::unordered_map<std::string_view, const SettingKey*> index;
    for (const SettingKey& entry : kKeys) index.emplace(entry.key, &entry);
    return index;
  }();
  const auto found = byName.find(key);
  return found == byName.end() ? nullptr : found->second;
}

void ReadSetting(SettingsStore& store, PendantSettings& settings, const SettingKey& entry) {
  const SettingField field = entry.field(settings);
  if (auto* text = std::get_if<std::string*>(&field)) {
    **text = store.ReadString(kSettingsSection, entry.key.data(), entry.defaultText);
    return;
  }
  const int32_t value = store.ReadInt(kSettingsSection, entry.key.data(), entry.defaultNumber);
  if (auto* shortField = std::get_if<int16_t*>(&field)) {
    **shortField = static_cast<int16_t>(static_cast<uint16_t>(value));
  } else if (auto* longField = std::get_if<int32_t*>(&field)) {
    **longField = value;
  } else if (auto* flag = std::get_if<bool*>(&field)) {
    **flag = value != 0;
  }
}

void WriteSetting(SettingsStore& store, PendantSettings& settings, const SettingKey& entry) {
  const SettingField field = entry.field(settings);
  if (auto* text = std::get_if<std::string*>(&field)) {
    store.WriteString(kSettingsSection, entry.key.data(), **text);
  } else if (auto* shortField = std::get_if<int16_t*>(&field)) {
    store.WriteInt(kSettingsSection, entry.key.data(), **shortField);
  } else if (auto* longField = std::get_if<int32_t*>(&field)) {
    store.WriteInt(kSettingsSection, entry.key.data(), **longField);
  } else if (auto* flag = std::get_if<bool*>(&field)) {
    store.WriteInt(kSettingsSection, entry.key.data(), **flag ? 1 : 0);
  }
}

}  // namespace pendant
