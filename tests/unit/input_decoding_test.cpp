#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/jog_mode.h"
#include "input/key_classifier.h"
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
      ClassifyKey(key == 'D', state_, ticks_);
      seen += state_.KeyLongPress ? 'L' : state_.KeyDoublePress ? '2' : '-';
    }
    return seen;
  }
  void Idle(int cycles) { Run(std::string(static_cast<size_t>(cycles), 'u')); }

 private:
  InputState state_;
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
  InputState state;
  for (int i = 0; i < 13; ++i) ticks.Step();
  ClassifyKey(true, state, ticks);
  EXPECT_TRUE(state.KeyLongPress);
  EXPECT_FALSE(state.KeyDoublePress);
}

TEST(SelectionTables, RowCountsCodesAndLabels) {
  EXPECT_EQ(FunctionList.size(), 66u);
  EXPECT_EQ(ScreenList.size(), 7u);
  EXPECT_EQ(VelocitySensitivityList.size(), 10u);
  EXPECT_EQ(SlowDownRateList.size(), 3u);
  EXPECT_EQ(DecimalDigitsList.size(), 3u);

  struct Row {
    SelectionTable table;
    int index;
    int code;
    const char* label;
  };
  const Row rows[] = {
      {FunctionList, 0, 0, " NONE"},
      {FunctionList, 1, 899, " ------------------------------"},
      {FunctionList, 3, 814, " OEM Button #2"},
      {FunctionList, 9, 820, " Custom Macro #4"},
      {FunctionList, 16, 6, " screen 6 ( Corrections screen)"},
      {FunctionList, 26, 1029, " Softlimits Toggle"},
      {FunctionList, 65, 104, " Goto Safe Z"},
      {ScreenList, 0, 0, " NONE"},
      {ScreenList, 4, 4, " screen 5 (Offsets screen)"},
      {VelocitySensitivityList, 0, 3, "1"},
      {VelocitySensitivityList, 4, 7, "5"},
      {VelocitySensitivityList, 9, 25, "10"},
      {SlowDownRateList, 1, 3, "3"},
      {DecimalDigitsList, 2, 4, "4"},
  };
  for (const Row& row : rows) {
    const char* text = RowAt(row.table, row.index);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(RowCode(text), row.code) << text;
    EXPECT_EQ(RowLabel(text), row.label) << text;
  }
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
