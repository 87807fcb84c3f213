// Finding, losing and regaining the pendant through device notices on the virtual HID bus.
#include <gtest/gtest.h>

#include <string>

#include "bench/session/bench_session.h"
#include "device/pendant_link.h"
#include "device/virtual_hid_bus.h"
#include "pendant/pendant_ids.h"
#include "platform/virtual_desktop.h"
#include "plugin/plugin_module.h"
#include "tests/scenario/scenario_fixture.h"

namespace pendant {
namespace {

using bench::BenchSession;
using bench::HostEffect;

constexpr const char* kKeyboardPath = "\\\\?\\hid#vid_046d&pid_c31c#keyboard";

class DeviceLinkTest : public testing::ScenarioTest {
 protected:
  void SetUp() override { session_.pendant.Plug(); }

  void StartHost() {
    session_.host.Start(session_.profilePath);
    session_.host.PostInit();
  }

  TrundleWin& Window() { return *Plugin().PendantWindow; }
  uint8_t DecodedWheel() { return Window().Engine().Report().wheelCounter; }
  int Open(const std::string& path, HidAccess access) { return bus_.OpenHandles(path, access); }
  const std::string& PendantPath() const { return session_.pendant.path; }

  // Handles ever opened on path with the given access (open or closed since).
  int EverOpened(const std::string& path, HidAccess access) {
    int count = 0;
    for (const auto& [handle, record] : bus_.Handles()) {
      count += record.path == path && record.access == access;
    }
    return count;
  }

  std::vector<int> ButtonsSent() {
    std::vector<int> buttons;
    for (const HostEffect& effect : session_.host.TakeEffects()) {
      if (effect.kind == HostEffect::Kind::Button) buttons.push_back(effect.number);
    }
    return buttons;
  }

  VirtualHidBus& bus_ = VirtualHidBus::Instance();
};

TEST_F(DeviceLinkTest, PendantPresentAtStartIsOpenedForReadAndWrite) {
  StartHost();
  EXPECT_TRUE(Window().Link().DeviceOpen());
  EXPECT_EQ(Window().Link().DevicePath(), PendantPath());
  EXPECT_EQ(Window().Link().NotifyPath(), PendantPath());
  EXPECT_EQ(Open(PendantPath(), HidAccess::Read), 1);
  EXPECT_EQ(Open(PendantPath(), HidAccess::Write), 1);
  EXPECT_EQ(Open(PendantPath(), HidAccess::Probe), 1);  // kept until the window goes
  session_.Tick(3);
  EXPECT_EQ(bus_.Writes().size(), 3u);
}

TEST_F(DeviceLinkTest, OnlyTheFirstOfTwoPendantsIsOpened) {
  const std::string second = "\\\\?\\hid#vid_04d8&pid_fce2#second";
  bus_.Plug(second, kPendantVendorId, kPendantProductId);
  StartHost();
  EXPECT_EQ(Window().Link().DevicePath(), PendantPath());
  EXPECT_EQ(EverOpened(second, HidAccess::Probe), 0);
  EXPECT_EQ(EverOpened(second, HidAccess::Read), 0);
  EXPECT_EQ(EverOpened(second, HidAccess::Write), 0);
}

TEST_F(DeviceLinkTest, OtherDevicesAreProbedAndClosedOnTheWay) {
  session_.pendant.Unplug();
  const std::string sameVendor = "\\\\?\\hid#vid_04d8&pid_0001#other";
  bus_.Plug(kKeyboardPath, 0x046D, 0xC31C);
  bus_.Plug(sameVendor, kPendantVendorId, 0x0001);
  session_.pendant.Plug();
  StartHost();
  for (const std::string& path : {std::string(kKeyboardPath), sameVendor}) {
    EXPECT_EQ(EverOpened(path, HidAccess::Probe), 1) << path;
    EXPECT_EQ(Open(path, HidAccess::Probe), 0) << path;
    EXPECT_EQ(EverOpened(path, HidAccess::Read), 0) << path;
  }
  EXPECT_TRUE(Window().Link().DeviceOpen());
  EXPECT_EQ(Window().Link().DevicePath(), PendantPath());
}

TEST_F(DeviceLinkTest, AnotherDeviceArrivingReopensThePendantWhichKeepsWorking) {
  StartHost();
  const DeviceHandle oldRead = Window().Link().ReadHandle();
  const DeviceHandle oldWrite = Window().Link().WriteHandle();
  bus_.Plug(kKeyboardPath, 0x046D, 0xC31C);

  EXPECT_NE(Window().Link().ReadHandle(), oldRead);
  EXPECT_NE(Window().Link().WriteHandle(), oldWrite);
  EXPECT_FALSE(bus_.Handles().at(oldRead).open);
  EXPECT_FALSE(bus_.Handles().at(oldWrite).open);
  EXPECT_EQ(Open(PendantPath(), HidAccess::Read), 1);
  EXPECT_EQ(Open(PendantPath(), HidAccess::Write), 1);

  session_.pendant.TurnWheel(4);
  bus_.ClearWrites();
  session_.Tick(2);
  EXPECT_EQ(DecodedWheel(), 4);
  EXPECT_EQ(bus_.Writes().size(), 2u);
  EXPECT_TRUE(ButtonsSent().empty());
}

TEST_F(DeviceLinkTest, AnotherDeviceLeavingChangesNothing) {
  bus_.Plug(kKeyboardPath, 0x046D, 0xC31C);
  StartHost();
  const DeviceHandle read = Window().Link().ReadHandle();
  session_.host.TakeEffects();
  bus_.Unplug(kKeyboardPath);
  EXPECT_EQ(Window().Link().ReadHandle(), read);
  EXPECT_TRUE(Window().Link().DeviceOpen());
  EXPECT_TRUE(ButtonsSent().empty());
}

TEST_F(DeviceLinkTest, UnpluggedPendantIsClosedAndTheHostStopped) {
  StartHost();
  session_.Tick(2);
  session_.host.TakeEffects();
  session_.pendant.Unplug();

  EXPECT_FALSE(Window().Link().DeviceOpen());
  EXPECT_FALSE(IsOpen(Window().Link().ReadHandle()));
  EXPECT_FALSE(IsOpen(Window().Link().WriteHandle()));
  EXPECT_EQ(Open(PendantPath(), HidAccess::Read), 0);
  EXPECT_EQ(Open(PendantPath(), HidAccess::Write), 0);
  EXPECT_EQ(ButtonsSent(), std::vector<int>{1021});

  const unsigned reads = bus_.ReadsStarted();
  bus_.ClearWrites();
  session_.Wait(500);
  EXPECT_EQ(bus_.ReadsStarted(), reads);
  EXPECT_TRUE(bus_.Writes().empty());
  EXPECT_TRUE(ButtonsSent().empty());
}

// 1021 toggles the host's stop: with the host already stopped it would release the stop.
TEST_F(DeviceLinkTest, UnplugWhileTheHostIsStoppedSendsNoStopToggle) {
  StartHost();
  session_.host.ledsOn.insert(800);
  session_.host.TakeEffects();
  session_.pendant.Unplug();
  EXPECT_FALSE(Window().Link().DeviceOpen());
  EXPECT_TRUE(ButtonsSent().empty());
}

TEST_F(DeviceLinkTest, RemovalNoticeMatchesThePathWithoutRegardToCase) {
  StartHost();
  session_.host.TakeEffects();
  std::string shouted = PendantPath();
  for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  bus_.Unplug(PendantPath(), shouted);
  EXPECT_FALSE(Window().Link().DeviceOpen());
  EXPECT_EQ(ButtonsSent(), std::vector<int>{1021});
}

// Letters match whatever their case, all of A to Z; the characters just outside them, which
// differ from others by the same bit, do not.
TEST_F(DeviceLinkTest, RemovalNoticeFoldsTheCaseOfLettersOnly) {
  const std::string root = "\\\\?\\hid#";
  struct Case {
    std::string path;
    std::string notice;
    bool matches;
  };
  const Case cases[] = {
      {root + "abcdefghijklmnopqrstuvwxyz", root + "ABCDEFGHIJKLMNOPQRSTUVWXYZ", true},
      {root + "ABCDEFGHIJKLMNOPQRSTUVWXYZ", root + "abcdefghijklmnopqrstuvwxyz", true},
      {root + "x@", root + "x`", false},
      {root + "x`", root + "x@", false},
      {root + "x[", root + "x{", false},
      {root + "x{", root + "x[", false},
  };
  for (const Case& c : cases) {
    session_.Reset();
    session_.pendant.path = c.path;
    session_.pendant.Plug();
    StartHost();
    bus_.Unplug(c.path, c.notice);
    EXPECT_EQ(Window().Link().DeviceOpen(), !c.matches) << c.notice;
    EXPECT_EQ(ButtonsSent(), c.matches ? std::vector<int>{1021} : std::vector<int>{}) << c.notice;
  }
}

// Either handle alone keeps the pendant open and in use: without the write handle its reports
// are still read and acted on, without the read handle its display is still written.
TEST_F(DeviceLinkTest, PendantWithOneHandleRefusedWorksThroughTheOther) {
  struct Case {
    HidAccess refused;
    bool reads;
    size_t writes;
  };
  const Case cases[] = {{HidAccess::Write, true, 0}, {HidAccess::Read, false, 3}};
  for (const Case& c : cases) {
    session_.Reset();
    session_.pendant.Plug();
    bus_.RefuseOpens(PendantPath(), c.refused);
    StartHost();
    EXPECT_TRUE(Window().Link().DeviceOpen());
    session_.Tick(1);
    session_.pendant.TurnWheel(2);
    session_.Tick(2);
    EXPECT_EQ(bus_.ReadsStarted() > 0, c.reads);
    EXPECT_EQ(DecodedWheel(), c.reads ? 2 : 0);
    EXPECT_EQ(bus_.Writes().size(), c.writes);
    session_.host.TakeEffects();  // jogging is off: the turn only shows its message
  }
}

TEST_F(DeviceLinkTest, ReplugReopensThePendantAndTrafficResumes) {
  StartHost();
  session_.pendant.Unplug();
  session_.Tick(4);
  session_.pendant.Plug();
  EXPECT_TRUE(Window().Link().DeviceOpen());
  bus_.ClearWrites();
  session_.Tick(1);
  session_.pendant.TurnWheel(6);
  session_.Tick(1);
  EXPECT_EQ(DecodedWheel(), 6);
  EXPECT_EQ(bus_.Writes().size(), 2u);
  // The removal stopped the host; the turn after the replug is decoded and, with jogging off,
  // answered on the host's message line.
  EXPECT_EQ(TakeEffectLines(), (std::vector<std::string>{"button 1021", "message  Jog OFF. "}));
}

// An arrival whose reopen fails leaves the pendant closed: the last report of a removed pendant
// is never decoded again as if it were live input.
TEST_F(DeviceLinkTest, ArrivalOfAnotherDeviceWhilePendantIsAwayKeepsItClosed) {
  StartHost();
  session_.pendant.Unplug();
  bus_.ClearWrites();
  const unsigned reads = bus_.ReadsStarted();
  bus_.Plug(kKeyboardPath, 0x046D, 0xC31C);
  EXPECT_FALSE(Window().Link().DeviceOpen());
  session_.Tick(5);
  EXPECT_EQ(bus_.ReadsStarted(), reads);
  EXPECT_TRUE(bus_.Writes().empty());
  ExpectOnlyEffect("button 1021", 1);  // the removal's stop, and nothing from the keyboard
}

// Closing the link releases every handle it opened and ends its subscription: the window, still
// there, hears no more notices.
TEST_F(DeviceLinkTest, ClosingTheLinkReleasesEveryHandleAndEndsItsSubscription) {
  struct CountedNotices : WindowEvents {
    int notices = 0;
    bool OnTimer() override { return true; }
    void OnDeviceChange(uintptr_t, const void*) override { ++notices; }
  } events;
  VirtualDesktop& desktop = VirtualDesktop::Instance();
  const NativeWindow window =
      desktop.CreateChild(desktop.CreateHostWindow(), "TrundleWin", 1, 10, 10, events);
  PendantLink link;
  ASSERT_EQ(link.FindPendant(window), LinkChange::Opened);
  bus_.Plug(kKeyboardPath, 0x046D, 0xC31C);
  ASSERT_EQ(events.notices, 1);

  link.Close();
  for (const auto& [handle, record] : bus_.Handles()) {
    EXPECT_FALSE(record.open) << record.path << " access " << static_cast<int>(record.access);
  }
  bus_.Unplug(kKeyboardPath);
  EXPECT_EQ(events.notices, 1);
}

// Notices are subscribed even without a pendant at start-up, and its arrival runs the
// discovery again: a pendant plugged in later works without restarting the host.
TEST_F(DeviceLinkTest, PendantMissingAtStartIsFoundWhenPluggedInLater) {
  session_.pendant.Unplug();
  StartHost();
  EXPECT_EQ(Open(PendantPath(), HidAccess::Read), 0);
  session_.pendant.Plug();
  EXPECT_EQ(Open(PendantPath(), HidAccess::Read), 1);
  EXPECT_EQ(Open(PendantPath(), HidAccess::Write), 1);
  session_.Tick(3);
  EXPECT_EQ(bus_.Writes().size(), 3u);
}

}  // namespace
}  // namespace pendant
