#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_run.h"
#include "config/dialog_controls.h"
#include "config/virtual_dialog.h"
#include "settings/xml_profile.h"
#include "tests/support/recording_store.h"
#include "tests/support/temp_dir.h"

namespace pendant {
namespace {

using testing::RecordingStore;

constexpr int kDelayEdit = 4174;
constexpr int kOem1Edit = 4171;
constexpr int kOem2Edit = 4175;
constexpr int kMacro1Edit = 4180;
constexpr int kF2Edit = 4185;
constexpr int kS1Edit = 4189;
constexpr int kXreverseCheck = 4188;
constexpr int kVelocityList = 4022;
constexpr int kDecimalsList = 4023;
constexpr int kScreen2List = 4025;
constexpr int kF1List = 4027;
constexpr int kF3List = 4029;

DialogTurn PressOk(std::function<void(VirtualDialogSurface&)> edit = {}) {
  return [edit](VirtualDialogSurface& surface) {
    if (edit) edit(surface);
    return DialogResult::Ok;
  };
}

DialogTurn PressEscape() {
  return [](VirtualDialogSurface&) { return DialogResult::Cancel; };
}

TEST(ConfigRun, ReloadsAndSavesEveryKeyInTheirOrders) {
  RecordingStore store;
  PendantSettings settings;
  QueueDialogTurns({PressOk()});
  RunConfigDialog(store, settings);
  const std::vector<std::string> reloads = {
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
  const std::vector<std::string> saves = {
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
  EXPECT_EQ(store.reads, reloads);
  EXPECT_EQ(store.writes, saves);
}

TEST(ConfigRun, OpeningShowsTheStoredSettings) {
  RecordingStore store;
  store.ints["BUTTON0"] = 65;
  store.ints["VelocityInAuto"] = 9;
  store.ints["ScreenSel2"] = 7;  // outside the list
  store.ints["OEM2"] = -3;
  store.ints["Xreverse"] = 5;
  store.texts["F2"] = "Coolant";
  PendantSettings settings;
  QueueDialogTurns({PressEscape()});
  RunConfigDialog(store, settings);

  const VirtualDialogSurface& shown = LastDialogSurface();
  for (int list : {4027, 4028, 4029, 4030}) EXPECT_EQ(shown.rows.at(list).size(), 66u);
  EXPECT_EQ(shown.rows.at(kF1List)[0], " NONE");
  EXPECT_EQ(shown.rows.at(kVelocityList).back(), "10");
  EXPECT_EQ(shown.rows.at(kDecimalsList), (std::vector<std::string>{"2", "3", "4"}));
  EXPECT_EQ(shown.SelectedRow(kF1List), 65);
  EXPECT_EQ(shown.SelectedRow(kVelocityList), 9);
  EXPECT_EQ(shown.SelectedRow(kScreen2List), kNoRowSelected);
  EXPECT_EQ(shown.SelectedRow(kDecimalsList), 2);
  EXPECT_EQ(shown.Text(kOem2Edit), "-3");
  EXPECT_EQ(shown.Text(kDelayEdit), "25");
  EXPECT_EQ(shown.Text(kF2Edit), "Coolant");
  EXPECT_EQ(shown.Text(kS1Edit), "0.0001");
  EXPECT_TRUE(shown.Checked(kXreverseCheck));
}

TEST(ConfigRun, OkTakesTheEditedValues) {
  RecordingStore store;
  store.ints["StepSize2"] = 9;
  PendantSettings settings;
  QueueDialogTurns({PressOk([](VirtualDialogSurface& s) {
    s.SetText(kMacro1Edit, "12abc");
    s.SetText(kOem1Edit, " 70000");
    s.SetText(kDelayEdit, "-5");
    s.SetText(kF2Edit, "Twenty characters!!!");
    s.SetChecked(kXreverseCheck, true);
    s.SelectRow(kF3List, 3);
    s.SelectRow(kScreen2List, 99);  // the user cleared the selection
  })});
  RunConfigDialog(store, settings);

  EXPECT_EQ(settings.Macro1, 12);
  EXPECT_EQ(settings.OEM1, 4464);
  EXPECT_EQ(settings.DelaySteps, -5);
  EXPECT_EQ(settings.F2, "Twenty characters!!!");
  EXPECT_TRUE(settings.Xreverse);
  EXPECT_EQ(settings.BUTTON[2], 3);
  EXPECT_EQ(settings.ScreenSel2, -1);
  EXPECT_EQ(store.ints["Macro1"], 12);
  EXPECT_EQ(store.ints["ScreenSel2"], -1);
  EXPECT_EQ(store.ints["Xreverse"], 1);
  EXPECT_EQ(store.ints["StepSize2"], 9);  // carried through unchanged
  EXPECT_EQ(store.texts["F2"], "Twenty characters!!!");
}

TEST(ConfigRun, OutOfRangeIndexBecomesMinusOneOnOk) {
  RecordingStore store;
  store.ints["BUTTON1"] = 80;
  PendantSettings settings;
  QueueDialogTurns({PressOk()});
  RunConfigDialog(store, settings);
  EXPECT_EQ(settings.BUTTON[1], -1);
  EXPECT_EQ(store.ints["BUTTON1"], -1);
}

TEST(ConfigRun, CancelKeepsAndSavesTheReloadedValues) {
  RecordingStore store;
  store.ints["Macro3"] = 8;
  PendantSettings settings;
  settings.Macro3 = 1;  // what memory held before the run
  QueueDialogTurns({[](VirtualDialogSurface& s) {
    s.SetText(4182, "99");
    return DialogResult::Cancel;
  }});
  RunConfigDialog(store, settings);
  EXPECT_EQ(settings.Macro3, 8);
  EXPECT_EQ(store.ints["Macro3"], 8);
  EXPECT_EQ(store.ints["DelaySteps"], 25);  // missing keys are written with their defaults
  EXPECT_EQ(store.texts["S2"], "0.001");
}

TEST(ConfigRun, DialogThatCannotOpenStillSaves) {
  RecordingStore store;
  PendantSettings settings;
  QueueDialogTurns({});
  RunConfigDialog(store, settings);
  EXPECT_EQ(store.writes.size(), 34u);
}

TEST(ConfigRun, EditWithoutANumberKeepsTheDialogOpenAndChangesNothing) {
  RecordingStore store;
  store.ints["OEM2"] = 5;
  PendantSettings settings;
  QueueDialogTurns({PressOk([](VirtualDialogSurface& s) {
                      s.SetText(kDelayEdit, "40");
                      s.SetText(kOem2Edit, "");
                      s.SetText(kMacro1Edit, "x");  // later in the order: not reported
                    }),
                    [&settings](VirtualDialogSurface& s) {
                      // Still open: nothing was taken yet.
                      EXPECT_EQ(settings.DelaySteps, 25);
                      EXPECT_EQ(s.messages, std::vector<std::string>{"Please enter an integer."});
                      EXPECT_EQ(s.focusedEdit, kOem2Edit);
                      s.SetText(kOem2Edit, "7");
                      s.SetText(kMacro1Edit, "3");
                      return DialogResult::Ok;
                    }});
  RunConfigDialog(store, settings);
  EXPECT_EQ(settings.OEM2, 7);
  EXPECT_EQ(settings.DelaySteps, 40);
  EXPECT_EQ(LastDialogSurface().messages.size(), 1u);
}

TEST(ConfigRun, ClearedTextsAreSavedEmptyAndLoadBackAsDefaults) {
  testing::TempDir dir;
  const std::string path = dir.File("profile.xml");
  PendantSettings settings;
  {
    XmlProfile profile(path);
    QueueDialogTurns({PressOk([](VirtualDialogSurface& s) {
      s.SetText(kF2Edit, "");
      s.SetText(kS1Edit, "");
    })});
    RunConfigDialog(profile, settings);
    EXPECT_EQ(settings.F2, "");
    EXPECT_EQ(settings.S1, "");
  }
  {
    XmlProfile profile(path);
    QueueDialogTurns({PressEscape()});
    RunConfigDialog(profile, settings);
  }
  EXPECT_EQ(settings.F2, "F2");
  EXPECT_EQ(settings.S1, "0.0001");
}

}  // namespace
}  // namespace pendant
