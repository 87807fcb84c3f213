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
  RunConfigDialog(store, settings);

  const VirtualDialogSurface& shown = LastDialogSurface();
  for (int list : {IDC_FUNCTION1, IDC_FUNCTION2, IDC_FUNCTION3, IDC_FUNCTION4})
    EXPECT_EQ(shown.rows.at(list).size(), 66u);
  EXPECT_EQ(shown.rows.at(IDC_FUNCTION1)[0], " NONE");
  EXPECT_EQ(shown.rows.at(IDC_VELOCITY_SENSITIVITY).back(), "10");
  EXPECT_EQ(shown.rows.at(IDC_DECIMAL_DIGITS), (std::vector<std::string>{"2", "3", "4"}));
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
    s.SetText(IDC_MACRO3, "99");
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
      s.SetText(IDC_F2_TEXT, "");
      s.SetText(IDC_STEP1, "");
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
