// A host whose callbacks pump messages (a message box, a macro with its own loop): the pendant
// window's ticks and notices arrive inside the plug-in's own poll cycle.
#include <functional>

#include "config/virtual_dialog.h"
#include "device/virtual_hid_bus.h"
#include "host/host_numbers.h"
#include "platform/virtual_desktop.h"
#include "plugin/exports.h"
#include "tests/scenario/jog_fixture.h"

namespace pendant::testing {
namespace {

using Lines = std::vector<std::string>;
using bench::HostEffect;

constexpr int kPumpMs = 200;

class PumpingHost : public JogFixture {
 protected:
  // Inside every callback of an effect that matches, the host first runs its message loop for
  // kPumpMs, then does what more it does there. Like the real host it shows its stop on 1021.
  void PumpInside(std::function<bool(const HostEffect&)> matches, std::function<void()> more = {}) {
    bench::SubstituteHost& host = session_.host;
    host.insideCallback = [&host, matches, more](const HostEffect& effect) {
      if (effect.kind == HostEffect::Kind::Button && effect.number == kEmergencyStopButton &&
          !host.ledsOn.erase(kEmergencyStopLed)) {
        host.ledsOn.insert(kEmergencyStopLed);
      }
      if (!matches(effect)) return;
      VirtualDesktop& desktop = VirtualDesktop::Instance();
      desktop.AdvanceTo(desktop.NowMs() + kPumpMs);
      if (more) more();
    };
  }

  static bool AnyButton(const HostEffect& effect) {
    return effect.kind == HostEffect::Kind::Button;
  }
};

TEST_F(PumpingHost, AStopSwitchHeldASecondSendsOne1021) {
  Start();
  PumpInside(AnyButton);
  session_.pendant.stopEngaged = true;
  session_.pendant.Send();
  session_.Wait(1000);
  EXPECT_EQ(Effects(), (Lines{"button 1021"}));
}

TEST_F(PumpingHost, AModeSelectorMoveSendsOneModeChangeButton) {
  Start();
  PumpInside(AnyButton);
  SetMode(2);
  session_.Wait(1000);
  EXPECT_EQ(Effects(), (Lines{"button 334"}));
}

TEST_F(PumpingHost, StopPlugInsideCodeEndsTheJogAndTheCycleTouchesNothingAfterwards) {
  session_.SetProfileKey("DelaySteps", "0");
  Start();
  SetMode(2);  // velocity
  session_.Wait(100);
  Effects();
  bool stopReturned = false;
  PumpInside(
      [](const HostEffect& effect) { return effect.text == "DOJOG"; },
      [&] {
        ::StopPlug();
        stopReturned = true;
        // Everything StopPlug does is done by the time it returns.
        EXPECT_TRUE(VirtualDesktop::Instance().ChildrenOf(session_.host.window).empty());
        EXPECT_EQ(VirtualHidBus::Instance().OpenHandles(session_.pendant.path, HidAccess::Read), 0);
        EXPECT_EQ(Jog<uint8_t>(0, 14), 1);  // the axis's stop byte
      });
  session_.pendant.TurnWheel(2);
  session_.Tick(1);
  session_.Wait(500);

  EXPECT_TRUE(stopReturned);
  EXPECT_EQ(Effects(), (Lines{"code DOJOG", "code ENDJOG"}));
  EXPECT_EQ(VirtualDesktop::Instance().NextTickDueMs(), VirtualDesktop::kNever);
  // The host goes on: the plug-in starts again.
  session_.Start();
  session_.Wait(100);
  EXPECT_EQ(VirtualHidBus::Instance().OpenHandles(session_.pendant.path, HidAccess::Read), 1);
  Effects();
}

TEST_F(PumpingHost, ARemovalInsideACallbackClosesThePendantOnceTheCycleEnds) {
  Start();
  int openInside = -1;
  PumpInside([](const HostEffect& effect) { return effect.number == 334; },
             [&] {
               session_.pendant.Unplug();
               openInside =
                   VirtualHidBus::Instance().OpenHandles(session_.pendant.path, HidAccess::Read);
             });
  SetMode(2);
  session_.Tick(1);

  EXPECT_EQ(openInside, 1) << "the cycle's handles were closed under it";
  EXPECT_EQ(VirtualHidBus::Instance().OpenHandles(session_.pendant.path, HidAccess::Read), 0);
  // The removal is acted on as usual: the host's stop is toggled.
  EXPECT_EQ(Effects(), (Lines{"button 334", "button 1021"}));
}

TEST_F(PumpingHost, ConfigAndUpdateInsideACallbackWorkAsOutside) {
  Start();
  PumpInside(AnyButton, [] {
    QueueDialogTurns({});
    ::Config();
    ::Update();
  });
  const int before = Plugin().updateTicks.ReportSequence;
  SetMode(2);
  session_.Tick(1);
  EXPECT_EQ(Effects(), (Lines{"button 334"}));
  EXPECT_EQ(session_.ProfileKey("DelaySteps"), "25");
  EXPECT_EQ(Plugin().updateTicks.ReportSequence, before + 1);
}

}  // namespace
}  // namespace pendant::testing
