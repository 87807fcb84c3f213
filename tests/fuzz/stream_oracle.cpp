#include "tests/fuzz/stream_oracle.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "host/host_fields.h"
#include "settings/selection_tables.h"

namespace pendant::testing {
namespace {

using bench::HostEffect;

// Button codes the plug-in can send besides the function list's and the OEM settings', written
// out apart from the code that sends them.
constexpr int kFixedButtons[] = {110,  204,  205,  323,  1000, 1001, 1002, 1003,
                                 1008, 1009, 1010, 1011, 1021, 334,  335,  336,
                                 337,  1,    2,    3,    5,    6,    7};
constexpr int kStopButton = 1021;
// Function-list codes in this range are the plug-in's own and never reach the host as such.
constexpr int kFirstOwnCode = 800;
constexpr int kLastOwnCode = 899;

bool IsCode(const HostEffect& effect, std::string_view text) {
  return effect.kind == HostEffect::Kind::Code && effect.text == text;
}

bool IsMoveLine(const HostEffect& effect) {
  return effect.kind == HostEffect::Kind::Code && effect.text.starts_with("G91");
}

bool JogModeInValueSet(int32_t mode) {
  return mode >= 0 && mode <= 14 && mode != 9;
}

void PrintAndAbort(const std::string& message) {
  std::fprintf(stderr, "oracle: %s\n", message.c_str());
  std::abort();
}

std::string Describe(std::span<const HostEffect> effects) {
  std::string text;
  for (const HostEffect& effect : effects) text += " [" + effect.ToString() + "]";
  return text;
}

}  // namespace

StreamOracle::StreamOracle(FailureHandler onFailure)
    : onFailure_(onFailure ? onFailure : PrintAndAbort) {}

void StreamOracle::Fail(const std::string& message) const {
  onFailure_(message);
}

bool StreamOracle::ButtonAllowed(int code, const PendantSettings& settings) const {
  for (int fixed : kFixedButtons) {
    if (code == fixed) return true;
  }
  for (const char* row : FunctionList) {
    const int rowCode = RowCode(row);
    if (rowCode == code && (rowCode < kFirstOwnCode || rowCode > kLastOwnCode)) return true;
  }
  return code == settings.OEM1 || code == settings.OEM2 || code == settings.OEM3 ||
         code == settings.OEM4;
}

bool StreamOracle::FollowJogWords(std::span<const HostEffect> effects, int32_t mode, int32_t axis) {
  bool endedFirst = false;
  bool started = false;
  for (const HostEffect& effect : effects) {
    if (IsCode(effect, "ENDJOG")) {
      if (!started) endedFirst = true;
      jogActive_ = false;
    } else if (IsCode(effect, "DOJOG")) {
      started = true;
      if (!jogActive_) ++wheelJogsStarted;
      jogActive_ = true;
      jogMode_ = mode;
      jogAxis_ = axis;
    }
  }
  return endedFirst;
}

void StreamOracle::CheckCycle(const PluginModule& module, bool decoded,
                              std::span<const HostEffect> effects) {
  const ActionEngine& engine = module.PendantWindow->Engine();
  const PendantView state = engine.View();
  if (!decoded) {
    if (!effects.empty()) Fail("a cycle without the pendant acted:" + Describe(effects));
    return;
  }
  if (!JogModeInValueSet(state.JogMode)) Fail("JogMode " + std::to_string(state.JogMode));
  if (state.AxisIndex < 0 || state.AxisIndex > 3) {
    Fail("AxisIndex " + std::to_string(state.AxisIndex));
  }
  const int32_t steps = engine.Wheel().Steps();
  const bool turning = state.WheelRate != 0;
  int motions = 0;
  for (const HostEffect& effect : effects) {
    if (IsMoveLine(effect)) {
      ++motions;
      ++moveLines;
      if (steps == 0) Fail("a move line in a cycle without counts:" + Describe(effects));
    } else if (IsCode(effect, "DOJOG")) {
      ++motions;
      // The jog's stop test adds the counts of the last two cycles that reached it, which can
      // lie further back than two decoded cycles (the mode-change pause does not advance it).
      const bool counted = steps != 0 || engine.WheelJogging().CountedRecently();
      if (!turning || !counted) {
        Fail("DOJOG without the wheel turning (rate " + std::to_string(state.WheelRate) +
             ", counts " + std::to_string(steps) + "):" + Describe(effects));
      }
    } else if (effect.kind == HostEffect::Kind::Button &&
               !ButtonAllowed(effect.number, module.settings)) {
      Fail("button code " + std::to_string(effect.number) + " the plug-in cannot send");
    }
  }
  if (motions > 1) Fail("more than one motion in a cycle:" + Describe(effects));

  const bool wasActive = jogActive_;
  const int32_t mode = jogMode_;
  const int32_t axis = jogAxis_;
  const bool endedFirst = FollowJogWords(effects, state.JogMode, state.AxisIndex);
  const bool inhibited = module.host.blockA[host_fields::kJogInhibit] != 0;
  const bool leaves =
      state.OfflineSwitch || inhibited || state.JogMode != mode || state.AxisIndex != axis;
  if (wasActive && leaves && !endedFirst) {
    Fail("a wheel jog in mode " + std::to_string(mode) +
         " left without ENDJOG:" + Describe(effects));
  }
}

void StreamOracle::CheckRemoval(bool wasOpen, bool isOpen, bool stopLedOn,
                                std::span<const HostEffect> effects) {
  ++removals;
  int stops = 0;
  for (const HostEffect& effect : effects) {
    if (effect.kind == HostEffect::Kind::Button && effect.number == kStopButton) ++stops;
    if (IsMoveLine(effect) || IsCode(effect, "DOJOG")) Fail("a removal moved an axis");
  }
  stopsSentOnRemoval += stops;
  if (stops > 1) Fail("removal sent 1021 " + std::to_string(stops) + " times");
  if (stops > 0 && stopLedOn) Fail("removal sent 1021 while LED 800 was on");
  const bool closed = wasOpen && !isOpen;
  if (closed && !stopLedOn) {
    ++removalsWithStopLedOff;
    if (stops != 1) Fail("the pendant's removal with LED 800 off sent no 1021");
  }
  const bool wasActive = jogActive_;
  const bool endedFirst = FollowJogWords(effects, jogMode_, jogAxis_);
  if (closed && wasActive && !endedFirst) Fail("removal left a wheel jog running");
  if (!closed && !effects.empty()) Fail("a foreign removal acted:" + Describe(effects));
}

void StreamOracle::CheckQuietEvent(std::span<const HostEffect> effects, const char* event) {
  if (!effects.empty()) Fail(std::string(event) + " acted:" + Describe(effects));
}

void StreamOracle::CheckStop(std::span<const HostEffect> effects) {
  const bool wasActive = jogActive_;
  const bool endedFirst = FollowJogWords(effects, jogMode_, jogAxis_);
  if (wasActive && !endedFirst) Fail("StopPlug left a wheel jog running");
  if (jogActive_) Fail("StopPlug started a jog");
}

void StreamOracle::CheckWrittenReport(std::span<const uint8_t> report, uint8_t byte19,
                                      uint8_t byte20) {
  if (report.size() != kDisplayReportSize) Fail("a display report of the wrong size");
  if (report[19] != byte19 || report[20] != byte20) Fail("display bytes 19 and 20 changed");
}

}  // namespace pendant::testing
