#include <cstdio>

#include "settings/pendant_settings.h"

namespace pendant {
namespace {

class SectionReader {
 public:
  explicit SectionReader(SettingsStore& store) : store_(store) {}

  // 16-bit fields keep the low 16 bits of the 32-bit value read.
  void Short(const char* key, int16_t& field, int32_t fallback) {
    field = static_cast<int16_t>(
        static_cast<uint16_t>(store_.ReadInt(kSettingsSection, key, fallback)));
  }
  void Long(const char* key, int32_t& field, int32_t fallback) {
    field = store_.ReadInt(kSettingsSection, key, fallback);
  }
  void Flag(const char* key, bool& field) { field = store_.ReadInt(kSettingsSection, key, 0) != 0; }
  void Text(const char* key, std::string& field, const char* fallback) {
    field = store_.ReadString(kSettingsSection, key, fallback);
  }

 private:
  SettingsStore& store_;
};

}  // namespace

void LoadStartupSettings(SettingsStore& store, PendantSettings& settings,
                         const std::function<void()>& findPendant) {
  SectionReader read(store);
  for (int i = 0; i < 4; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "BUTTON%d", i);
    read.Short(key, settings.BUTTON[i], 0);
  }
  findPendant();
  read.Short("Macro1", settings.Macro1, 0);
  read.Short("Macro2", settings.Macro2, 0);
  read.Short("Macro3", settings.Macro3, 0);
  read.Short("Macro4", settings.Macro4, 0);
  read.Short("OEM1", settings.OEM1, 0);
  read.Short("OEM2", settings.OEM2, 0);
  read.Short("OEM3", settings.OEM3, 0);
  read.Short("OEM4", settings.OEM4, 0);
  read.Short("StepSize1", settings.StepSize1, 1);
  read.Short("StepSize2", settings.StepSize2, 2);
  read.Short("StepSize3", settings.StepSize3, 3);
  read.Short("ScreenSel1", settings.ScreenSel1, 1);
  read.Short("ScreenSel2", settings.ScreenSel2, 2);
  read.Short("ScreenSel3", settings.ScreenSel3, 3);
  read.Long("DelaySteps", settings.DelaySteps, 25);
  read.Flag("DisplyRPM", settings.DisplyRPM);
  read.Text("F1", settings.F1, "F1");
  read.Text("F2", settings.F2, "F2");
  read.Text("F3", settings.F3, "F3");
  read.Text("F4", settings.F4, "F4");
  read.Short("AutoChangeSens", settings.AutoChangeSens, 1);
  read.Short("VelocityInAuto", settings.VelocityInAuto, 4);
  read.Short("Decidigit", settings.Decidigit, 2);
  read.Flag("CAmode", settings.CAmode);
  read.Text("S1", settings.S1, "0.0001");
  read.Text("S2", settings.S2, "0.001");
  read.Text("S3", settings.S3, "0.01");
  read.Flag("Xreverse", settings.Xreverse);
  read.Flag("Yreverse", settings.Yreverse);
  read.Flag("Zreverse", settings.Zreverse);
}

}  // namespace pendant
