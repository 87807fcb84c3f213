// Cost figures of the plug-in under Wine, printed for docs/PERFORMANCE.md: the profile store
// over MSXML at three host profile sizes, and how long one poll tick blocks the host's
// user-interface thread. The tests check what the plug-in did, never how long it took.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "input/input_report.h"
#include "plugin/plugin_module.h"
#include "settings/pendant_settings.h"
#include "settings/setting_keys.h"
#include "settings/xml_profile.h"
#include "tests/support/host_profile.h"
#include "tests/win32/hid_pipe_device.h"
#include "tests/win32/host_window.h"
#include "tests/win32/test_files.h"

namespace pendant {
namespace {

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Ms() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_, start_;
};

struct Spread {
  double median;
  double longest;
};

Spread SpreadOf(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  return {n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2.0, ms.back()};
}

class EmulationNote : public ::testing::Environment {
 public:
  void SetUp() override {
    std::printf(
        "Figures under Wine. Where the kernel cannot start 32-bit programs (as on the project's "
        "build machines) Wine runs under qemu-user emulation: the figures are then upper bounds "
        "of a Windows machine's.\n");
  }
};
[[maybe_unused]] const auto* const emulationNote =
    ::testing::AddGlobalTestEnvironment(new EmulationNote);

constexpr int kStoreRuns = 5;

// One entry-point call's work, as the native benchmark measures it: load the host profile,
// read and write every dialog setting, save through the temporary and the replace.
TEST(ProfileStoreFigures, LoadAndSaveOfHostProfilesOverMsxml) {
  const std::string path = test::TempPath("figures-profile.xml");
  for (size_t kib : {10, 100, 1024}) {
    test::WriteBytes(path, testing::MakeHostProfile(kib * 1024).Whole());
    std::vector<double> ms;
    for (int run = 0; run < kStoreRuns; ++run) {
      const Stopwatch watch;
      {
        XmlProfile profile(path);
        ASSERT_TRUE(profile.SavesOnClose()) << kib << " KiB";
        PendantSettings settings;
        for (std::string_view key : kDialogReloadKeys) ReadSetting(profile, settings, key);
        for (std::string_view key : kDialogSaveKeys) WriteSetting(profile, settings, key);
      }
      ms.push_back(watch.Ms());
    }
    const std::string saved = test::ReadBytes(path);
    EXPECT_EQ(test::ElementText(saved, "DelaySteps"), "25") << kib << " KiB";
    EXPECT_NE(saved.find("<!-- end of plug-in sections -->"), std::string::npos) << kib << " KiB";
    const Spread spread = SpreadOf(ms);
    std::printf(
        "profile store over MSXML, %4u KiB host profile: load+save median %7.1f ms, "
        "longest %7.1f ms (%d runs)\n",
        static_cast<unsigned>(kib), spread.median, spread.longest, kStoreRuns);
  }
  test::RemoveFile(path);
}

constexpr int kTicks = 300;

// The plug-in's module (the DLL's code, linked statically) with its pendant window under a host
// window and its poll timer running, linked to the pipe stand-in pendant instead of a
// discovered one.
class PollTickFigures : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Handle(), nullptr) << "the host window needs a display";
    const HWND hostWindow = host_.Handle();
    std::memcpy(parentObject_ + kHostParentWindowOffset, &hostWindow, sizeof hostWindow);
    module_.InitControl(blockA_.data(), blockB_.data(), blockC_.data(), parentObject_);
    window_ = module_.PendantWindow.get();
    pendantWindow_ = FindWindowExA(hostWindow, nullptr, kPendantWindowClass, nullptr);
    ASSERT_NE(pendantWindow_, nullptr);
    DeviceHandle read = kInvalidDevice;
    DeviceHandle write = kInvalidDevice;
    ASSERT_TRUE(device_.OpenClients(read, write));
    // The pipe's handles stand in for a discovered pendant; the poll timer starts as after a
    // discovery. The discovery itself is left out: under emulated Wine the pipe's server calls
    // after it lose their wine server connection.
    window_->AdoptPendant(read, write);
  }

  // Runs the host's message loop until kTicks poll ticks were dispatched to the pendant
  // window, with beforeTick run ahead of each; the device takes every display report. The
  // block of each tick in ms.
  std::vector<double> TimeTicks(const std::function<void()>& beforeTick) {
    std::vector<double> blocks;
    const HWND pendant = pendantWindow_;
    const ULONGLONG giveUp = GetTickCount64() + test::kPatientWaitMs + kTicks * 25 * 20;
    while (blocks.size() < kTicks && GetTickCount64() < giveUp) {
      MSG message;
      if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        continue;
      }
      TranslateMessage(&message);
      if (message.message != WM_TIMER || message.hwnd != pendant) {
        DispatchMessageA(&message);
        continue;
      }
      beforeTick();
      const Stopwatch watch;
      DispatchMessageA(&message);
      blocks.push_back(watch.Ms());
      while (!device_.Receives(0).empty()) ++displayReports_;
    }
    return blocks;
  }

  void Print(const char* pendant, const std::vector<double>& blocks) const {
    const Spread spread = SpreadOf(blocks);
    std::printf(
        "poll tick, %s: UI thread blocked median %.3f ms, longest %.3f ms over %u ticks "
        "(25 ms period, 5 ms read bound)\n",
        pendant, spread.median, spread.longest, static_cast<unsigned>(blocks.size()));
  }

  test::HostWindow host_;
  test::PipeDevice device_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  PluginModule module_;
  TrundleWin* window_ = nullptr;
  HWND pendantWindow_ = nullptr;
  int displayReports_ = 0;

 private:
  std::vector<uint8_t> blockA_ = std::vector<uint8_t>(kHostBlockASize);
  std::vector<uint8_t> blockB_ = std::vector<uint8_t>(kHostBlockBSize);
  std::vector<uint8_t> blockC_ = std::vector<uint8_t>(kHostBlockCSize);
  uint8_t parentObject_[kHostParentWindowSize] = {};
};

TEST_F(PollTickFigures, AQuietPendantBlocksEachTickForTheReadWait) {
  const std::vector<double> blocks = TimeTicks([] {});
  ASSERT_EQ(blocks.size(), static_cast<size_t>(kTicks)) << "the poll timer stopped ticking";
  EXPECT_GT(displayReports_, 0) << "no display report reached the pendant";
  Print("quiet pendant (no report ever)", blocks);
}

// The wheel one count further for every report, each sent before its tick: every tick decodes
// the report sent just before it.
TEST_F(PollTickFigures, APendantSendingAReportBeforeEachTickIsReadWithoutWaiting) {
  uint8_t counter = 0;
  int decodedOnTime = 0;
  const std::vector<double> blocks = TimeTicks([&] {
    if (window_->Engine().State().CurrentInput[kWheelCounterByte] == counter) ++decodedOnTime;
    ++counter;
    EXPECT_TRUE(device_.Sends({0x04, counter, 1, 0x01, 0x01, 0, 0, 0}));
  });
  ASSERT_EQ(blocks.size(), static_cast<size_t>(kTicks)) << "the poll timer stopped ticking";
  if (window_->Engine().State().CurrentInput[kWheelCounterByte] == counter) ++decodedOnTime;
  EXPECT_EQ(decodedOnTime, kTicks + 1) << "a tick did not decode the report sent before it";
  EXPECT_GT(displayReports_, 0) << "no display report reached the pendant";
  Print("pendant sending a report before each tick", blocks);
}

}  // namespace
}  // namespace pendant
