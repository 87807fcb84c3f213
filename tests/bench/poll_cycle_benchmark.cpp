// What one poll cycle costs the host's user-interface thread: decoding, the action engine and
// the display, with a host that answers at once. Each cycle has 25 ms; the read waits up to 5.
#include <benchmark/benchmark.h>

#include <cstring>

#include "plugin/plugin_module.h"
#include "tests/support/host_fields.h"

namespace pendant::testing {
namespace {

double GetDro(int16_t dro) {
  return dro == 133 ? 2.0 : 12.3456;
}
uint8_t GetLed(int16_t led) {
  return led == 83 ? 1 : 0;
}
void DoButton(int16_t) {}
void SetDro(int16_t, double) {}
void Code(const char* line) {
  benchmark::DoNotOptimize(line);
}

uint8_t blockA[kHostBlockASize];
uint8_t blockB[kHostBlockBSize];
uint8_t blockC[kHostBlockCSize];

// One pendant in a mode given by the benchmark's argument, the wheel turning every cycle.
void BM_PollCycle(benchmark::State& state) {
  PluginModule module;
  module.host.callbacks = {DoButton, SetDro, GetDro, GetLed, nullptr, Code};
  module.host.blockA = blockA;
  module.host.blockB = blockB;
  module.host.blockC = blockC;
  module.settings.Decidigit = 2;
  module.settings.VelocityInAuto = 4;
  module.settings.AutoChangeSens = 1;
  module.settings.DelaySteps = 0;
  const double feedBase = 50.0;
  std::memcpy(blockC + kAxisFeedBase, &feedBase, sizeof feedBase);
  TrundleWin window(module);
  window.InputBuffer[3] = 1;  // X
  window.InputBuffer[4] = static_cast<uint8_t>(state.range(0) | 0x10);
  uint8_t counter = 0;
  for (auto _ : state) {
    window.InputBuffer[1] = ++counter;
    window.InputBuffer[2] = 40;
    module.pollTicks.Step();
    window.DecodeInput();
    window.ComposeDisplay();
    benchmark::DoNotOptimize(window.DisplayBuffer);
  }
}
// Step jog, velocity jog, continuous jog, feed override.
BENCHMARK(BM_PollCycle)->Arg(1)->Arg(2)->Arg(3)->Arg(4);

}  // namespace
}  // namespace pendant::testing

BENCHMARK_MAIN();
