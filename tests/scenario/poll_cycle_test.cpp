// The poll cycle driven by the window timer: readiness, the bounded read, late and missing
// reports, and a closed device.
#include <gtest/gtest.h>

#include <cstring>

#include "bench/session/bench_session.h"
#include "device/virtual_hid_bus.h"
#include "plugin/plugin_module.h"
#include "tests/scenario/scenario_fixture.h"

namespace pendant {
namespace {

using bench::BenchSession;

constexpr size_t kBusyWord = 801968;
constexpr size_t kQueueCHead = 800092;
constexpr size_t kQueueAHead = 163840;
constexpr size_t kReadyFlagWord = 1192;

// Step mode with jogging off: a decoded wheel count reaches the host as this message.
constexpr const char* kJogOff = "message  Jog OFF. ";

class PollCycleTest : public testing::ScenarioTest {
 protected:
  void SetUp() override {
    session_.Start();
    session_.Tick(1);
  }

  TrundleWin& Window() { return *Plugin().PendantWindow; }
  uint8_t DecodedWheel() { return Window().Engine().Report().wheelCounter; }

  VirtualHidBus& bus_ = VirtualHidBus::Instance();
};

TEST_F(PollCycleTest, ReportOnTimeIsDecodedInTheSameCycle) {
  session_.pendant.TurnWheel(5);
  session_.Tick(1);
  EXPECT_EQ(DecodedWheel(), 5);
  ExpectOnlyEffect(kJogOff, 1);
}

TEST_F(PollCycleTest, LateReportIsDecodedOneCycleLaterNotLost) {
  session_.pendant.reportDelayMs = 25 + 12;  // after the next cycle's 5 ms wait
  session_.pendant.TurnWheel(5);
  session_.Tick(1);
  EXPECT_EQ(DecodedWheel(), 0);
  session_.Tick(1);
  EXPECT_EQ(DecodedWheel(), 5);
  ExpectOnlyEffect(kJogOff, 1);
}

TEST_F(PollCycleTest, ReportArrivingWithinTheWaitIsDecodedInTheSameCycle) {
  session_.pendant.reportDelayMs = 25 + 4;  // lands 4 ms into the next cycle's wait
  session_.pendant.TurnWheel(7);
  session_.Tick(1);
  EXPECT_EQ(DecodedWheel(), 7);
  ExpectOnlyEffect(kJogOff, 1);
}

TEST_F(PollCycleTest, ReadsNeverWaitLongerThanFiveMilliseconds) {
  session_.pendant.reportDelayMs = -1;  // the pendant goes silent
  session_.pendant.TurnWheel(3);
  session_.Wait(500);
  EXPECT_EQ(bus_.LongestWaitMs(), 5u);
}

TEST_F(PollCycleTest, SilentPendantMakesEveryCycleDecodeTheLastReport) {
  session_.pendant.TurnWheel(9);
  session_.Tick(1);
  session_.pendant.reportDelayMs = -1;
  session_.pendant.TurnWheel(1);
  bus_.ClearWrites();
  for (int cycle = 0; cycle < 10; ++cycle) {
    session_.Tick(1);
    ASSERT_EQ(DecodedWheel(), 9);
  }
  EXPECT_EQ(bus_.Writes().size(), 10u);  // the display is still written every cycle
  ExpectOnlyEffect(kJogOff, 1);          // the counts were decoded once, not ten times
}

TEST_F(PollCycleTest, OneReadInFlightAtATime) {
  session_.pendant.reportDelayMs = -1;
  const unsigned before = bus_.ReadsStarted();
  session_.Tick(10);
  EXPECT_EQ(bus_.ReadsStarted(), before + 1);  // the pending read is waited on, not restarted
}

TEST_F(PollCycleTest, DisplayCycleHoldsAt159WhileTheWheelTurnsThenCountsDown) {
  TrundleWin& window = Window();
  session_.pendant.TurnWheel(1);  // rate becomes non-zero
  session_.Tick(1);               // decoded this cycle; seen by the next cycle's first step
  session_.Tick(1);
  EXPECT_EQ(window.Display().State().DisplayCycle, 159);
  session_.Tick(1);
  EXPECT_EQ(window.Display().State().DisplayCycle, 159);
  session_.pendant.wheelRate = 0;
  session_.pendant.Send();
  session_.Tick(1);  // decodes rate 0; this cycle still saw the turning report
  EXPECT_EQ(window.Display().State().DisplayCycle, 159);
  session_.Tick(2);
  EXPECT_EQ(window.Display().State().DisplayCycle, 157);
  ExpectOnlyEffect(kJogOff, 1);
}

TEST_F(PollCycleTest, DisplayCycleRunsOncePer160Ticks) {
  TrundleWin& window = Window();
  for (int i = 0; i < 160 && window.Display().State().DisplayCycle != 1; ++i) session_.Tick(1);
  ASSERT_EQ(window.Display().State().DisplayCycle, 1);
  session_.Tick(1);
  EXPECT_EQ(window.Display().State().DisplayCycle, 0);
  session_.Tick(1);
  EXPECT_EQ(window.Display().State().DisplayCycle, 159);
  session_.Tick(159);
  EXPECT_EQ(window.Display().State().DisplayCycle, 0);
}

TEST_F(PollCycleTest, HostReadinessIsRefreshedOnlyWhileTheHostIsIdle) {
  bench::SubstituteHost& host = session_.host;
  TrundleWin& window = Window();
  EXPECT_TRUE(window.Engine().HostIsReady());

  host.Poke<int32_t>(host.blockB, kReadyFlagWord, 1);
  session_.Tick(1);
  EXPECT_FALSE(window.Engine().HostIsReady());

  host.Poke<int32_t>(host.blockB, kReadyFlagWord, 0);
  struct Busy {
    std::vector<uint8_t>* block;
    size_t offset;
  };
  for (Busy busy : {Busy{&host.blockC, kBusyWord}, Busy{&host.blockC, kQueueCHead},
                    Busy{&host.blockA, kQueueAHead}}) {
    host.Poke<int32_t>(*busy.block, busy.offset, 3);
    session_.Tick(1);
    EXPECT_FALSE(window.Engine().HostIsReady()) << "offset " << busy.offset;
    host.Poke<int32_t>(*busy.block, busy.offset, 0);
  }
  session_.Tick(1);
  EXPECT_TRUE(window.Engine().HostIsReady());
}

TEST(PollCycleClosed, ClosedDeviceOnlyAdvancesTheCounters) {
  BenchSession session;
  session.pendant.Unplug();
  session.host.Start(session.profilePath);
  session.host.PostInit();
  TrundleWin& window = *Plugin().PendantWindow;
  ASSERT_FALSE(window.Link().DeviceOpen());
  const DecodedReport before = window.Engine().Report();

  session.Tick(30);
  EXPECT_EQ(window.Display().State().DisplayCycle, 130);
  EXPECT_EQ(Plugin().pollTicks.KeyDownTicks, 30);
  EXPECT_EQ(Plugin().pollTicks.KeyUpTicks, 30);
  EXPECT_EQ(VirtualHidBus::Instance().ReadsStarted(), 0u);
  EXPECT_TRUE(VirtualHidBus::Instance().Writes().empty());
  EXPECT_EQ(window.Engine().Report(), before);
  EXPECT_TRUE(window.Engine().HostIsReady());
}

}  // namespace
}  // namespace pendant
