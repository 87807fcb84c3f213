// The display composer composing against a table host: DROs and LEDs from maps, the
// host's other services counted as calls the display must never make.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "display/display_composer.h"
#include "host/host_interface.h"
#include "host/tick_counters.h"
#include "input/pendant_view.h"
#include "settings/pendant_settings.h"
#include "tests/support/host_fields.h"

namespace pendant::testing {

struct TableHost {
  static inline std::map<int, double> dros;
  static inline std::set<int> leds;
  static inline std::vector<int> drosRead;
  static inline int forbiddenCalls = 0;

  static double GetDro(int16_t dro) {
    drosRead.push_back(dro);
    const auto found = dros.find(dro);
    return found == dros.end() ? 0.0 : found->second;
  }
  static uint8_t GetLed(int16_t led) { return leds.count(led) ? 1 : 0; }
  static void DoButton(int16_t) { ++forbiddenCalls; }
  static void SetDro(int16_t, double) { ++forbiddenCalls; }
  static void SetLed(int16_t, uint8_t) { ++forbiddenCalls; }
  static void Code(const char*) { ++forbiddenCalls; }
};

// What a screen is composed from; the defaults are an extended pendant on X, idle, in the
// second blink half with the step size shown, no program running.
struct Scene {
  JogModeValue jogMode = ModeIdle;
  int32_t axisIndex = 0;
  int32_t displayCycle = 100;
  int32_t animationPhase = 100;
  int32_t axisSelector = 1;
  bool actionKey = false;
  bool stopSwitch = false;
  bool offlineSwitch = false;
  int32_t extendedSelector = 1;
  int32_t screenCode = 1;
  int16_t decidigit = 2;
  bool displyRpm = false;
  std::string f1 = {}, f2 = {}, f3 = {}, f4 = {};
  double stepJogPercent = 50.0;
  int32_t slowDownDivisor = 2;
  double feedBase = 0.0;  // of every axis
  std::set<int> leds = {};
  std::map<int, double> dros = {};
};

class DisplayFixture : public ::testing::Test {
 protected:
  DisplayFixture() : blockC_(kHostBlockCSize) {
    TableHost::dros.clear();
    TableHost::leds.clear();
    TableHost::drosRead.clear();
    TableHost::forbiddenCalls = 0;
    HostCallbacks& callbacks = host_.callbacks;
    callbacks.getDro = &TableHost::GetDro;
    callbacks.getLed = &TableHost::GetLed;
    callbacks.doButton = &TableHost::DoButton;
    callbacks.setDro = &TableHost::SetDro;
    callbacks.setLed = &TableHost::SetLed;
    callbacks.code = &TableHost::Code;
    host_.blockC = blockC_.data();
  }

  void Apply(const Scene& scene) {
    view_.JogMode = scene.jogMode;
    view_.AxisIndex = scene.axisIndex;
    // The composer goes on from what it kept, at the scene's cycle.
    DisplayState kept = composer_->State();
    kept.DisplayCycle = scene.displayCycle;
    composer_.emplace(host_, settings_, ticks_, kept);
    ticks_.AnimationPhase = scene.animationPhase;
    view_.AxisSelector = scene.axisSelector;
    view_.ActionKey = scene.actionKey;
    view_.StopSwitch = scene.stopSwitch;
    view_.OfflineSwitch = scene.offlineSwitch;
    view_.ExtendedSelector = scene.extendedSelector;
    view_.CurrentScreenCode = scene.screenCode;
    settings_.Decidigit = scene.decidigit;
    settings_.DisplyRPM = scene.displyRpm;
    settings_.F1 = scene.f1;
    settings_.F2 = scene.f2;
    settings_.F3 = scene.f3;
    settings_.F4 = scene.f4;
    view_.StepJogPercent = scene.stepJogPercent;
    view_.SlowDownDivisor = scene.slowDownDivisor;
    for (int axis = 0; axis < kHostAxisCount; ++axis) {
      std::memcpy(blockC_.data() + kAxisFeedBase + 8 * axis, &scene.feedBase, sizeof(double));
    }
    TableHost::dros = scene.dros;
    TableHost::leds = scene.leds;
  }

  // Composes the scene and returns the 16 text bytes, line 1 then line 2.
  std::string Compose(const Scene& scene) {
    Apply(scene);
    composer_->Compose(view_, report_);
    return Text();
  }

  std::string Text() const { return std::string(reinterpret_cast<const char*>(report_) + 2, 16); }

  Host host_;
  PendantSettings settings_;
  UpdateTicks ticks_;
  PendantView view_;
  std::optional<DisplayComposer> composer_{std::in_place, host_, settings_, ticks_};
  uint8_t report_[kDisplayReportSize] = {};
  std::vector<uint8_t> blockC_;
};

}  // namespace pendant::testing
