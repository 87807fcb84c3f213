#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "input/jog_mode.h"
#include "input/key_timing.h"
#include "input/wheel_count.h"
#include "settings/selection_tables.h"

namespace pendant {
namespace {

TEST(WheelDelta, WrapsTheShortWayAndIgnoresHalfTurnJumps) {
  struct Case {
    int last;
    int counter;
    int steps;
    int direction;
  };
  const Case cases[] = {
      {10, 10, 0, kNoDirection},
      {10, 13, 3, 0},
      {13, 10, 3, 1},
      {250, 3, 9, 0},
      {3, 250, 9, 1},
      {0, 127, 127, 0},
      {127, 0, 127, 1},
      {255, 0, 1, 0},
      {0, 255, 1, 1},
      {0, 128, 0, kNoDirection},
      {128, 0, 0, kNoDirection},
      {0, 129, 127, 1},
      {129, 0, 127, 0},
  };
  for (const Case& c : cases) {
    const WheelCount count = ClassifyWheelDelta(c.counter - c.last);
    EXPECT_EQ(count.steps, c.steps) << c.last << " -> " << c.counter;
    EXPECT_EQ(count.direction, c.direction) << c.last << " -> " << c.counter;
  }
}

struct ModeCase {
  bool extended;
  int axis;
  int mode;
  bool key;
  bool longPress;
  bool doublePress;
  bool caMode;
  int expectedMode;
  int expectedAxis;  // -1: keeps the previous axis
};

TEST(SelectJogMode, ExtendedLayout) {
  const ModeCase cases[] = {
      {true, 4, 1, false, false, false, false, ModeProgramStart, -1},
      {true, 5, 2, false, false, false, false, ModeProgramStop, -1},
      {true, 6, 3, false, false, false, true, ModeSpindle, -1},  // CAmode only on compact
      {true, 7, 1, false, false, false, false, ModeStepJog, 3},
      {true, 1, 1, true, false, false, false, ModeStepJog, 0},  // key down, not yet long
      {true, 2, 1, true, true, false, false, ModeStepSize, 1},
      {true, 3, 1, true, false, true, false, ModeStepSpeed, 2},
      {true, 1, 2, true, false, false, false, ModeVelocityJog, 0},
      {true, 1, 3, false, false, false, false, ModeContinuousJog, 0},
      {true, 1, 3, true, false, false, false, ModeContinuousSpeed, 0},
      {true, 1, 4, false, false, false, false, ModeFeedOverride, 0},
      {true, 1, 4, true, false, false, false, ModeSpindleOverride, 0},
      {true, 1, 5, false, false, false, false, ModeZeroAxis, 0},
      {true, 1, 6, false, false, false, false, ModeFunctionKeys, 0},
      {true, 1, 0, false, false, false, false, ModeIdle, 0},
      {true, 1, 9, false, false, false, false, ModeIdle, 0},
      {true, 0, 2, false, false, false, false, ModeVelocityJog, -1},
      {true, 15, 2, false, false, false, false, ModeVelocityJog, -1},
  };
  for (const ModeCase& c : cases) {
    const SelectorState state{c.extended,  c.axis,        c.mode,  c.key,
                              c.longPress, c.doublePress, c.caMode};
    EXPECT_EQ(SelectJogMode(state), c.expectedMode) << "axis " << c.axis << " mode " << c.mode;
    EXPECT_EQ(SelectedAxis(state), c.expectedAxis) << "axis " << c.axis << " mode " << c.mode;
  }
}

TEST(SelectJogMode, CompactLayout) {
  const ModeCase cases[] = {
      {false, 4, 1, false, false, false, false, ModeProgramStart, -1},
      {false, 5, 1, false, false, false, false, ModeProgramStop, -1},
      {false, 6, 2, false, false, false, false, ModeSpindle, -1},
      {false, 6, 2, false, false, false, true, ModeVelocityJog, 3},
      {false, 7, 2, false, false, false, false, ModeVelocityJog, -1},
      {false, 1, 1, false, true, true, false, ModeStepJog, 0},  // the key, not its timing
      {false, 1, 1, true, false, false, false, ModeStepSize, 0},
      {false, 2, 3, true, false, false, false, ModeContinuousSpeed, 1},
      {false, 3, 4, true, false, false, false, ModeSpindleOverride, 2},
      {false, 1, 5, false, false, false, false, ModeZeroAxis, 0},
      {false, 1, 6, false, false, false, false, ModeIdle, 0},
  };
  for (const ModeCase& c : cases) {
    const SelectorState state{c.extended,  c.axis,        c.mode,  c.key,
                              c.longPress, c.doublePress, c.caMode};
    EXPECT_EQ(SelectJogMode(state), c.expectedMode) << "axis " << c.axis << " mode " << c.mode;
    EXPECT_EQ(SelectedAxis(state), c.expectedAxis) << "axis " << c.axis << " mode " << c.mode;
  }
}

// Runs the key through poll cycles as the poll cycle does: counters first, then the decoder.
class KeyTimeline {
 public:
  // 'D' key down, 'u' key up for one cycle each; returns L (long), 2 (double), - (neither).
  std::string Run(const std::string& keys) {
    std::string seen;
    for (char key : keys) {
      ticks_.Step();
      key_.Classify(key == 'D', ticks_);
      seen += key_.LongPress() ? 'L' : key_.DoublePress() ? '2' : '-';
    }
    return seen;
  }
  void Idle(int cycles) { Run(std::string(static_cast<size_t>(cycles), 'u')); }

 private:
  KeyTiming key_;
  PollTicks ticks_;
};

TEST(KeyClassification, LongPressAfterThirteenCycles) {
  KeyTimeline key;
  key.Idle(20);
  EXPECT_EQ(key.Run(std::string(16, 'D') + "u"), "-------------LLL-");
}

TEST(KeyClassification, SecondPressSoonAfterAShortOneIsDoubleWhileHeld) {
  KeyTimeline key;
  key.Idle(20);
  EXPECT_EQ(key.Run("DDDuuu" + std::string(16, 'D') + "u"), "------" + std::string(16, '2') + "-");
}

TEST(KeyClassification, PressAfterTheWindowIsSingle) {
  KeyTimeline key;
  key.Idle(20);
  EXPECT_EQ(key.Run("DDu" + std::string(13, 'u') + "DDu"), std::string(19, '-'));
}

TEST(KeyClassification, NoDoubleAfterALongPress) {
  KeyTimeline key;
  key.Idle(20);
  key.Run(std::string(15, 'D'));
  EXPECT_EQ(key.Run("uuDDu"), "-----");
}

TEST(KeyClassification, KeyDownInTheFirstReports) {
  KeyTimeline early;  // counters started fewer than 13 cycles ago: counts as double
  EXPECT_EQ(early.Run("DDDDu"), "2222-");
  // 13 cycles after the counters started, no key-up cycle has timed the press: it is long at
  // once.
  PollTicks ticks;
  KeyTiming key;
  for (int i = 0; i < 13; ++i) ticks.Step();
  key.Classify(true, ticks);
  EXPECT_TRUE(key.LongPress());
  EXPECT_FALSE(key.DoublePress());
}

struct TableRow {
  int code;
  const char* label;
};

// Every row in order, then the first index past each end: no row there, and codes clamp to the
// rows at the ends.
void ExpectRows(const char* name, SelectionTable table, const std::vector<TableRow>& rows) {
  ASSERT_EQ(table.size(), rows.size()) << name;
  for (size_t index = 0; index < rows.size(); ++index) {
    const char* text = RowAt(table, static_cast<int>(index));
    ASSERT_NE(text, nullptr) << name << " row " << index;
    EXPECT_EQ(RowCode(text), rows[index].code) << name << " row " << index;
    EXPECT_EQ(RowLabel(text), rows[index].label) << name << " row " << index;
  }
  const int size = static_cast<int>(rows.size());
  EXPECT_EQ(RowAt(table, size), nullptr) << name;
  EXPECT_EQ(RowAt(table, -1), nullptr) << name;
  EXPECT_EQ(ClampedRowCode(table, size), rows.back().code) << name;
  EXPECT_EQ(ClampedRowCode(table, -1), rows.front().code) << name;
}

TEST(SelectionTables, EveryRowOfEveryTable) {
  const char* const line = " ------------------------------";
  ExpectRows("FunctionList", FunctionList,
             {{0, " NONE"},
              {899, line},
              {813, " OEM Button #1"},
              {814, " OEM Button #2"},
              {815, " OEM Button #3"},
              {816, " OEM Button #4"},
              {817, " Custom Macro #1"},
              {818, " Custom Macro #2"},
              {819, " Custom Macro #3"},
              {820, " Custom Macro #4"},
              {899, line},
              {1, " Screen 1 (Program Run screen)"},
              {2, " Screen 2 (MDI screen)"},
              {3, " screen 3 (Toolpath screen)"},
              {4, " screen 4 (Positioning screen)"},
              {5, " screen 5 (Diagnostics screen)"},
              {6, " screen 6 ( Corrections screen)"},
              {7, " screen 7 (Tables screen)"},
              {323, " Toggle visibility of TAB screen"},
              {160, " Regen toolpath display"},
              {899, line},
              {113, " Flood toggle"},
              {114, " Mist toggle"},
              {899, line},
              {178, " Offline toggle"},
              {103, " Jog ON and OFF toggle"},
              {1029, " Softlimits Toggle"},
              {172, " Clear error label"},
              {167, " Z inhibit toggle"},
              {899, line},
              {106, " mm/inch"},
              {256, " Machine Coordinates toggle"},
              {333, " Toggle Dist to Go"},
              {899, line},
              {171, " Jog increment cycle"},
              {191, " Select Jog Increment 1"},
              {192, " Select Jog Increment 2"},
              {245, " Jog mode STEP CONT MPG toggle"},
              {899, line},
              {250, " Disable movement on axis X"},
              {251, " Disable movement on axis Y"},
              {252, " Disable movement on axis Z"},
              {253, " Disable movement on axis A"},
              {899, line},
              {139, " Part X Offset Touch"},
              {140, " Part Y Offset Touch"},
              {141, " Part Z Offset Touch"},
              {142, " Part A Offset Touch"},
              {899, line},
              {145, " Tool X Offset Touch"},
              {146, " Tool Z Offset Touch"},
              {899, line},
              {1007, " ZeroAll"},
              {1008, " Zero X"},
              {1009, " Zero Y"},
              {1010, " Zero Z"},
              {1011, " Zero A"},
              {899, line},
              {1022, " Ref X"},
              {1023, " Ref Y"},
              {1024, " Ref Z"},
              {1025, " Ref A"},
              {899, line},
              {1017, " GotoZs"},
              {138, " Go Home"},
              {104, " Goto Safe Z"}});
  ExpectRows("ScreenList", ScreenList,
             {{0, " NONE"},
              {1, " Screen 1 (Program Run screen)"},
              {2, " Screen 2 (MDI screen)"},
              {3, " screen 4 (Toolpath screen)"},
              {4, " screen 5 (Offsets screen)"},
              {5, " screen 6 (Setting screen)"},
              {6, " screen 7 (Diagnostics screen)"}});
  ExpectRows("VelocitySensitivityList", VelocitySensitivityList,
             {{3, "1"},
              {4, "2"},
              {5, "3"},
              {6, "4"},
              {7, "5"},
              {9, "6"},
              {11, "7"},
              {15, "8"},
              {20, "9"},
              {25, "10"}});
  ExpectRows("SlowDownRateList", SlowDownRateList, {{2, "2"}, {3, "3"}, {4, "4"}});
  ExpectRows("DecimalDigitsList", DecimalDigitsList, {{2, "2"}, {3, "3"}, {4, "4"}});
}

// The host screen each screen-list row selects and the name the pendant shows for it.
TEST(SelectionTables, ScreenRowsMapToHostScreensAndPendantNames) {
  struct Screen {
    int32_t hostScreen;
    const char* pendantName;
  };
  const Screen screens[] = {{0, ""},         {1, "Prog Run"}, {2, "MDI     "}, {3, "ToolPath"},
                            {7, "OffSets "}, {6, "Settings"}, {5, "Diagnost"}};
  ASSERT_EQ(ScreenRows.size(), std::size(screens));
  for (int index = 0; index < static_cast<int>(std::size(screens)); ++index) {
    const ScreenRow* row = ScreenRowAt(index);
    ASSERT_NE(row, nullptr) << index;
    EXPECT_STREQ(row->label, ScreenList[static_cast<size_t>(index)]) << index;
    EXPECT_EQ(row->hostScreen, screens[index].hostScreen) << index;
    EXPECT_EQ(row->pendantName, screens[index].pendantName) << index;
    if (index > 0) {
      EXPECT_EQ(ScreenNameOf(row->hostScreen), screens[index].pendantName) << index;
    }
  }
  EXPECT_EQ(ScreenRowAt(static_cast<int>(std::size(screens))), nullptr);
  EXPECT_EQ(ScreenRowAt(-1), nullptr);
  EXPECT_EQ(ScreenNameOf(4), "");  // no row selects host screen 4
}

TEST(SelectionTables, IndicesOutsideATableFindNoRowAndClampForCodes) {
  EXPECT_EQ(RowAt(FunctionList, -1), nullptr);
  EXPECT_EQ(RowAt(FunctionList, 66), nullptr);
  EXPECT_EQ(ClampedRowCode(VelocitySensitivityList, -1), 3);
  EXPECT_EQ(ClampedRowCode(VelocitySensitivityList, 10), 25);
  EXPECT_EQ(ClampedRowCode(SlowDownRateList, 300), 4);
  EXPECT_EQ(RowLabel("no comma"), "no comma");
  EXPECT_EQ(RowCode(" \t12, x"), 12);
}

}  // namespace
}  // namespace pendant
