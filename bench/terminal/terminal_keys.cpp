#include "bench/terminal/terminal_keys.h"

#include <cstring>
#include <string>

namespace pendant::bench {
namespace {

// Wheel rates a slow and a fast hand give (byte 2 of the report), and the counts per key.
constexpr int kSlowRate = 40;
constexpr int kFastRate = 160;
constexpr int kFastCounts = 10;
constexpr int kModePositions = 6;
// A tap lasts well under the plug-in's long-press time; a double press is two taps close
// together.
constexpr int64_t kTapMs = 100;

std::string OnOff(bool on) {
  return on ? "on" : "off";
}

KeyOutcome Wheel(InteractiveRun& run, int key) {
  const bool fast = key == '{' || key == '}';
  const int counts = fast ? kFastCounts : 1;
  run.TurnWheel(key == '[' || key == '{' ? -counts : counts, fast ? kFastRate : kSlowRate);
  return KeyOutcome::Done;
}

KeyOutcome AxisSelector(InteractiveRun& run, int key) {
  run.Perform("axis " + std::to_string(key - '0'));
  return KeyOutcome::Done;
}

KeyOutcome ModeSelector(InteractiveRun& run, int key) {
  const int now = run.Session().pendant.modeSelector;
  const int step = key == 'm' ? 1 : kModePositions - 1;
  run.Perform("mode " + std::to_string((now - 1 + step) % kModePositions + 1));
  return KeyOutcome::Done;
}

KeyOutcome Tap(InteractiveRun& run, int) {
  run.Perform("key down");
  run.PerformLater(kTapMs, "key up");
  return KeyOutcome::Done;
}

KeyOutcome DoublePress(InteractiveRun& run, int) {
  run.Perform("key down");
  run.PerformLater(kTapMs, "key up");
  run.PerformLater(2 * kTapMs, "key down");
  run.PerformLater(4 * kTapMs, "key up");
  return KeyOutcome::Done;
}

// The key and the switches toggle; the cable is plugged or pulled.
KeyOutcome Toggle(InteractiveRun& run, int key) {
  const VirtualPendant& pendant = run.Session().pendant;
  switch (key) {
    case 'h':
      run.Perform(pendant.keyDown ? "key up" : "key down");
      break;
    case 'e':
      run.Perform("estop " + OnOff(!pendant.stopEngaged));
      break;
    case 'o':
      run.Perform("offline " + OnOff(!pendant.offline));
      break;
    default:
      run.Perform(pendant.Plugged() ? "pendant unplug" : "pendant plug");
  }
  return KeyOutcome::Done;
}

constexpr KeyBinding kBindings[] = {
    {"] [", "wheel +1/-1 (slow)", "][", Wheel},
    {"} {", "wheel +10/-10 (fast)", "}{", Wheel},
    {"1-7", "axis selector", "1234567", AxisSelector},
    {"m n", "mode selector next/back", "mn", ModeSelector},
    {"k", "tap the key", "k", Tap},
    {"d", "double press", "d", DoublePress},
    {"h", "hold/release the key", "h", Toggle},
    {"e", "e-stop switch", "e", Toggle},
    {"o", "offline switch", "o", Toggle},
    {"u", "unplug/replug", "u", Toggle},
    {"c", "settings", "c", [](InteractiveRun&, int) { return KeyOutcome::OpenSettings; }},
    {"q", "quit", "q", [](InteractiveRun&, int) { return KeyOutcome::Quit; }},
};

}  // namespace

const std::span<const KeyBinding> kKeyBindings(kBindings);

KeyOutcome HandleKey(InteractiveRun& run, int key) {
  for (const KeyBinding& binding : kBindings) {
    if (key > 0 && key < 0x80 && std::strchr(binding.codes, key)) return binding.act(run, key);
  }
  return KeyOutcome::Unknown;
}

}  // namespace pendant::bench
