// A started plug-in on the bench with a pendant in step mode on X and a host ready to jog.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/session/bench_session.h"
#include "plugin/plugin_module.h"
#include "tests/scenario/scenario_fixture.h"
#include "tests/support/host_fields.h"

namespace pendant::testing {

class JogFixture : public ScenarioTest {
 protected:
  void SetUp() override {
    bench::SubstituteHost& host = session_.host;
    host.Poke<double>(host.blockC, kJogStepDistance, 0.001);
    for (int axis = 0; axis < 4; ++axis) {
      host.Poke<double>(host.blockC, kAxisFeedBase + 8 * axis, 50.0);
      host.Poke<int32_t>(host.blockC, kAxisFullSpeed + 4 * axis, 10000);
      host.Poke<int32_t>(host.blockC, kAxisJogParam + 4 * axis, 77);
    }
    host.ledsOn.insert(83);  // jogging enabled
    host.dros[133] = 1.0;    // above DRO 22: step lines allowed
    host.dros[3] = 40.0;     // continuous jog at 40 % of full speed
    session_.pendant.Plug();
  }

  void Start() {
    session_.Start();
    session_.Tick(1);  // the first report sets the wheel's reference
    session_.host.TakeEffects();
  }

  // Effects since the last call, one line each.
  std::vector<std::string> Effects() { return TakeEffectLines(); }

  // Effects of one kind only ("code", "button", "setdro", "message").
  std::vector<std::string> EffectsOf(const std::string& kind) {
    std::vector<std::string> lines;
    for (const std::string& line : Effects()) {
      if (line.rfind(kind + " ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  template <typename T>
  T Jog(int axis, size_t field) {
    return session_.host.Peek<T>(session_.host.blockA, JogField(axis, field));
  }

  TrundleWin& Window() { return *Plugin().PendantWindow; }
  // What the display is shown of the decoded pendant.
  PendantView Decoded() { return Window().Engine().View(); }

  void SetMode(int mode) {
    session_.pendant.modeSelector = mode;
    session_.pendant.Send();
  }

  void SetRate(int rate) {
    session_.pendant.wheelRate = static_cast<uint8_t>(rate);
    session_.pendant.Send();
  }
};

}  // namespace pendant::testing
