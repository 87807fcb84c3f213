// Step jogging through the exports: one relative move per cycle with wheel counts.
#include "tests/scenario/jog_fixture.h"

namespace pendant::testing {
namespace {

using Lines = std::vector<std::string>;

class StepJogTest : public JogFixture {};

TEST_F(StepJogTest, ForwardCountsSendOneMoveAfterHoldingTheOverride) {
  session_.host.dros[818] = 5.0;
  session_.host.dros[821] = 80.0;
  Start();
  session_.pendant.TurnWheel(3);
  session_.Tick(1);
  EXPECT_EQ(Effects(), (Lines{"setdro 821 100", "setdro 821 100", "code G91G1 F1500.0000 X 0.0030",
                              "code G90"}));
}

TEST_F(StepJogTest, ReverseCountsMoveTheOtherWay) {
  Start();
  session_.pendant.TurnWheel(-3);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("code"), (Lines{"code G91G1 F1500.0000 X -0.0030", "code G90"}));
}

TEST_F(StepJogTest, OverrideComesBackThreeUpdatesAfterTheLastStep) {
  session_.host.dros[818] = 5.0;
  session_.host.dros[821] = 80.0;
  Start();
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("setdro").size(), 3u);  // saved once, held at 100 in both cycles

  session_.Update(2);
  session_.Tick(1);
  EXPECT_TRUE(EffectsOf("setdro").empty());
  session_.Update(1);
  session_.Tick(1);
  EXPECT_EQ(Effects(), (Lines{"setdro 818 5", "setdro 821 80"}));
  session_.Tick(3);
  EXPECT_TRUE(Effects().empty());
}

TEST_F(StepJogTest, NoLineWhileDro133IsNotAboveDro22) {
  session_.host.dros[22] = 1.0;
  Start();
  session_.pendant.TurnWheel(2);
  session_.Tick(1);
  EXPECT_TRUE(EffectsOf("code").empty());
}

TEST_F(StepJogTest, ReversalWaitsFourUpdatesAndRestartsAtEachFurtherReversal) {
  Start();
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  Effects();
  session_.Update(1);

  session_.pendant.TurnWheel(-1);  // reversal while the wheel is active: no line
  session_.Tick(1);
  EXPECT_TRUE(EffectsOf("code").empty());
  EXPECT_EQ(Plugin().updateTicks.ModeChangeTicks, 0);

  session_.Update(2);
  session_.pendant.TurnWheel(1);  // and back again: the wait starts over
  session_.Tick(1);
  EXPECT_EQ(Plugin().updateTicks.ModeChangeTicks, 0);

  session_.Update(3);
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_TRUE(EffectsOf("code").empty());
  session_.Update(1);
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("code"), (Lines{"code G91G1 F1500.0000 X 0.0010", "code G90"}));
}

// The wheel counts as active for 4 Update calls after a step: a reversal within them waits, one
// after them moves at once.
TEST_F(StepJogTest, ReversalWaitsOnlyWithinFourUpdatesOfTheLastStep) {
  Start();
  for (int updates : {3, 4}) {
    session_.pendant.TurnWheel(1);
    session_.Tick(1);
    session_.Update(updates);
    Effects();
    session_.pendant.TurnWheel(-1);
    session_.Tick(1);
    const Lines expected =
        updates < 4 ? Lines{} : Lines{"code G91G1 F1500.0000 X -0.0010", "code G90"};
    EXPECT_EQ(EffectsOf("code"), expected) << "reversed after " << updates << " Update calls";
    session_.Update(10);
  }
}

TEST_F(StepJogTest, RotatedTableTurnsXMovesAndLeavesZStraight) {
  bench::SubstituteHost& host = session_.host;
  host.Poke<double>(host.blockB, kRotationDegrees, 90.0);
  host.Poke<double>(host.blockC, kJogStepDistance, 1.0);
  Start();
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_EQ(Effects(), (Lines{"code G91G1 X-0.0000 Y-1.0000 ", "code G90"}));

  session_.pendant.axisSelector = 3;
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("code"),
            (Lines{"code ENDJOG", "code G91G1 F1500.0000 Z 1.0000", "code G90"}));
}

// A rotated move (and its G90) goes out only while fewer than 20 moves wait in the host.
TEST_F(StepJogTest, RotatedMoveWaitsAtTwentyQueuedMoves) {
  bench::SubstituteHost& host = session_.host;
  host.Poke<double>(host.blockB, kRotationDegrees, 90.0);
  Start();
  for (double queued : {19.0, 20.0}) {
    host.dros[22] = queued;
    session_.pendant.TurnWheel(1);
    session_.Tick(1);
    const Lines expected =
        queued < 20.0 ? Lines{"code G91G1 X-0.0000 Y-0.0010 ", "code G90"} : Lines{};
    EXPECT_EQ(EffectsOf("code"), expected) << queued << " moves queued";
  }
}

// Each reversal flag turns its own axis only, whichever axis came before; the A axis has none.
TEST_F(StepJogTest, EachAxisMovesWithItsOwnReversalFlag) {
  struct Case {
    int axisSelector;
    bool PendantSettings::*flag;
    const char* line;
  };
  const Case cases[] = {
      {2, nullptr, "code G91G1 F1500.0000 Y 0.0010"},
      {1, nullptr, "code G91G1 F1500.0000 X 0.0010"},
      {3, &PendantSettings::Zreverse, "code G91G1 F1500.0000 Z -0.0010"},
      {3, &PendantSettings::Yreverse, "code G91G1 F1500.0000 Z 0.0010"},
      {2, &PendantSettings::Yreverse, "code G91G1 F1500.0000 Y -0.0010"},
      {2, &PendantSettings::Xreverse, "code G91G1 F1500.0000 Y 0.0010"},
      {1, &PendantSettings::Xreverse, "code G91G1 F1500.0000 X -0.0010"},
      {1, &PendantSettings::Zreverse, "code G91G1 F1500.0000 X 0.0010"},
      {7, &PendantSettings::Zreverse, "code G91G1 F1500.0000 A 0.0010"},
  };
  Start();
  PendantSettings& settings = Plugin().settings;
  for (const Case& c : cases) {
    settings.Xreverse = settings.Yreverse = settings.Zreverse = false;
    if (c.flag) settings.*c.flag = true;
    session_.pendant.axisSelector = c.axisSelector;
    session_.pendant.Send();
    session_.Tick(1);
    session_.Update(5);  // the last move's reversal wait is over
    Effects();
    session_.pendant.TurnWheel(1);
    session_.Tick(1);
    EXPECT_EQ(EffectsOf("code"), (Lines{c.line, "code G90"})) << "axis selector " << c.axisSelector;
  }
}

TEST_F(StepJogTest, HostNotReadySkipsTheG90) {
  session_.host.Poke<int32_t>(session_.host.blockB, kReadyFlagWord, 1);
  Start();
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("code"), (Lines{"code G91G1 F1500.0000 X 0.0010"}));
}

TEST_F(StepJogTest, RunningProgramBlocksTheWheelUnlessJoggingIsAllowed) {
  struct Case {
    std::vector<int> leds;
    bool moves;
  };
  const Case cases[] = {
      {{}, true}, {{804}, false}, {{805}, false}, {{804, 806}, true}, {{805, 806}, true},
  };
  Start();
  for (const Case& c : cases) {
    for (int led : {804, 805, 806}) session_.host.ledsOn.erase(led);
    for (int led : c.leds) session_.host.ledsOn.insert(led);
    session_.pendant.TurnWheel(1);
    session_.Tick(1);
    EXPECT_EQ(!EffectsOf("code").empty(), c.moves) << "LEDs " << ::testing::PrintToString(c.leds);
  }
}

TEST_F(StepJogTest, JogDisabledShowsJogOffAndDoesNotMove) {
  session_.host.ledsOn.erase(83);
  Start();
  session_.pendant.TurnWheel(2);
  session_.Tick(1);
  EXPECT_EQ(Effects(), (Lines{"message  Jog OFF. "}));
}

TEST_F(StepJogTest, AxisSelectorMovementStopsEveryAxisOnce) {
  Start();
  for (int axis = 0; axis < 4; ++axis) {
    session_.host.Poke<uint8_t>(session_.host.blockA, JogField(axis, kJogStop), 0);
  }
  session_.pendant.axisSelector = 2;
  session_.pendant.Send();
  session_.Tick(3);
  EXPECT_EQ(Effects(), (Lines{"code ENDJOG"}));
  for (int axis = 0; axis < 4; ++axis) EXPECT_EQ(Jog<uint8_t>(axis, kJogStop), 1) << axis;
  EXPECT_EQ(Decoded().AxisIndex, 1);
}

TEST_F(StepJogTest, StepLinesWaitWhileTheHostDrainsItsQueueAfterAnAxisChange) {
  bench::SubstituteHost& host = session_.host;
  Start();
  host.Poke<int32_t>(host.blockA, kQueueAHead, 2);  // the host still has queued lines
  session_.pendant.axisSelector = 2;
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  // The line is dropped; readiness keeps its last verdict, so G90 still goes out.
  EXPECT_EQ(EffectsOf("code"), (Lines{"code ENDJOG", "code G90"}));

  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("code"), (Lines{"code G90"}));

  host.Poke<int32_t>(host.blockA, kQueueAHead, 0);
  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("code"), (Lines{"code G91G1 F1500.0000 Y 0.0010", "code G90"}));
}

TEST_F(StepJogTest, OfflineSwitchStopsAllWheelActions) {
  Start();
  session_.pendant.offline = true;
  session_.pendant.TurnWheel(2);
  session_.Tick(2);
  EXPECT_TRUE(Effects().empty());
}

// The counter a pendant shows when it is opened was turned before anyone was watching.
TEST_F(StepJogTest, FirstReportAfterOpeningOnlySetsTheWheelReference) {
  session_.pendant.Unplug();
  session_.pendant.wheelCounter = 100;
  session_.pendant.Plug();
  Start();
  session_.Tick(2);
  EXPECT_TRUE(EffectsOf("code").empty());

  session_.pendant.Unplug();
  session_.pendant.wheelCounter = 200;  // turned while unplugged
  session_.pendant.Plug();
  session_.Tick(2);
  EXPECT_TRUE(EffectsOf("code").empty());

  session_.pendant.TurnWheel(1);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("code"), (Lines{"code G91G1 F1500.0000 X 0.0010", "code G90"}));
}

TEST_F(StepJogTest, ReversedAxisTurnsTheWheelDirection) {
  session_.SetProfileKey("Xreverse", "1");
  Start();
  session_.pendant.TurnWheel(2);
  session_.Tick(1);
  EXPECT_EQ(EffectsOf("code"), (Lines{"code G91G1 F1500.0000 X -0.0020", "code G90"}));
  const WheelDecoder& wheel = Window().Engine().Wheel();
  EXPECT_EQ(wheel.RawDirection(), 0);
  EXPECT_EQ(wheel.Direction(), 1);
  session_.Tick(1);  // no movement: the direction stays
  EXPECT_EQ(wheel.Direction(), 1);
}

}  // namespace
}  // namespace pendant::testing
