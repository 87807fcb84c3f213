// The real settings dialog under a substitute host: Config blocks the host's thread in the
// dialog's modal loop while a second thread reads the controls, edits them the way a user
// would, presses OK or Escape and answers the message box. What that thread saw is checked
// here once Config has returned, and so is the profile file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "settings/selection_tables.h"
#include "tests/support/settings_traffic.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/substitute_host.h"
#include "tests/win32/test_files.h"

namespace pendant::test {
namespace {

using pendant::testing::RecordedSettingsTraffic;
using pendant::testing::SavedKeys;

using Drive = std::function<void(HWND dialog, HostThreadWatch& watch)>;
using ProfileValues = std::vector<std::pair<std::string, std::string>>;

constexpr int kMessageTextId = 0xFFFF;  // the text of a message box
constexpr const char* kHostSection = "<HostSection><Units>mm</Units></HostSection>";

// Every key as a configuration run saves it when the profile held none of them.
ProfileValues SavedDefaults() {
  return SavedKeys(RecordedSettingsTraffic(PENDANT_SETTINGS_TRAFFIC_FILE));
}

void PressOk(HWND dialog) {
  // Posted: OK may open a message box, which would hold up a sent click.
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

void Click(HWND dialog, int id) {
  SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

void Type(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Select(HWND dialog, int id, int row) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

class SettingsDialog : public SubstituteHost {
 protected:
  // A profile with these elements in the plug-in's section, beside a section of the host's.
  void WriteProfile(const std::string& pendantSection) {
    WriteBytes(profilePath_, "<profile><Qorvix_K7R_Pendant>" + pendantSection +
                                 "</Qorvix_K7R_Pendant>" + kHostSection + "</profile>");
  }

  void Start(const std::string& pendantSection) {
    WriteProfile(pendantSection);
    pendant_ = StartPlugin();
    ASSERT_NE(pendant_, nullptr);
  }

  void ConfigDrivenBy(const Drive& drive, LARGE_INTEGER* returnedAt = nullptr) {
    HostThreadWatch watch(pendant_);
    EXPECT_TRUE(RunConfigDriven(
        plugin_, watch, [&](HWND dialog) { drive(dialog, watch); }, returnedAt))
        << "Config opened no dialog";
  }

  // The profile holds every key: these values, and the saved defaults for the rest.
  void ExpectProfile(const ProfileValues& changed) {
    const std::string saved = ReadBytes(profilePath_);
    const ProfileValues defaults = SavedDefaults();
    ASSERT_FALSE(defaults.empty()) << PENDANT_SETTINGS_TRAFFIC_FILE;
    for (auto [key, value] : defaults) {
      for (const auto& [changedKey, changedValue] : changed) {
        if (changedKey == key) value = changedValue;
      }
      EXPECT_EQ(ElementText(saved, key), value) << key << " in " << saved;
    }
    EXPECT_NE(CompactXml(profilePath_).find(kHostSection), std::string::npos) << saved;
  }

  HWND pendant_ = nullptr;
};

TEST_F(SettingsDialog, ShowsTheProfileAndOkSavesWhatTheUserChanged) {
  Start(
      "<BUTTON0>65</BUTTON0><BUTTON3>80</BUTTON3><OEM2>-3</OEM2><F2>Coolant</F2>"
      "<Xreverse>1</Xreverse><StepSize1>9</StepSize1><ScreenSel2>4</ScreenSel2>"
      "<VelocityInAuto>9</VelocityInAuto><DelaySteps>40</DelaySteps>");

  std::string caption;
  HWND owner = nullptr;
  LONG style = 0;
  LONG extendedStyle = 0;
  DialogState opened;
  bool ticked = false;
  DialogState edited;
  bool closed = false;
  ConfigDrivenBy([&](HWND dialog, HostThreadWatch& watch) {
    if (!watch.WaitForMessageLoop(dialog, kPatienceMs)) return;
    caption = WindowText(dialog);
    owner = GetWindow(dialog, GW_OWNER);
    style = GetWindowLongA(dialog, GWL_STYLE);
    extendedStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
    opened = ReadDialog(dialog, watch);
    // The pendant's poll timer keeps running under the dialog's modal loop.
    ticked = watch.WaitForTicksAbove(watch.Ticks(), kPatienceMs);

    Type(dialog, 4171, "70000");
    Type(dialog, 4181, "12abc");
    Type(dialog, 4184, "Spindle warm-up 20ch");
    Click(dialog, 4188);
    Click(dialog, 4194);
    Click(dialog, 4172);
    Select(dialog, 4029, 3);
    Select(dialog, 4024, 0);
    Select(dialog, 4023, 0);
    edited = ReadDialog(dialog, watch);
    PressOk(dialog);
    closed = watch.WaitForClosed(dialog, kPatienceMs);
  });

  EXPECT_EQ(caption, "01");
  EXPECT_EQ(owner, nullptr);
  EXPECT_NE(extendedStyle & WS_EX_TOPMOST, 0);
  EXPECT_EQ(style & WS_SYSMENU, 0);
  EXPECT_NE(style & WS_CAPTION, 0);
  EXPECT_TRUE(opened.open);
  EXPECT_EQ(opened.focusedId, IDOK);
  const struct {
    int id;
    const char* text;
  } edits[] = {
      {4174, "40"}, {4171, "0"},      {4175, "-3"},      {4178, "0"},
      {4179, "0"},  {4180, "0"},      {4181, "0"},       {4182, "0"},
      {4183, "0"},  {4184, "F1"},     {4185, "Coolant"}, {4186, "F3"},
      {4187, "F4"}, {4189, "0.0001"}, {4190, "0.001"},   {4191, "0.01"},
  };
  for (const auto& edit : edits) EXPECT_EQ(opened.controls[edit.id].text, edit.text) << edit.id;
  const struct {
    int id;
    bool opened;
    bool clicked;  // after the user's clicks: check boxes toggle by themselves
  } checks[] = {{4172, false, true},
                {4173, false, false},
                {4188, true, false},
                {4193, false, false},
                {4194, false, true}};
  for (const auto& check : checks) {
    EXPECT_EQ(opened.controls[check.id].checked, check.opened) << check.id;
    EXPECT_EQ(edited.controls[check.id].checked, check.clicked) << check.id;
  }
  const struct {
    int id;
    const SelectionTable* table;
    size_t rows;
    int selected;
    const char* shown;  // the selected row's label in the list's edit field
  } lists[] = {
      {4022, &VelocitySensitivityList, 10, 9, "10"},
      {4021, &SlowDownRateList, 3, 1, "3"},
      {4023, &DecimalDigitsList, 3, 2, "4"},
      {4024, &ScreenList, 7, 1, " Screen 1 (Program Run screen)"},
      {4025, &ScreenList, 7, 4, " screen 5 (Offsets screen)"},
      {4026, &ScreenList, 7, 3, " screen 4 (Toolpath screen)"},
      {4027, &FunctionList, 66, 65, " Goto Safe Z"},
      {4028, &FunctionList, 66, 0, " NONE"},
      {4029, &FunctionList, 66, 0, " NONE"},
      {4030, &FunctionList, 66, CB_ERR, ""},  // 80 is outside the list
  };
  for (const auto& list : lists) {
    std::vector<std::string> labels;
    for (const char* row : *list.table) labels.emplace_back(RowLabel(row));
    const ControlState& shown = opened.controls[list.id];
    EXPECT_EQ(shown.rows.size(), list.rows) << list.id;
    EXPECT_EQ(shown.rows, labels) << list.id;
    EXPECT_EQ(shown.selected, list.selected) << list.id;
    EXPECT_EQ(shown.text, list.shown) << list.id;
  }
  EXPECT_TRUE(ticked) << "no timer tick reached the pendant window while the dialog was open";
  EXPECT_TRUE(closed) << "OK left the dialog open";

  ExpectProfile({{"BUTTON0", "65"},
                 {"BUTTON2", "3"},
                 {"BUTTON3", "-1"},
                 {"Macro2", "12"},
                 {"OEM1", "4464"},
                 {"OEM2", "-3"},
                 {"StepSize1", "9"},
                 {"ScreenSel1", "0"},
                 {"ScreenSel2", "4"},
                 {"Xreverse", "0"},
                 {"Zreverse", "1"},
                 {"DelaySteps", "40"},
                 {"DisplyRPM", "1"},
                 {"F1", "Spindle warm-up 20ch"},
                 {"F2", "Coolant"},
                 {"VelocityInAuto", "9"},
                 {"Decidigit", "0"}});
}

TEST_F(SettingsDialog, AnEditWithoutANumberKeepsTheDialogOpenWithThatEditSelected) {
  Start("");

  // OK reports the first edit without a number, then the next once that one is fixed.
  const struct {
    int edit;
    DWORD textLength;
    const char* fix;
  } refusals[] = {{4175, 0, "5"}, {4182, 3, "8"}};
  struct Refusal {
    std::string message;
    DialogState after;  // once the message box has been answered
    DWORD selectionStart = 1;
    DWORD selectionEnd = 0;
  };
  std::vector<Refusal> seen;
  bool closed = false;
  ConfigDrivenBy([&](HWND dialog, HostThreadWatch& watch) {
    Type(dialog, 4180, "7");
    Type(dialog, 4175, "");
    Type(dialog, 4182, "abc");
    for (const auto& refused : refusals) {
      PressOk(dialog);
      HWND message = watch.WaitForDialog(dialog, kPatienceMs);
      if (!message) return;
      Refusal& refusal = seen.emplace_back();
      refusal.message = ItemText(message, kMessageTextId);
      PostMessageA(message, WM_COMMAND, IDOK, 0);
      if (!watch.WaitForClosed(message, kPatienceMs)) return;
      if (!watch.WaitForMessageLoop(dialog, kPatienceMs)) return;
      refusal.after = ReadDialog(dialog, watch);
      SendMessageA(FocusedWindow(watch), EM_GETSEL,
                   reinterpret_cast<WPARAM>(&refusal.selectionStart),
                   reinterpret_cast<LPARAM>(&refusal.selectionEnd));
      Type(dialog, refused.edit, refused.fix);
    }
    PressOk(dialog);
    closed = watch.WaitForClosed(dialog, kPatienceMs);
  });

  ASSERT_EQ(seen.size(), std::size(refusals)) << "a message box did not open or close";
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].message, "Please enter an integer.");
    EXPECT_TRUE(seen[i].after.open);
    EXPECT_EQ(seen[i].after.focusedId, refusals[i].edit);
    EXPECT_EQ(seen[i].selectionStart, 0u) << refusals[i].edit;
    EXPECT_EQ(seen[i].selectionEnd, refusals[i].textLength) << refusals[i].edit;
  }
  EXPECT_TRUE(closed) << "OK left the dialog open";
  ExpectProfile({{"OEM2", "5"}, {"Macro1", "7"}, {"Macro3", "8"}});
}

TEST_F(SettingsDialog, EscapeSavesTheSettingsReloadedFromTheProfile) {
  Start("<F2>Coolant</F2><OEM2>-3</OEM2>");
  // Changed behind the running plug-in: the dialog takes the file, not what start-up loaded.
  WriteProfile("<F2>Mist</F2><BUTTON0>21</BUTTON0>");

  DialogState opened;
  int escapedFrom = 0;
  bool closed = false;
  ConfigDrivenBy([&](HWND dialog, HostThreadWatch& watch) {
    opened = ReadDialog(dialog, watch);
    Click(dialog, 4193);
    Select(dialog, 4027, 5);
    // The user clicks into F2's description, types and presses Escape there.
    HWND description = GetDlgItem(dialog, 4185);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(description), TRUE);
    Type(dialog, 4185, "Changed");
    HWND focused = FocusedWindow(watch);
    escapedFrom = GetDlgCtrlID(focused);
    PostMessageA(focused, WM_KEYDOWN, VK_ESCAPE, 1);
    closed = watch.WaitForClosed(dialog, kPatienceMs);
  });

  EXPECT_EQ(opened.controls[4185].text, "Mist");
  EXPECT_EQ(opened.controls[4175].text, "0");
  EXPECT_EQ(opened.controls[4027].selected, 21);
  EXPECT_EQ(escapedFrom, 4185);
  EXPECT_TRUE(closed) << "Escape left the dialog open";
  ExpectProfile({{"F2", "Mist"}, {"BUTTON0", "21"}});
}

// Work the host's own thread does from inside whatever message loop it runs (the dialog's),
// as a host does when its window gets a click while the dialog is open.
constexpr UINT kRunOnHost = WM_APP + 7;
std::function<void()> hostWork;

LRESULT CALLBACK HostWithWork(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunOnHost && hostWork) {
    hostWork();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

BOOL CALLBACK CountSettingsDialog(HWND window, LPARAM counter) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && WindowText(window) == "01") {
    ++*reinterpret_cast<int*>(counter);
  }
  return TRUE;
}

// The settings dialogs of this process on the screen.
int OpenDialogs() {
  int count = 0;
  EnumWindows(CountSettingsDialog, reinterpret_cast<LPARAM>(&count));
  return count;
}

class GuardedDialog : public SettingsDialog {
 protected:
  void SetUp() override {
    SettingsDialog::SetUp();
    SetWindowLongPtrA(host_.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostWithWork));
  }
  void TearDown() override {
    hostWork = nullptr;
    SettingsDialog::TearDown();
  }
  // Runs work on the host's thread and waits until it has returned.
  void OnHostThread(std::function<void()> work) {
    hostWork = std::move(work);
    SendMessageA(host_.Handle(), kRunOnHost, 0, 0);
  }
};

TEST_F(GuardedDialog, ASecondConfigBringsTheOpenDialogForwardAndSavesNothing) {
  Start("<F2>Mist</F2>");
  int dialogs = 0;
  bool secondReturned = false;
  std::string before, during;
  RECT frame{};
  RECT area{};
  ConfigDrivenBy([&](HWND dialog, HostThreadWatch& watch) {
    if (!watch.WaitForMessageLoop(dialog, kPatienceMs)) return;
    GetWindowRect(dialog, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    before = ReadBytes(profilePath_);
    OnHostThread([&] {
      plugin_.Config();
      secondReturned = true;
    });
    dialogs = OpenDialogs();
    during = ReadBytes(profilePath_);
    Type(dialog, 4185, "Flood");
    PressOk(dialog);
    watch.WaitForClosed(dialog, kPatienceMs);
  });

  EXPECT_TRUE(secondReturned);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(during, before) << "the second Config saved while the first dialog was open";
  ExpectProfile({{"F2", "Flood"}});
  // Centred on the work area, within a pixel of rounding.
  EXPECT_NEAR((frame.left + frame.right) / 2, (area.left + area.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (area.top + area.bottom) / 2, 1);
}

TEST_F(GuardedDialog, StopPlugWhileTheDialogIsOpenClosesItAndReturns) {
  Start("<F2>Mist</F2>");
  bool stopped = false;
  bool closed = false;
  ConfigDrivenBy([&](HWND dialog, HostThreadWatch& watch) {
    if (!watch.WaitForMessageLoop(dialog, kPatienceMs)) return;
    OnHostThread([&] {
      plugin_.StopPlug();
      stopped = true;
    });
    closed = watch.WaitForClosed(dialog, kPatienceMs);
  });

  EXPECT_TRUE(stopped);
  EXPECT_TRUE(closed) << "StopPlug left the dialog open";
  EXPECT_FALSE(IsWindow(pendant_)) << "the pendant window outlived StopPlug";
  ExpectProfile({{"F2", "Mist"}});
}

// The dialog has no owner, so the host stays usable under it and writes its own profile.
TEST_F(SettingsDialog, WhatTheHostWroteWhileTheDialogWasOpenSurvivesOkAndEscape) {
  for (bool ok : {true, false}) {
    Start("<F2>Mist</F2>");
    ConfigDrivenBy([&](HWND dialog, HostThreadWatch& watch) {
      if (!watch.WaitForMessageLoop(dialog, kPatienceMs)) return;
      WriteBytes(profilePath_,
                 "<profile><Qorvix_K7R_Pendant><F2>Mist</F2></Qorvix_K7R_Pendant>"
                 "<HostSection><Units>inch</Units><Tool>7</Tool></HostSection></profile>");
      if (ok) {
        PressOk(dialog);
      } else {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      }
      watch.WaitForClosed(dialog, kPatienceMs);
    });
    const std::string saved = ReadBytes(profilePath_);
    EXPECT_EQ(ElementText(saved, "Units"), "inch") << (ok ? "OK: " : "Escape: ") << saved;
    EXPECT_EQ(ElementText(saved, "Tool"), "7") << saved;
    EXPECT_EQ(ElementText(saved, "F2"), "Mist") << saved;
    EXPECT_EQ(ElementText(saved, "DelaySteps"), "25") << saved;
    plugin_.StopPlug();
  }
}

// The host keeps its profile read-only: nothing is written. The time from OK to Config's
// return is printed, not asserted: under Wine it is 16 ms in one run and 2 s in the next for a
// writable profile as well (the dialog's close); substitute_host_test bounds the profile's own
// cost on a read-only file.
TEST_F(SettingsDialog, AReadOnlyProfileIsNotWrittenAndConfigReturnsAtOnce) {
  Start("<F2>Mist</F2>");
  auto okToReturnMs = [&] {
    LARGE_INTEGER frequency, pressed{}, returned;
    QueryPerformanceFrequency(&frequency);
    ConfigDrivenBy(
        [&](HWND dialog, HostThreadWatch& watch) {
          if (!watch.WaitForMessageLoop(dialog, kPatienceMs)) return;
          Type(dialog, 4185, "Flood");
          QueryPerformanceCounter(&pressed);
          PostMessageA(dialog, WM_COMMAND, IDOK, 0);
          watch.WaitForClosed(dialog, kPatienceMs);
        },
        &returned);
    return 1000.0 * static_cast<double>(returned.QuadPart - pressed.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };
  const double writableMs = okToReturnMs();
  WriteProfile("<F2>Mist</F2>");
  const std::string stored = ReadBytes(profilePath_);
  ASSERT_TRUE(SetFileAttributesA(profilePath_.c_str(), FILE_ATTRIBUTE_READONLY));
  const double readOnlyMs = okToReturnMs();
  std::printf("Config from OK to return: writable profile %.1f ms, read-only profile %.1f ms\n",
              writableMs, readOnlyMs);
  SetFileAttributesA(profilePath_.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(profilePath_), stored);
}

// The host's file dialogs move the current directory after it named the profile.
TEST_F(SettingsDialog, ARelativeProfileNameStaysTheFileNamedAtSetProName) {
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof before, before);
  const std::string first = TempPath("first");
  const std::string elsewhere = TempPath("elsewhere");
  CreateDirectoryA(first.c_str(), nullptr);
  CreateDirectoryA(elsewhere.c_str(), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(first.c_str()));
  HandOverCallbacks();
  plugin_.SetProName(HostString{"rel.xml"});
  pendant_ = InitControl();
  ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.c_str()));
  ConfigDrivenBy([&](HWND dialog, HostThreadWatch& watch) {
    if (!watch.WaitForMessageLoop(dialog, kPatienceMs)) return;
    PressOk(dialog);
    watch.WaitForClosed(dialog, kPatienceMs);
  });
  SetCurrentDirectoryA(before);

  EXPECT_EQ(ElementText(ReadBytes(first + "\\rel.xml"), "DelaySteps"), "25");
  EXPECT_FALSE(FileExists(elsewhere + "\\rel.xml"));
  RemoveFile(first + "\\rel.xml");
  RemoveFile(elsewhere + "\\rel.xml");
  RemoveDirectoryA(first.c_str());
  RemoveDirectoryA(elsewhere.c_str());
}

}  // namespace
}  // namespace pendant::test
