// The display as the plug-in writes it to the pendant over time, on the virtual bench.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/session/bench_session.h"
#include "bench/session/display_text.h"
#include "device/virtual_hid_bus.h"
#include "plugin/plugin_module.h"
#include "tests/scenario/scenario_fixture.h"

namespace pendant {
namespace {

using bench::BenchSession;

class DisplayScenarioTest : public testing::ScenarioTest {
 protected:
  void SetUp() override {
    session_.Start();
    session_.Tick(1);
  }

  // The 16 text characters of every report written since the last call.
  std::vector<std::string> WrittenTexts() {
    std::vector<std::string> texts;
    for (const VirtualHidBus::WrittenReport& report : bus_.Writes()) {
      const bench::DisplayText text = bench::TextOfReport(report.bytes);
      texts.push_back(text.line1 + text.line2);
    }
    bus_.ClearWrites();
    return texts;
  }

  VirtualHidBus& bus_ = VirtualHidBus::Instance();
};

// Consecutive equal texts as (text, count) runs.
std::vector<std::pair<std::string, int>> Runs(const std::vector<std::string>& texts) {
  std::vector<std::pair<std::string, int>> runs;
  for (const std::string& text : texts) {
    if (runs.empty() || runs.back().first != text) runs.emplace_back(text, 0);
    ++runs.back().second;
  }
  return runs;
}

TEST_F(DisplayScenarioTest, EngagedStopSwitchBlinksEveryHalfSecond) {
  session_.pendant.stopEngaged = true;
  session_.pendant.Send();
  WrittenTexts();
  session_.Tick(120);
  const auto runs = Runs(WrittenTexts());
  ASSERT_GE(runs.size(), 4u);
  for (size_t i = 0; i < runs.size(); ++i) {
    const bool shown = runs[i].first == " E-STOP  E-STOP ";
    EXPECT_TRUE(shown || runs[i].first == std::string(16, ' ')) << runs[i].first;
    if (i > 0) {
      EXPECT_NE(runs[i].first, runs[i - 1].first);
    }
    // Every run but the cut first and last lasts 20 cycles: half a second at 25 ms.
    if (i > 0 && i + 1 < runs.size()) {
      EXPECT_EQ(runs[i].second, 20) << i;
    }
  }
  // The stop is pressed in every cycle until the host shows it.
  ExpectOnlyEffect("button 1021", 120);
}

// At rest the letter blinks and the step field alternates with the jog speed; a turning wheel
// holds both in view.
TEST_F(DisplayScenarioTest, TurningTheWheelHoldsTheAxisLetterAndStepSizeInView) {
  session_.host.dros[800] = 12.3456;
  session_.host.dros[828] = 0.01;
  const TrundleWin& window = *Plugin().PendantWindow;
  for (int i = 0; i < 160 && window.Display().State().DisplayCycle != 45; ++i) session_.Tick(1);
  ASSERT_EQ(window.Display().State().DisplayCycle, 45);  // first blink half, speed shown
  WrittenTexts();
  for (int i = 0; i < 100; ++i) {
    session_.pendant.TurnWheel(1);
    session_.Tick(1);
  }
  const std::vector<std::pair<std::string, int>> expected = {
      {"   0.0/M+12.3456", 1},  // the cycle counter moves on before it sees the turning wheel
      {"X  .0100+12.3456", 99},
  };
  EXPECT_EQ(Runs(WrittenTexts()), expected);
  ExpectOnlyEffect("message  Jog OFF. ", 100);  // jogging is off on this host
}

TEST_F(DisplayScenarioTest, SequenceByteCountsTheHostUpdates) {
  session_.Update(254);
  session_.Tick(1);
  ASSERT_FALSE(bus_.Writes().empty());
  EXPECT_EQ(bus_.Writes().back().bytes.at(18), 255);
  session_.Update(1);
  session_.Tick(1);
  EXPECT_EQ(bus_.Writes().back().bytes.at(18), 2);
}

}  // namespace
}  // namespace pendant
