// Velocity and continuous jogging through the host's jog records, and what stops them.
#include "tests/scenario/jog_fixture.h"

namespace pendant::testing {
namespace {

using Lines = std::vector<std::string>;

class WheelJogTest : public JogFixture {
 protected:
  void StartIn(int mode) {
    Start();
    SetMode(mode);
    session_.Tick(1);
    Effects();
  }

  // One cycle of the wheel turning by counts at the given rate.
  void Turn(int counts, int rate) {
    session_.pendant.wheelRate = static_cast<uint8_t>(rate);
    session_.pendant.TurnWheel(counts);
    session_.Tick(1);
  }
};

TEST_F(WheelJogTest, VelocityJogFillsTheRecordBeforeEachDojog) {
  StartIn(2);
  Turn(2, 40);
  EXPECT_EQ(Effects(), (Lines{"code DOJOG"}));
  EXPECT_EQ(Jog<int32_t>(0, kJogDirection), 0);
  EXPECT_EQ(Jog<int32_t>(0, kJogVelocity), 10000 * 40 * 182 / 400 * 3 / 7 / 100);
  EXPECT_EQ(Jog<int32_t>(0, kJogFullSpeed), 10000);
  EXPECT_EQ(Jog<int32_t>(0, kJogParam), 77);
  EXPECT_EQ(Jog<uint8_t>(0, kJogStop), 0);
  EXPECT_EQ(Jog<uint8_t>(0, kJogGo), 1);

  Turn(-2, 40);  // a reversal stops the axis and starts the wait over
  EXPECT_EQ(Effects(), (Lines{"code ENDJOG"}));
  EXPECT_EQ(Jog<uint8_t>(0, kJogStop), 1);
}

TEST_F(WheelJogTest, VelocityFollowsTheWeightedRateAndTheKeySlowsIt) {
  StartIn(2);
  for (int cycle = 0; cycle < 10; ++cycle) Turn(2, 40);
  EXPECT_NEAR(Window().Engine().WheelJogging().FeedFactor(), 0.4286, 0.00005);
  EXPECT_EQ(Jog<int32_t>(0, kJogVelocity), 4285);

  session_.pendant.keyDown = true;
  Turn(2, 40);
  EXPECT_NEAR(Window().Engine().WheelJogging().FeedFactor(), 0.1429, 0.00005);
  EXPECT_EQ(Decoded().SlowDownDivisor, 3);
  EXPECT_EQ(Jog<int32_t>(0, kJogVelocity), 1428);
  ExpectOnlyEffect("code DOJOG", 11);  // one per turning cycle
}

TEST_F(WheelJogTest, VelocityIsClampedAtFullSpeed) {
  StartIn(2);
  for (int cycle = 0; cycle < 10; ++cycle) Turn(5, 255);
  EXPECT_DOUBLE_EQ(Window().Engine().WheelJogging().FeedFactor(), 1.0);
  EXPECT_EQ(Jog<int32_t>(0, kJogVelocity), 10000);
  ExpectOnlyEffect("code DOJOG", 10);
}

TEST_F(WheelJogTest, OutOfTableSensitivityIsClampedToTheNearestRow) {
  session_.SetProfileKey("VelocityInAuto", "42");
  session_.SetProfileKey("AutoChangeSens", "-1");
  StartIn(2);
  for (int cycle = 0; cycle < 10; ++cycle) Turn(2, 40);
  EXPECT_NEAR(Window().Engine().WheelJogging().FeedFactor(), 3.0 / 25, 0.00001);
  EXPECT_EQ(Decoded().SlowDownDivisor, 2);
  EXPECT_EQ(Plugin().settings.VelocityInAuto, 42);  // the stored value is kept
  EXPECT_EQ(Jog<int32_t>(0, kJogVelocity), 1199);   // 12 % of 10000, truncated after rounding
  ExpectOnlyEffect("code DOJOG", 10);
}

TEST_F(WheelJogTest, JogEndsAfterTwoCyclesWithoutCounts) {
  StartIn(2);
  Turn(2, 40);
  Effects();
  session_.Tick(1);  // rate still non-zero, no counts: one quiet cycle is allowed
  EXPECT_EQ(Effects(), (Lines{"code DOJOG"}));
  session_.Tick(1);
  EXPECT_EQ(Effects(), (Lines{"code ENDJOG"}));
  EXPECT_EQ(Jog<uint8_t>(0, kJogStop), 1);
}

TEST_F(WheelJogTest, HostInAnotherJogModeIsSwitchedForTheJogAndBack) {
  session_.host.ledsOn.insert(15);
  StartIn(2);
  Turn(2, 40);
  EXPECT_EQ(Effects(), (Lines{"button 204", "code DOJOG"}));
  Turn(2, 40);
  EXPECT_EQ(Effects(), (Lines{"code DOJOG"}));
  SetRate(0);
  session_.Tick(1);
  EXPECT_EQ(Effects(), (Lines{"code ENDJOG"}));
  session_.Update(3);  // the wheel has rested long enough
  session_.Tick(2);
  EXPECT_EQ(Effects(), (Lines{"button 205"}));
}

// The host's inhibit ends the running jog before the owed switch back is paid.
TEST_F(WheelJogTest, InhibitEndsTheRunningJogThenPaysTheOwedSwitchOnce) {
  session_.host.ledsOn.insert(15);
  StartIn(2);
  Turn(2, 40);
  Effects();
  session_.host.Poke<uint8_t>(session_.host.blockA, kJogInhibit, 1);
  Turn(2, 40);
  EXPECT_EQ(Effects(), (Lines{"code ENDJOG", "button 205"}));
  EXPECT_EQ(Jog<uint8_t>(0, kJogStop), 1);
  Turn(2, 40);
  EXPECT_TRUE(Effects().empty());
}

// Offline the engine does nothing but end the jog it left running: not even the owed switch.
TEST_F(WheelJogTest, OfflineEndsTheRunningJogButPaysNoOwedSwitch) {
  session_.host.ledsOn.insert(15);
  StartIn(2);
  Turn(2, 40);
  Effects();
  session_.pendant.offline = true;
  Turn(2, 40);
  session_.Update(5);
  session_.Tick(3);
  EXPECT_EQ(Effects(), (Lines{"code ENDJOG"}));
  EXPECT_EQ(Jog<uint8_t>(0, kJogStop), 1);
}

TEST_F(WheelJogTest, JogDisabledShowsJogOffWhileTheWheelTurns) {
  session_.host.ledsOn.erase(83);
  StartIn(2);
  Turn(2, 40);
  EXPECT_EQ(Effects(), (Lines{"message  Jog OFF. "}));
}

TEST_F(WheelJogTest, ContinuousJogStartsAfterTheDelayCounts) {
  StartIn(3);
  Turn(10, 40);
  Turn(10, 40);
  EXPECT_TRUE(Effects().empty());
  Turn(10, 40);  // 30 counts: past the default 25
  EXPECT_EQ(Effects(), (Lines{"code DOJOG"}));
  EXPECT_EQ(Jog<int32_t>(0, kJogVelocity), 4000);  // DRO 3 at 40 % of full speed
}

TEST_F(WheelJogTest, ContinuousJogStartsAtExactlyTheDelayCounts) {
  StartIn(3);
  Turn(12, 40);
  Turn(12, 40);
  EXPECT_TRUE(Effects().empty());  // 24 of 25
  Turn(1, 40);
  EXPECT_EQ(Effects(), (Lines{"code DOJOG"}));
}

// Past 30000 counts the continuous count starts again from 400: with a delay above that, a long
// turn pauses its steps until the count is back at the delay.
TEST_F(WheelJogTest, ContinuousCountPast30000StartsAgainFrom400) {
  session_.SetProfileKey("DelaySteps", "1000");
  StartIn(3);
  for (int turn = 0; turn < 300; ++turn) Turn(100, 40);  // exactly 30000: no restart yet
  Effects();
  Turn(1, 40);  // 30001: one more step, then the count is 400
  EXPECT_EQ(Effects(), (Lines{"code DOJOG"}));
  for (int turn = 0; turn < 5; ++turn) Turn(100, 40);  // 500 to 900
  EXPECT_TRUE(Effects().empty());
  Turn(100, 40);  // 1000
  EXPECT_EQ(Effects(), (Lines{"code DOJOG"}));
}

// After a reversal both wheel jogs wait 3 Update calls, and a jog ends 3 Update calls after the
// wheel's rate was last non-zero.
TEST_F(WheelJogTest, ReversalWaitAndRestEndAfterExactlyThreeUpdates) {
  session_.SetProfileKey("DelaySteps", "0");
  session_.host.ledsOn.insert(15);
  for (int mode : {2, 3}) {
    StartIn(mode);
    Turn(2, 40);
    Turn(-2, 40);
    EXPECT_EQ(Effects(), (Lines{"button 204", "code DOJOG", "code ENDJOG"})) << "mode " << mode;
    session_.Update(2);
    Turn(-2, 40);
    EXPECT_TRUE(Effects().empty()) << "mode " << mode;
    session_.Update(1);
    Turn(-2, 40);
    EXPECT_EQ(Effects(), (Lines{"code DOJOG"})) << "mode " << mode;

    SetRate(0);
    session_.Tick(1);
    session_.Update(2);
    session_.Tick(1);
    EXPECT_TRUE(EffectsOf("button").empty()) << "mode " << mode;
    session_.Update(1);
    session_.Tick(1);
    EXPECT_EQ(Effects(), (Lines{"button 205"})) << "mode " << mode;
    session_.Stop();
  }
}

TEST_F(WheelJogTest, ContinuousJogWithoutDelayStartsAtOnce) {
  session_.SetProfileKey("DelaySteps", "0");
  StartIn(3);
  Turn(1, 40);
  EXPECT_EQ(Effects(), (Lines{"code DOJOG"}));
}

TEST_F(WheelJogTest, ModeChangeIsAnnouncedWithThePreviousAxis) {
  Start();
  session_.pendant.axisSelector = 2;
  SetMode(2);
  session_.Tick(1);
  EXPECT_EQ(Effects(), (Lines{"button 334", "code ENDJOG"}));  // axis X was still selected
  SetMode(3);
  session_.Tick(2);
  EXPECT_EQ(Effects(), (Lines{"button 335"}));
}

TEST_F(WheelJogTest, FirstCycleAnnouncesNoModeChange) {
  SetMode(2);
  Start();
  EXPECT_EQ(Decoded().JogMode, 2);
  session_.Tick(3);
  EXPECT_TRUE(EffectsOf("button").empty());
}

TEST_F(WheelJogTest, StopSwitchRepeatsUntilTheHostStopsAndOnceOnRelease) {
  Start();
  session_.pendant.stopEngaged = true;
  session_.pendant.Send();
  session_.Tick(3);
  EXPECT_EQ(EffectsOf("button"), (Lines{"button 1021", "button 1021", "button 1021"}));
  session_.host.ledsOn.insert(800);
  session_.Tick(3);
  EXPECT_TRUE(EffectsOf("button").empty());
  session_.pendant.stopEngaged = false;
  session_.pendant.Send();
  session_.Tick(3);
  EXPECT_EQ(EffectsOf("button"), (Lines{"button 1021"}));
}

TEST_F(WheelJogTest, ExtendedLayoutOnceSeenIsKept) {
  session_.pendant.extended = false;
  SetMode(6);
  Start();
  session_.Tick(1);
  EXPECT_EQ(Decoded().JogMode, 0);
  session_.pendant.extended = true;
  session_.pendant.Send();
  session_.Tick(1);
  EXPECT_EQ(Decoded().JogMode, 8);
  session_.pendant.extended = false;
  session_.pendant.Send();
  session_.Tick(1);
  EXPECT_EQ(Decoded().JogMode, 8);
  ExpectOnlyEffect("button 334", 1);  // the one change, announced for X
}

}  // namespace
}  // namespace pendant::testing
