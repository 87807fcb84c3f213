// Any stream of input reports, host Update calls and settings must be decoded, acted on and
// shown without a crash, and the display report must never be written past its text.
#include <cstdlib>
#include <cstring>

#include "plugin/plugin_module.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

using namespace pendant;

double dro = 0.0;
uint8_t leds = 0;

double GetDro(int16_t) {
  return dro;
}
uint8_t GetLed(int16_t led) {
  return (leds >> (led % 8)) & 1;
}
void DoButton(int16_t) {}
void SetDro(int16_t, double value) {
  dro = value;
}
void Code(const char* line) {
  if (std::strlen(line) > 1000) std::abort();  // every line fits its buffer and ends
}

uint8_t blockA[kHostBlockASize];
uint8_t blockB[kHostBlockBSize];
uint8_t blockC[kHostBlockCSize];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PluginModule module;
  module.host.callbacks = {DoButton, SetDro, GetDro, GetLed, nullptr, Code};
  module.host.blockA = blockA;
  module.host.blockB = blockB;
  module.host.blockC = blockC;
  TrundleWin window(module);
  window.DisplayBuffer[19] = 0xA5;
  window.DisplayBuffer[20] = 0x5A;
  // Each record: 8 report bytes, then one control byte (Update calls, LEDs, settings, a DRO).
  constexpr size_t kRecord = 10;
  for (size_t at = 0; at + kRecord <= size; at += kRecord) {
    std::memcpy(window.InputBuffer, data + at, kInputReportSize);
    const uint8_t control = data[at + 8];
    const uint8_t extra = data[at + 9];
    leds = extra;
    std::memcpy(&dro, data + at, sizeof dro);  // any bit pattern: huge, NaN, infinite
    module.settings.Decidigit = static_cast<int16_t>(static_cast<int8_t>(extra));
    module.settings.VelocityInAuto = static_cast<int16_t>(static_cast<int8_t>(control));
    module.settings.BUTTON[control & 3] = static_cast<int16_t>(static_cast<int8_t>(extra));
    module.settings.ScreenSel2 = static_cast<int16_t>(static_cast<int8_t>(control));
    module.settings.F4.assign(extra % 40, 'F');
    module.settings.S2.assign(reinterpret_cast<const char*>(data + at), 8);
    module.settings.Xreverse = control & 0x80;
    for (int update = 0; update < (control & 7); ++update) module.Update();
    module.pollTicks.Step();
    window.DecodeInput();
    window.ComposeDisplay();
    if (window.DisplayBuffer[19] != 0xA5 || window.DisplayBuffer[20] != 0x5A) std::abort();
  }
  return 0;
}
