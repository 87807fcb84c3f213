// Double-press actions, function keys, the offline screen key and wheel adjustments, with host
// Update calls and poll cycles interleaved as the host runs them.
#include <string>

#include "settings/selection_tables.h"
#include "tests/scenario/jog_fixture.h"

namespace pendant::testing {
namespace {

using Lines = std::vector<std::string>;

class KeyActionTest : public JogFixture {
 protected:
  // Starts with the selectors already set, so no mode change is announced.
  void StartAt(int axisSelector, int modeSelector) {
    session_.pendant.axisSelector = axisSelector;
    session_.pendant.modeSelector = modeSelector;
    session_.pendant.Send();
    Start();
  }

  // Holds the key for `updates` host Update calls, then releases it and waits `gap` more.
  void Press(int updates, int gap = 2) {
    SetKey(true);
    session_.Update(updates);
    SetKey(false);
    session_.Update(gap);
  }

  // Moves the axis selector to position, lets the last press time out, then double-presses;
  // returns the effects of the presses.
  Lines DoublePressAt(int position) {
    session_.pendant.axisSelector = position;
    session_.pendant.Send();
    session_.Tick(1);
    session_.Update(6);
    Effects();
    Press(2);
    Press(2);
    return Effects();
  }

  void SetKey(bool down) {
    session_.pendant.keyDown = down;
    session_.pendant.Send();
    session_.Tick(1);
  }
};

TEST_F(KeyActionTest, DoublePressZeroesTheSelectedAxisOnTheSecondRelease) {
  StartAt(2, 5);
  Press(2);
  EXPECT_TRUE(Effects().empty());
  SetKey(true);
  session_.Update(2);
  EXPECT_TRUE(Effects().empty());
  SetKey(false);
  EXPECT_EQ(Effects(), (Lines{"button 1009"}));
  session_.Update(2);
  Press(2);  // each further quick press repeats it
  EXPECT_EQ(Effects(), (Lines{"button 1009"}));
}

TEST_F(KeyActionTest, PressesTooSlowOrTooLongDoNothing) {
  StartAt(1, 5);
  Press(2, 6);  // the second press starts too late
  Press(2, 6);
  Press(6);  // the first of these lasts too long
  Press(2);
  EXPECT_TRUE(Effects().empty());
}

// A press is quick while it lasts fewer than 5 Update calls, and the second follows in time
// when it starts fewer than 5 after the first ended: 4 is the longest that still counts.
TEST_F(KeyActionTest, DoublePressLimitsInUpdateCalls) {
  struct Case {
    int first;
    int gap;
    int second;
    bool acts;
  };
  const Case cases[] = {{4, 4, 4, true}, {5, 1, 1, false}, {1, 5, 1, false}, {1, 1, 5, false}};
  StartAt(2, 5);
  for (const Case& c : cases) {
    session_.Update(10);
    Press(c.first, c.gap);
    Press(c.second, 0);
    EXPECT_EQ(Effects(), c.acts ? Lines{"button 1009"} : Lines{})
        << c.first << ", gap " << c.gap << ", " << c.second;
  }
}

// Each row of the function list, on each of F1..F4 in turn, does what its row code says.
TEST_F(KeyActionTest, EveryFunctionRowOnEveryButton) {
  session_.SetProfileKey("OEM1", "901");
  session_.SetProfileKey("OEM2", "902");
  session_.SetProfileKey("OEM3", "903");
  session_.SetProfileKey("OEM4", "904");
  for (const char* key : {"Macro1", "Macro2", "Macro3", "Macro4"}) {
    session_.SetProfileKey(key, std::string(1, key[5]));
  }
  const int buttonPosition[] = {1, 2, 3, 7};
  StartAt(1, 6);
  for (int row = 0; row < static_cast<int>(FunctionList.size()); ++row) {
    const int button = row % 4;
    Plugin().settings.BUTTON[button] = static_cast<int16_t>(row);
    const Lines effects = DoublePressAt(buttonPosition[button]);
    const int code = RowCode(FunctionList[static_cast<size_t>(row)]);
    Lines expected;
    if (code < 800 || code > 899) {
      expected = {"button " + std::to_string(code)};
    } else if (code >= 813 && code <= 816) {
      const std::string k = std::to_string(code - 812);
      expected = {"button 90" + k, "message OEM Function #" + k + " executed."};
    } else if (code >= 817 && code <= 820) {
      const std::string k = std::to_string(code - 816);
      expected = {"code M" + k, "message Custom Macro #" + k + " executed."};
    }
    EXPECT_EQ(effects, expected) << "row " << row << " on F" << button + 1;
  }
}

TEST_F(KeyActionTest, ProgramAndSpindleActions) {
  struct Case {
    int axisSelector;
    std::vector<int> leds;
    Lines expected;
  };
  const Case cases[] = {
      {4, {}, {"button 1000"}},
      {4, {804}, {"button 1001"}},
      {5, {}, {"button 1002", "button 1003"}},
      {5, {804}, {"button 1003", "button 1003"}},
      {5, {805}, {"button 1003", "button 1003"}},
      {6, {}, {"button 110"}},
  };
  StartAt(1, 1);
  for (const Case& c : cases) {
    bench::BenchSession& session = session_;
    session.host.ledsOn.clear();
    session.host.ledsOn.insert(83);
    for (int led : c.leds) session.host.ledsOn.insert(led);
    session.pendant.axisSelector = c.axisSelector;
    session.pendant.Send();
    session.Tick(1);
    session.Update(6);
    Effects();
    Press(2);
    Press(2);
    EXPECT_EQ(EffectsOf("button"), c.expected) << "axis selector " << c.axisSelector;
  }
}

TEST_F(KeyActionTest, FunctionKeysActOnTheirRowCode) {
  session_.SetProfileKey("BUTTON0", "6");   // Custom Macro #1
  session_.SetProfileKey("BUTTON1", "4");   // OEM Button #3
  session_.SetProfileKey("BUTTON2", "65");  // Goto Safe Z
  session_.SetProfileKey("BUTTON3", "1");   // a separator
  session_.SetProfileKey("Macro1", "7");
  session_.SetProfileKey("OEM3", "1234");
  struct Case {
    int axisSelector;
    Lines expected;
  };
  const Case cases[] = {
      {1, {"code M7", "message Custom Macro #1 executed."}},
      {2, {"button 1234", "message OEM Function #3 executed."}},
      {3, {"button 104"}},
      {7, {}},
  };
  StartAt(1, 6);
  for (const Case& c : cases) {
    Lines effects = DoublePressAt(c.axisSelector);
    std::erase(effects, "code ENDJOG");
    EXPECT_EQ(effects, c.expected) << "axis selector " << c.axisSelector;
  }
}

TEST_F(KeyActionTest, FunctionKeyOnARowOutsideTheListDoesNothing) {
  session_.SetProfileKey("BUTTON0", "66");
  StartAt(1, 6);
  Press(2);
  Press(2);
  EXPECT_TRUE(Effects().empty());
}

TEST_F(KeyActionTest, OfflineSuspendsKeyActions) {
  StartAt(1, 5);
  session_.pendant.offline = true;
  Press(2);
  Press(2);
  // Offline the key is the screen key: two taps, no zeroing.
  EXPECT_EQ(EffectsOf("button"), (Lines{"button 323", "button 323"}));
}

class ScreenKeyTest : public KeyActionTest {
 protected:
  void StartOffline() {
    session_.pendant.offline = true;
    StartAt(1, 2);  // velocity jog: the key does not change the mode
  }
};

TEST_F(ScreenKeyTest, TapTogglesTheTabDisplay) {
  StartOffline();
  Press(2);
  EXPECT_EQ(Effects(), (Lines{"button 323"}));
}

TEST_F(ScreenKeyTest, LongerPressesCycleTheConfiguredScreens) {
  session_.SetProfileKey("ScreenSel1", "1");
  session_.SetProfileKey("ScreenSel2", "0");
  session_.SetProfileKey("ScreenSel3", "4");
  StartOffline();
  EXPECT_EQ(Decoded().CurrentScreenCode, 1);
  for (const char* expected : {"button 7", "button 1", "button 7"}) {
    Press(5);
    EXPECT_EQ(Effects(), (Lines{expected}));
  }
  EXPECT_EQ(Decoded().CurrentScreenCode, 7);
  Press(5);  // from the third slot the next press wraps round to the first
  EXPECT_EQ(Effects(), (Lines{"button 1"}));
}

TEST_F(ScreenKeyTest, HoldingTwentyUpdatesOrNoScreensConfiguredDoesNothing) {
  session_.SetProfileKey("ScreenSel1", "0");
  session_.SetProfileKey("ScreenSel2", "0");
  session_.SetProfileKey("ScreenSel3", "0");
  StartOffline();
  Press(20);
  Press(5);
  EXPECT_TRUE(Effects().empty());
  EXPECT_EQ(Decoded().CurrentScreenCode, 1);
}

// Shorter than 3 Update calls is a tap; from 3 up to 19 the press steps to the next screen;
// from 20 it does nothing.
TEST_F(ScreenKeyTest, TapAndHoldLimitsInUpdateCalls) {
  StartOffline();  // the default screens 1, 2 and 3, slot 1 in use
  struct Case {
    int updates;
    Lines expected;
  };
  const Case cases[] = {
      {2, {"button 323"}}, {3, {"button 2"}}, {19, {"button 3"}}, {20, {}}, {3, {"button 1"}}};
  for (const Case& c : cases) {
    Press(c.updates);
    EXPECT_EQ(Effects(), c.expected) << c.updates << " Update calls";
  }
}

TEST_F(ScreenKeyTest, ScreenRowOutsideTheListKeepsItsCode) {
  session_.SetProfileKey("ScreenSel2", "9");
  StartOffline();
  Press(5);
  EXPECT_EQ(Effects(), (Lines{"button 1"}));  // slot 2 keeps its initial code
}

class AdjustTest : public KeyActionTest {
 protected:
  void Turn(int counts) {
    session_.pendant.TurnWheel(counts);
    session_.Tick(1);
  }
};

TEST_F(AdjustTest, FeedOverrideFollowsTheWheel) {
  session_.host.dros[821] = 100.0;
  StartAt(1, 4);
  Turn(10);
  EXPECT_EQ(Effects(), (Lines{"setdro 821 105"}));
  session_.host.dros[821] = 100.0;
  Turn(-10);
  EXPECT_EQ(Effects(), (Lines{"setdro 821 95"}));
}

TEST_F(AdjustTest, KeyHeldSwitchesToSpindleOverrideAndContinuousSpeed) {
  session_.host.dros[74] = 300.0;
  session_.host.dros[3] = 99.0;
  StartAt(1, 4);
  session_.pendant.keyDown = true;
  Turn(1);
  Effects();
  Turn(1);  // above the limit: nothing written
  Turn(-1);
  EXPECT_EQ(EffectsOf("setdro"), (Lines{"setdro 74 298.5"}));
  SetMode(3);
  session_.Tick(1);
  Turn(10);
  EXPECT_EQ(EffectsOf("setdro"), (Lines{"setdro 3 100"}));
}

// The overrides stop at 250 and 1 percent, the continuous-jog speed at 100 and 0.1: a value
// that would pass a limit is written as the limit, one already at the upper limit is not
// written going up.
TEST_F(AdjustTest, HostValuesStopExactlyAtTheirLimits) {
  struct Case {
    int modeSelector;
    bool key;
    int dro;
    double value;
    int counts;
    Lines expected;
  };
  const Case cases[] = {
      {4, false, 821, 249.0, 10, {"setdro 821 250"}},
      {4, false, 821, 250.0, 1, {}},
      {4, false, 821, 1.0, -1, {"setdro 821 1"}},
      {4, true, 74, 249.0, 10, {"setdro 74 250"}},
      {4, true, 74, 250.0, 1, {}},
      {4, true, 74, 1.0, -1, {"setdro 74 1"}},
      {3, true, 3, 99.9, 1, {"setdro 3 100"}},
      {3, true, 3, 100.0, 1, {}},
      {3, true, 3, 0.1, -1, {"setdro 3 0.10000000000000001"}},
  };
  StartAt(1, 4);
  for (const Case& c : cases) {
    session_.pendant.modeSelector = c.modeSelector;
    session_.pendant.keyDown = c.key;
    session_.pendant.Send();
    session_.Tick(1);
    Effects();
    session_.host.dros[c.dro] = c.value;
    Turn(c.counts);
    EXPECT_EQ(Effects(), c.expected) << "DRO " << c.dro << " at " << c.value;
  }
}

TEST_F(AdjustTest, StepSpeedStopsAtAHundredAndOnePercent) {
  StartAt(1, 1);
  SetKey(true);  // a short press then a held one: step speed
  SetKey(false);
  SetKey(true);
  ASSERT_EQ(Decoded().JogMode, 10);
  Turn(127);
  Turn(127);  // 50 % grows past 100 %
  EXPECT_DOUBLE_EQ(Decoded().StepJogPercent, 100.0);
  for (int turn = 0; turn < 5; ++turn) Turn(-127);  // and shrinks below 1 %
  EXPECT_DOUBLE_EQ(Decoded().StepJogPercent, 1.0);
  Effects();
}

TEST_F(AdjustTest, ReversedAxisTurnsTheHostValuesButNotTheStepSpeed) {
  session_.SetProfileKey("Xreverse", "1");
  session_.host.dros[821] = 100.0;
  StartAt(1, 4);
  Turn(10);
  EXPECT_EQ(Effects(), (Lines{"setdro 821 95"}));

  SetMode(1);  // a short press then a held one: step speed
  session_.Tick(1);
  SetKey(true);
  SetKey(false);
  SetKey(true);
  ASSERT_EQ(Decoded().JogMode, 10);
  Turn(10);
  EXPECT_DOUBLE_EQ(Decoded().StepJogPercent, 52.5);
  ExpectOnlyEffect("button 334", 4);  // every mode the key passed through is announced for X
}

TEST_F(AdjustTest, StepSizeMovesOneSlotPerTurnSkippingZeroSlots) {
  session_.SetProfileKey("S2", "0");
  StartAt(1, 1);
  session_.Tick(15);  // a press this early would count as the second of a double press
  SetKey(true);
  session_.Tick(13);
  ASSERT_EQ(Decoded().JogMode, 11);
  Effects();

  Turn(3);
  EXPECT_EQ(Effects(), (Lines{"setdro 828 0.0099999997764825821"}));
  Turn(3);
  Turn(3);
  EXPECT_TRUE(Effects().empty());
  SetRate(0);
  session_.Tick(1);
  Turn(3);
  EXPECT_EQ(Effects(), (Lines{"setdro 828 9.9999997473787516e-05"}));
  SetRate(0);  // from the first slot the next turn skips the zero slot again
  session_.Tick(1);
  Turn(3);
  EXPECT_EQ(Effects(), (Lines{"setdro 828 0.0099999997764825821"}));
}

}  // namespace
}  // namespace pendant::testing
