#include "host/tick_counters.h"

#include <gtest/gtest.h>

#include <vector>

namespace pendant {
namespace {

TEST(UpdateTicks, StartValuesAreTheHostsFirstState) {
  UpdateTicks ticks;
  EXPECT_EQ(ticks.PressTicks, 100);
  EXPECT_EQ(ticks.AnimationPhase, 100);
  EXPECT_EQ(ticks.ScreenKeyTicks, 100);
  EXPECT_EQ(ticks.ReportSequence, 1);
  EXPECT_EQ(ticks.WheelActiveCountdown, 0);
  EXPECT_EQ(ticks.ModeChangeTicks, 100);
  EXPECT_EQ(ticks.RestoreCountdown, 0);
}

TEST(UpdateTicks, ReportSequenceRunsTwoTo255AndNeverHoldsZeroOrOne) {
  UpdateTicks ticks;
  std::vector<int> seen;
  for (int i = 0; i < 600; ++i) {
    ticks.Step();
    seen.push_back(ticks.ReportSequence);
  }
  EXPECT_EQ(seen[0], 2);
  EXPECT_EQ(seen[253], 255);
  EXPECT_EQ(seen[254], 2);
  for (int value : seen) {
    ASSERT_GE(value, 2);
    ASSERT_LE(value, 255);
  }
}

TEST(UpdateTicks, ElapsedCountersDropTo101AfterReaching1001) {
  UpdateTicks ticks;
  ticks.PressTicks = 1000;
  ticks.ScreenKeyTicks = 1001;
  ticks.ModeChangeTicks = 1001;
  ticks.Step();
  EXPECT_EQ(ticks.PressTicks, 1001);
  EXPECT_EQ(ticks.ScreenKeyTicks, 101);
  EXPECT_EQ(ticks.ModeChangeTicks, 101);
  ticks.Step();
  EXPECT_EQ(ticks.PressTicks, 101);
}

TEST(UpdateTicks, AnimationPhaseFallsToZeroThenCycles24ToZero) {
  UpdateTicks ticks;
  for (int expected = 99; expected >= 0; --expected) {
    ticks.Step();
    ASSERT_EQ(ticks.AnimationPhase, expected);
  }
  for (int round = 0; round < 3; ++round) {
    for (int expected = 24; expected >= 0; --expected) {
      ticks.Step();
      ASSERT_EQ(ticks.AnimationPhase, expected);
    }
  }
}

TEST(UpdateTicks, CountdownsStopAtZeroAndAreNeverReloaded) {
  UpdateTicks ticks;
  ticks.WheelActiveCountdown = 2;
  ticks.RestoreCountdown = 1;
  for (int expected : {1, 0, 0, 0}) {
    ticks.Step();
    EXPECT_EQ(ticks.WheelActiveCountdown, expected);
  }
  EXPECT_EQ(ticks.RestoreCountdown, 0);
}

TEST(PollTicks, BothCountFromZeroAndWrapLikeElapsedCounters) {
  PollTicks ticks;
  ticks.Step();
  EXPECT_EQ(ticks.KeyDownTicks, 1);
  EXPECT_EQ(ticks.KeyUpTicks, 1);
  ticks.KeyDownTicks = 1001;
  ticks.Step();
  EXPECT_EQ(ticks.KeyDownTicks, 101);
  EXPECT_EQ(ticks.KeyUpTicks, 2);
}

}  // namespace
}  // namespace pendant
