// The poll cycle's decoding, actions and display must not touch the heap: every allocation in
// this program is counted, and the pendant is driven through every mode and action.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "plugin/plugin_module.h"
#include "tests/support/host_fields.h"

namespace {

int allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

namespace pendant::testing {
namespace {

// A host that answers without allocating: every DRO reads 1.0 except the step gate, every LED
// that gates motion is on.
double GetDro(int16_t dro) {
  return dro == 133 ? 2.0 : 1.0;
}
uint8_t GetLed(int16_t led) {
  return led == 83 || led == 806 || led == 15 ? 1 : 0;
}
void DoButton(int16_t) {}
void SetDro(int16_t, double) {}
void Code(const char*) {}

struct Report {
  int axis;
  int mode;
  bool key;
  bool offline;
  bool stop;
  int wheel;  // counts turned before this report
};

TEST(PollCycleAllocation, DecodingActingAndComposingAllocateNothing) {
  static uint8_t blockA[kHostBlockASize];
  static uint8_t blockB[kHostBlockBSize];
  static uint8_t blockC[kHostBlockCSize];
  PluginModule module;
  module.host.callbacks = {DoButton, SetDro, GetDro, GetLed, nullptr, Code};
  module.host.blockA = blockA;
  module.host.blockB = blockB;
  module.host.blockC = blockC;
  module.settings.F1 = "A description longer than the display";
  module.settings.S1 = "0.0001";
  module.settings.S2 = "0.001";
  module.settings.S3 = "0.01";
  module.settings.Decidigit = 2;
  module.settings.VelocityInAuto = 4;
  module.settings.AutoChangeSens = 1;
  double feedBase = 50.0;
  std::memcpy(blockC + kAxisFeedBase, &feedBase, sizeof feedBase);
  ActionEngine engine(module.host, module.settings, module.updateTicks, module.pollTicks);
  DisplayComposer display(module.host, module.settings, module.updateTicks);
  uint8_t input[kInputReportSize] = {};
  uint8_t report[kDisplayReportSize] = {};

  std::vector<Report> reports;
  for (int mode = 1; mode <= 6; ++mode) {
    for (int axis = 1; axis <= 7; ++axis) {
      for (int press = 0; press < 4; ++press) {
        reports.push_back({axis, mode, press % 2 == 1, false, false, 3});
      }
      reports.push_back({axis, mode, false, true, false, -2});
      reports.push_back({axis, mode, true, true, false, 0});
      reports.push_back({axis, mode, false, false, true, 1});
    }
  }
  uint8_t counter = 0;
  allocations = 0;
  for (int round = 0; round < 3; ++round) {
    for (const Report& r : reports) {
      counter = static_cast<uint8_t>(counter + r.wheel);
      input[1] = counter;
      input[2] = r.wheel ? 40 : 0;
      input[3] = static_cast<uint8_t>(r.axis | (r.offline ? 0x10 : 0) | (r.stop ? 0x20 : 0) |
                                      (r.key ? 0x40 : 0));
      input[4] = static_cast<uint8_t>(r.mode | 0x10);
      for (int cycle = 0; cycle < 3; ++cycle) {
        module.pollTicks.Step();
        engine.DecodeInput(input);
        display.Compose(engine.View(), report);
        module.Update();
      }
    }
  }
  EXPECT_EQ(allocations, 0);
}

}  // namespace
}  // namespace pendant::testing
