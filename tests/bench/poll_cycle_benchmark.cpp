// What one poll cycle costs the host's user-interface thread: decoding, the action engine and
// the display, with a host that answers at once, and each of them alone, and one Update call.
// Each cycle has 25 ms; the read waits up to 5.
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

// A started plug-in with a host that answers at once; the pendant on X in the given mode.
class BenchPendant {
 public:
  explicit BenchPendant(int modeSelector) {
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
    input[3] = 1;  // X
    input[4] = static_cast<uint8_t>(modeSelector | 0x10);
  }
  // The wheel one count further at a turning rate.
  void Turn() {
    input[1] = ++counter_;
    input[2] = 40;
  }

  // Decodes and acts on the current report.
  void Decode() { engine.DecodeInput(input); }
  void Compose(const PendantView& view) { display.Compose(view, report); }

  PluginModule module;
  ActionEngine engine{module.host, module.settings, module.updateTicks, module.pollTicks};
  DisplayComposer display{module.host, module.settings, module.updateTicks};
  uint8_t input[kInputReportSize] = {};
  uint8_t report[kDisplayReportSize] = {};

 private:
  uint8_t counter_ = 0;
};

// One pendant in a mode given by the benchmark's argument, the wheel turning every cycle.
void BM_PollCycle(benchmark::State& state) {
  BenchPendant pendant(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    pendant.Turn();
    pendant.module.pollTicks.Step();
    pendant.Decode();
    pendant.Compose(pendant.engine.View());
    benchmark::DoNotOptimize(pendant.report);
  }
}
// Step jog, velocity jog, continuous jog, feed override.
BENCHMARK(BM_PollCycle)->Arg(1)->Arg(2)->Arg(3)->Arg(4);

// Decoding and the action engine alone, in step jog with the wheel turning.
void BM_DecodeInput(benchmark::State& state) {
  BenchPendant pendant(1);
  for (auto _ : state) {
    pendant.Turn();
    pendant.Decode();
    benchmark::DoNotOptimize(pendant.engine.Wheel().Steps());
  }
}
BENCHMARK(BM_DecodeInput);

// The display alone, for the screen of each mode (argument: JogMode; 15: the offline screen).
void BM_ComposeDisplay(benchmark::State& state) {
  BenchPendant pendant(1);
  pendant.Decode();
  PendantView input = pendant.engine.View();
  constexpr int kOffline = 15;
  input.OfflineSwitch = state.range(0) == kOffline;
  if (state.range(0) != kOffline) input.JogMode = static_cast<JogModeValue>(state.range(0));
  for (auto _ : state) {
    pendant.Compose(input);
    benchmark::DoNotOptimize(pendant.report);
  }
}
BENCHMARK(BM_ComposeDisplay)->DenseRange(0, 8)->DenseRange(10, 15);

// One host Update call.
void BM_Update(benchmark::State& state) {
  BenchPendant pendant(1);
  for (auto _ : state) {
    pendant.module.Update();
    benchmark::DoNotOptimize(pendant.module.updateTicks);
  }
}
BENCHMARK(BM_Update);

}  // namespace
}  // namespace pendant::testing

BENCHMARK_MAIN();
