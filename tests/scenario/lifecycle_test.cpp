// The plug-in's life as the host drives it through the exports.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "bench/session/bench_session.h"
#include "device/virtual_hid_bus.h"
#include "platform/virtual_desktop.h"
#include "plugin/exports.h"
#include "plugin/plugin_module.h"
#include "settings/pendant_settings.h"

namespace pendant {
namespace {

using bench::BenchSession;

TEST(Lifecycle, SetProNameReturnsTheFullNameAndCreatesTheProfile) {
  BenchSession session;
  ASSERT_FALSE(std::filesystem::exists(session.profilePath));
  const char* name = SetProName(HostString{session.profilePath.c_str()});
  EXPECT_STREQ(name, "QorvixK7R Pendant --Brenmark Ver 4.0.0");

  pugi::xml_document document;
  ASSERT_TRUE(document.load_file(session.profilePath.c_str()));
  EXPECT_STREQ(document.document_element().name(), "profile");
  EXPECT_FALSE(document.document_element().first_child());
}

TEST(Lifecycle, InitControlCreatesTheHiddenPendantWindowWithoutATimer) {
  BenchSession session;
  SetProName(HostString{session.profilePath.c_str()});
  bench::SubstituteHost& host = session.host;
  EXPECT_TRUE(InitControl(host.blockA.data(), host.blockB.data(), host.blockC.data(),
                          host.parentWindow.data()));

  VirtualDesktop& desktop = VirtualDesktop::Instance();
  const auto children = desktop.ChildrenOf(host.window);
  ASSERT_EQ(children.size(), 1u);
  const VirtualDesktop::Window* window = desktop.Find(children[0]);
  EXPECT_EQ(window->className, "TrundleWin");
  EXPECT_EQ(window->controlId, 1);
  EXPECT_FALSE(window->visible);
  EXPECT_EQ(window->width, 10);
  EXPECT_EQ(window->height, 10);
  EXPECT_EQ(window->timerIntervalMs, 0u);
  EXPECT_EQ(desktop.NextTickDueMs(), VirtualDesktop::kNever);
}

TEST(Lifecycle, PostInitControlStartsThe25msTimerEvenWithoutAPendant) {
  BenchSession session;
  session.pendant.Unplug();
  session.host.Start(session.profilePath);
  session.host.PostInit();

  VirtualDesktop& desktop = VirtualDesktop::Instance();
  const VirtualDesktop::Window* window = desktop.Find(desktop.ChildrenOf(session.host.window)[0]);
  EXPECT_EQ(window->timerId, 1u);
  EXPECT_EQ(window->timerIntervalMs, 25u);
  session.Wait(1000);
  EXPECT_EQ(window->ticksDelivered, 40u);
}

TEST(Lifecycle, StopPlugClosesThePendantAndDestroysTheWindow) {
  BenchSession session;
  session.Start();
  VirtualHidBus& bus = VirtualHidBus::Instance();
  ASSERT_EQ(bus.OpenHandles(session.pendant.path, HidAccess::Read), 1);

  StopPlug();
  EXPECT_TRUE(VirtualDesktop::Instance().ChildrenOf(session.host.window).empty());
  for (HidAccess access : {HidAccess::Probe, HidAccess::Read, HidAccess::Write}) {
    EXPECT_EQ(bus.OpenHandles(session.pendant.path, access), 0);
  }
  EXPECT_EQ(VirtualDesktop::Instance().NextTickDueMs(), VirtualDesktop::kNever);
}

TEST(Lifecycle, UpdateAdvancesTheTickCounters) {
  BenchSession session;
  session.Start();
  session.Update(3);
  const UpdateTicks& ticks = Plugin().updateTicks;
  EXPECT_EQ(ticks.ReportSequence, 4);
  EXPECT_EQ(ticks.AnimationPhase, 97);
  EXPECT_EQ(ticks.PressTicks, 103);
}

TEST(Lifecycle, EmptyEntryPointsChangeNothing) {
  BenchSession session;
  session.Start();
  session.Wait(100);
  session.host.TakeEffects();
  VirtualHidBus::Instance().ClearWrites();
  const UpdateTicks before = Plugin().updateTicks;

  DoDwell();
  Reset();
  JogOn();
  JogOff();
  Purge();
  Probe();
  Home();

  const UpdateTicks& after = Plugin().updateTicks;
  EXPECT_EQ(after.PressTicks, before.PressTicks);
  EXPECT_EQ(after.ReportSequence, before.ReportSequence);
  EXPECT_EQ(after.AnimationPhase, before.AnimationPhase);
  EXPECT_TRUE(session.host.effects.empty());
  EXPECT_TRUE(VirtualHidBus::Instance().Writes().empty());
}

// A host whose file dialogs move the current directory: the profile stays the file it named.
TEST(Lifecycle, ARelativeProfileNameIsTheFileItNamedAtSetProName) {
  BenchSession session;
  const std::filesystem::path first = std::filesystem::path(session.profilePath).parent_path();
  const std::filesystem::path elsewhere = first / "elsewhere";
  std::filesystem::create_directory(elsewhere);
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(first);
  SetProName(HostString{"rel.xml"});
  std::filesystem::current_path(elsewhere);
  Config();
  std::filesystem::current_path(before);

  pugi::xml_document document;
  ASSERT_TRUE(document.load_file((first / "rel.xml").c_str()));
  EXPECT_STREQ(document.document_element().child(kSettingsSection).child("DelaySteps").text().get(),
               "25");
  EXPECT_FALSE(std::filesystem::exists(elsewhere / "rel.xml"));
}

// The address space this process has mapped.
size_t MappedBytes() {
  std::ifstream statm("/proc/self/statm");
  size_t pages = 0;
  statm >> pages;
  return pages * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// A host short of memory: an allocation fails inside an entry point, which returns as if it had
// had nothing to do (an exception reaching the host would end its process), and polling goes on.
TEST(Lifecycle, AnEntryPointThatRunsOutOfMemoryReturnsAndPollingGoesOn) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory needs the address space a limit takes away";
#endif
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    BenchSession session;
    session.Start();
    session.Wait(100);
    const std::string hugeName(64u << 20, 'x');  // naming it takes more than is left
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = MappedBytes() + (8u << 20);
    setrlimit(RLIMIT_AS, &limit);
    const char* name = SetProName(HostString{hugeName.c_str()});
    setrlimit(RLIMIT_AS, &saved);
    VirtualDesktop& desktop = VirtualDesktop::Instance();
    const VirtualDesktop::Window* window = desktop.Find(desktop.ChildrenOf(session.host.window)[0]);
    const uint64_t ticks = window->ticksDelivered;
    session.Wait(200);
    const bool polling = window->ticksDelivered > ticks;
    _exit(name && polling ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

}  // namespace
}  // namespace pendant
