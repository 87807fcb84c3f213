#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_run.h"
#include "config/dialog_controls.h"
#include "config/dialog_ids.h"
#include "config/virtual_dialog.h"
#include "settings/xml_profile.h"
#include "tests/support/recording_store.h"
#include "tests/support/temp_dir.h"

namespace pendant {
namespace {

using testing::RecordingStore;

DialogTurn PressOk(std::function<void(VirtualDialogSurface&)> edit = {}) {
  return [edit](VirtualDialogSurface& surface) {
    if (edit) edit(surface);
    return DialogResult::Ok;
  };
}

DialogTurn PressEscape() {
  return [](VirtualDialogSurface&) { return DialogResult::Cancel; };
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
  RunConfigDialog(testing::SameStore(store), settings);

  const VirtualDialogSurface& shown = LastDialogSurface();
  for (int list : {IDC_FUNCTION1, IDC_FUNCTION2, IDC_FUNCTION3, IDC_FUNCTION4})
    EXPECT_EQ(shown.rows.at(list).size(), 66u);
  EXPECT_EQ(shown.rows.at(IDC_FUNCTION1)[0], " NONE");
  EXPECT_EQ(shown.rows.at(IDC_VELOCITY_SENSITIVITY).back(), "10");
  EXPECT_EQ(shown.rows.at(IDC_DECIMAL_DIGITS), (std::vector<std::string_view>{"2", "3", "4"}));
  EXPECT_EQ(shown.SelectedRow(IDC_FUNCTION1), 65);
  EXPECT_EQ(shown.SelectedRow(IDC_VELOCITY_SENSITIVITY), 9);
  EXPECT_EQ(shown.SelectedRow(IDC_SCREEN2), kNoRowSelected);
  EXPECT_EQ(shown.SelectedRow(IDC_DECIMAL_DIGITS), 2);
  EXPECT_EQ(shown.Text(IDC_OEM2), "-3");
  EXPECT_EQ(shown.Text(IDC_DELAY_STEPS), "25");
  EXPECT_EQ(shown.Text(IDC_F2_TEXT), "Coolant");
  EXPECT_EQ(shown.Text(IDC_STEP1), "0.0001");
  EXPECT_TRUE(shown.Checked(IDC_REVERSE_X));
}

TEST(ConfigRun, OkTakesTheEditedValues) {
  RecordingStore store;
  store.ints["StepSize2"] = 9;
  PendantSettings settings;
  QueueDialogTurns({PressOk([](VirtualDialogSurface& s) {
    s.SetText(IDC_MACRO1, "12abc");
    s.SetText(IDC_OEM1, " 70000");
    s.SetText(IDC_DELAY_STEPS, "-5");
    s.SetText(IDC_F2_TEXT, "Twenty characters!!!");
    s.SetChecked(IDC_REVERSE_X, true);
    s.SelectRow(IDC_FUNCTION3, 3);
    s.SelectRow(IDC_SCREEN2, 99);  // the user cleared the selection
  })});
  RunConfigDialog(testing::SameStore(store), settings);

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
  RunConfigDialog(testing::SameStore(store), settings);
  EXPECT_EQ(settings.BUTTON[1], -1);
  EXPECT_EQ(store.ints["BUTTON1"], -1);
}

TEST(ConfigRun, CancelKeepsAndSavesTheReloadedValues) {
  RecordingStore store;
  store.ints["Macro3"] = 8;
  PendantSettings settings;
  settings.Macro3 = 1;  // what memory held before the run
  QueueDialogTurns({[](VirtualDialogSurface& s) {
    s.SetText(IDC_MACRO3, "99");
    return DialogResult::Cancel;
  }});
  RunConfigDialog(testing::SameStore(store), settings);
  EXPECT_EQ(settings.Macro3, 8);
  EXPECT_EQ(store.ints["Macro3"], 8);
  EXPECT_EQ(store.ints["DelaySteps"], 25);  // missing keys are written with their defaults
  EXPECT_EQ(store.texts["S2"], "0.001");
}

TEST(ConfigRun, DialogThatCannotOpenStillSaves) {
  RecordingStore store;
  PendantSettings settings;
  QueueDialogTurns({});
  RunConfigDialog(testing::SameStore(store), settings);
  EXPECT_EQ(store.writes.size(), 34u);
}

TEST(ConfigRun, EditWithoutANumberKeepsTheDialogOpenAndChangesNothing) {
  RecordingStore store;
  store.ints["OEM2"] = 5;
  PendantSettings settings;
  QueueDialogTurns({PressOk([](VirtualDialogSurface& s) {
                      s.SetText(IDC_DELAY_STEPS, "40");
                      s.SetText(IDC_OEM2, "");
                      s.SetText(IDC_MACRO1, "x");  // later in the order: not reported
                    }),
                    [&settings](VirtualDialogSurface& s) {
                      // Still open: nothing was taken yet.
                      EXPECT_EQ(settings.DelaySteps, 25);
                      EXPECT_EQ(s.messages, std::vector<std::string>{"Please enter an integer."});
                      EXPECT_EQ(s.focusedEdit, IDC_OEM2);
                      s.SetText(IDC_OEM2, "7");
                      s.SetText(IDC_MACRO1, "3");
                      return DialogResult::Ok;
                    }});
  RunConfigDialog(testing::SameStore(store), settings);
  EXPECT_EQ(settings.OEM2, 7);
  EXPECT_EQ(settings.DelaySteps, 40);
  EXPECT_EQ(LastDialogSurface().messages.size(), 1u);
}

TEST(ConfigRun, ClearedTextsAreSavedEmptyAndLoadBackAsDefaults) {
  testing::TempDir dir;
  const std::string path = dir.File("profile.xml");
  PendantSettings settings;
  QueueDialogTurns({PressOk([](VirtualDialogSurface& s) {
    s.SetText(IDC_F2_TEXT, "");
    s.SetText(IDC_STEP1, "");
  })});
  RunConfigDialog(XmlProfileAccess(path), settings);
  EXPECT_EQ(settings.F2, "");
  EXPECT_EQ(settings.S1, "");
  QueueDialogTurns({PressEscape()});
  RunConfigDialog(XmlProfileAccess(path), settings);
  EXPECT_EQ(settings.F2, "F2");
  EXPECT_EQ(settings.S1, "0.0001");
}

// The host's window stays usable under the dialog, and the host writes its own profile.
TEST(ConfigRun, WhatTheHostWroteWhileTheDialogWasOpenSurvivesOkAndEscape) {
  const std::string opened =
      "<profile><Host><Units>mm</Units></Host>"
      "<Qorvix_K7R_Pendant><F2>Mist</F2><OEM1>5</OEM1></Qorvix_K7R_Pendant></profile>";
  const std::string rewritten =
      "<profile><Host><Units>inch</Units><Tool>7</Tool></Host>"
      "<Qorvix_K7R_Pendant><F2>Flood</F2><OEM1>6</OEM1></Qorvix_K7R_Pendant></profile>";
  for (DialogResult closing : {DialogResult::Ok, DialogResult::Cancel}) {
    testing::TempDir dir;
    const std::string path = dir.File("profile.xml");
    testing::WriteFile(path, opened);
    PendantSettings settings;
    std::string shownF2;
    QueueDialogTurns({[&](VirtualDialogSurface& s) {
      shownF2 = s.Text(IDC_F2_TEXT);
      testing::WriteFile(path, rewritten);
      return closing;
    }});
    RunConfigDialog(XmlProfileAccess(path), settings);

    EXPECT_EQ(shownF2, "Mist");
    XmlProfile saved(path);
    saved.KeepFileAsItIs();
    EXPECT_EQ(saved.ReadString("Host", "Units", ""), "inch");
    EXPECT_EQ(saved.ReadInt("Host", "Tool", 0), 7);
    // The plug-in's own keys are what the dialog held: its values as opened.
    EXPECT_EQ(saved.ReadString(kSettingsSection, "F2", ""), "Mist");
    EXPECT_EQ(saved.ReadInt(kSettingsSection, "OEM1", 0), 5);
    EXPECT_EQ(saved.ReadString(kSettingsSection, "S1", ""), "0.0001");
  }
}

TEST(ConfigRun, AProfileThatDoesNotParseWhenTheDialogClosesIsNotWritten) {
  testing::TempDir dir;
  const std::string path = dir.File("profile.xml");
  testing::WriteFile(path, "<profile><Host/></profile>");
  const std::string halfWritten = "<profile><Host><Units>in";
  PendantSettings settings;
  QueueDialogTurns({[&](VirtualDialogSurface&) {
    testing::WriteFile(path, halfWritten);
    return DialogResult::Ok;
  }});
  RunConfigDialog(XmlProfileAccess(path), settings);
  EXPECT_EQ(testing::ReadFile(path), halfWritten);
}

TEST(ConfigRun, OpeningTheDialogWritesNothing) {
  testing::TempDir dir;
  const std::string path = dir.File("profile.xml");
  const std::string stored = "<profile><Qorvix_K7R_Pendant><F1/></Qorvix_K7R_Pendant></profile>";
  testing::WriteFile(path, stored);
  PendantSettings settings;
  std::string whileOpen;
  QueueDialogTurns({[&](VirtualDialogSurface&) {
    whileOpen = testing::ReadFile(path);
    return DialogResult::Cancel;
  }});
  RunConfigDialog(XmlProfileAccess(path), settings);
  EXPECT_EQ(whileOpen, stored);
}

}  // namespace
}  // namespace pendant
