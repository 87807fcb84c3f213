#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "settings/pendant_settings.h"
#include "tests/support/recording_store.h"

namespace pendant {
namespace {

using testing::RecordingStore;

PendantSettings Load(RecordingStore& store) {
  PendantSettings settings;
  LoadStartupSettings(store, settings, [] {});
  return settings;
}

TEST(StartupLoad, EmptySectionGivesTheDefaults) {
  RecordingStore store;
  PendantSettings s = Load(store);
  for (int16_t button : s.BUTTON) EXPECT_EQ(button, 0);
  EXPECT_EQ(
      (std::vector<int>{s.Macro1, s.Macro2, s.Macro3, s.Macro4, s.OEM1, s.OEM2, s.OEM3, s.OEM4}),
      std::vector<int>(8, 0));
  EXPECT_EQ((std::vector<int>{s.StepSize1, s.StepSize2, s.StepSize3}), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ((std::vector<int>{s.ScreenSel1, s.ScreenSel2, s.ScreenSel3}),
            (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(s.DelaySteps, 25);
  EXPECT_FALSE(s.DisplyRPM);
  EXPECT_EQ((std::vector<std::string>{s.F1, s.F2, s.F3, s.F4}),
            (std::vector<std::string>{"F1", "F2", "F3", "F4"}));
  EXPECT_EQ(s.AutoChangeSens, 1);
  EXPECT_EQ(s.VelocityInAuto, 4);
  EXPECT_EQ(s.Decidigit, 2);
  EXPECT_FALSE(s.CAmode);
  EXPECT_EQ((std::vector<std::string>{s.S1, s.S2, s.S3}),
            (std::vector<std::string>{"0.0001", "0.001", "0.01"}));
  EXPECT_FALSE(s.Xreverse || s.Yreverse || s.Zreverse);
}

TEST(StartupLoad, SixteenBitFieldsKeepTheLowSixteenBits) {
  struct Case {
    int32_t stored;
    int16_t held;
  };
  const Case cases[] = {{70000, 4464}, {65535, -1}, {65536, 0}, {-1, -1}, {32768, -32768}};
  for (const Case& c : cases) {
    RecordingStore store;
    store.ints["OEM1"] = c.stored;
    store.ints["BUTTON2"] = c.stored;
    store.ints["Decidigit"] = c.stored;
    PendantSettings s = Load(store);
    EXPECT_EQ(s.OEM1, c.held) << c.stored;
    EXPECT_EQ(s.BUTTON[2], c.held) << c.stored;
    EXPECT_EQ(s.Decidigit, c.held) << c.stored;
  }
}

TEST(StartupLoad, DelayStepsKeepsAllThirtyTwoBitsAndFlagsAreAnyNonZero) {
  RecordingStore store;
  store.ints["DelaySteps"] = 70000;
  store.ints["Xreverse"] = 1;
  store.ints["Yreverse"] = -5;
  store.ints["CAmode"] = 65536;  // non-zero as a 32-bit value
  PendantSettings s = Load(store);
  EXPECT_EQ(s.DelaySteps, 70000);
  EXPECT_TRUE(s.Xreverse);
  EXPECT_TRUE(s.Yreverse);
  EXPECT_FALSE(s.Zreverse);
  EXPECT_TRUE(s.CAmode);
}

TEST(StartupLoad, TextsAreKeptWhole) {
  RecordingStore store;
  store.texts["F2"] = "Twenty characters!!!";
  store.texts["S1"] = "0.5";
  PendantSettings s = Load(store);
  EXPECT_EQ(s.F2, "Twenty characters!!!");
  EXPECT_EQ(s.S1, "0.5");
}

}  // namespace
}  // namespace pendant
