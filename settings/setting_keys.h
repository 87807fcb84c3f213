// Every setting's profile key, kind and default, and the orders in which they are read and
// written. One table serves the start-up load and the settings dialog: each order is a
// sequence of groups of keys, each group in table order.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/pendant_settings.h"
#include "settings/settings_store.h"

namespace pendant {

// Where a setting lives in the record; its type tells how it is read and written.
using SettingField = std::variant<int16_t*, int32_t*, bool*, std::string*>;

// Keys that every order keeps together.
enum class KeyGroup {
  FunctionButtons,  // BUTTON0..3
  Codes,            // macros, OEM codes, step sizes, screen selections
  DelayAndLabels,   // the start delay, the speed display flag, the F texts
  SpeedAndDigits,   // slow-down rate, velocity sensitivity, decimal digits, A axis mode
  StepTexts,        // S1..S3
  Reversal,         // the wheel's reversal per axis
};

struct SettingKey {
  std::string_view key;  // a literal, so its data() is also the key as a C string
  KeyGroup group;
  int32_t defaultNumber;
  const char* defaultText;  // for texts; null for numbers and flags
  SettingField (*field)(PendantSettings&);
};

// The key's entry, or null for a key the plug-in does not have.
const SettingKey* FindSettingKey(std::string_view key);

// Reads one key with its default into its field (16-bit fields keep the low 16 bits, flags are
// any non-zero value).
void ReadSetting(SettingsStore& store, PendantSettings& settings, const SettingKey& entry);
// Writes one field as its decimal text (flags as 0 or 1) or its text.
void WriteSetting(SettingsStore& store, PendantSettings& settings, const SettingKey& entry);

// Start-up reads the function buttons, then looks for the pendant, then reads the rest; the
// dialog reloads every key before it opens and saves every key after it closes.
extern const std::span<const SettingKey* const> kStartupKeysBeforeDevice;
extern const std::span<const SettingKey* const> kStartupKeysAfterDevice;
extern const std::span<const SettingKey* const> kDialogReloadKeys;
extern const std::span<const SettingKey* const> kDialogSaveKeys;

}  // namespace pendant
