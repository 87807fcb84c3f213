// Cost figures of the plug-in under Wine, printed for docs/PERFORMANCE.md: the profile store
// over MSXML at three host profile sizes, and how long one poll tick of the real DLL blocks the
// host's user-interface thread. The tests check what the plug-in did, never how long it took.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "settings/pendant_settings.h"
#include "settings/setting_keys.h"
#include "settings/xml_profile.h"
#include "tests/support/host_profile.h"
#include "tests/win32/pendant_host.h"
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
        for (const SettingKey* key : kDialogReloadKeys) ReadSetting(profile, settings, *key);
        for (const SettingKey* key : kDialogSaveKeys) WriteSetting(profile, settings, *key);
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

// The real DLL under the substitute host, its poll timer running, with a pendant its own
// discovery found through the HID stand-ins.
class PollTickFigures : public test::PendantHost {
 protected:
  void SetUp() override {
    PendantHost::SetUp();
    ASSERT_NE(StartPlugin(), nullptr);
    ASSERT_TRUE(ClientsBecome(pendant_, 3)) << "the discovery did not open the pendant";
  }

  static void Print(const char* pendant, const std::vector<double>& blocks) {
    const Spread spread = SpreadOf(blocks);
    std::printf(
        "poll tick, %s: UI thread blocked median %.3f ms, longest %.3f ms over %u ticks "
        "(25 ms period, 5 ms read bound)\n",
        pendant, spread.median, spread.longest, static_cast<unsigned>(blocks.size()));
  }
};

// A quiet pendant: after a few ticks without a report a tick only looks for one, so the host's
// thread is not held for the read wait. Half the wait tells a look from a wait however noisy
// the machine.
TEST_F(PollTickFigures, AQuietPendantIsOnlyLookedAt) {
  std::vector<double> blocks;
  ASSERT_TRUE(PumpTicks(kTicks, {}, &blocks)) << "the poll timer stopped ticking";
  EXPECT_TRUE(pendant_.WaitReceived(1, test::kPatientMs))
      << "no display report reached the pendant";
  Print("quiet pendant (no report ever)", blocks);
  EXPECT_LT(SpreadOf(blocks).median, 2.5) << "quiet ticks still wait for a report";
}

// Step mode, the wheel one count further once a second: each report is decoded (one step
// line each), and the ticks between them are quiet.
TEST_F(PollTickFigures, APendantSendingOnceASecondIsDecodedEachTime) {
  uint8_t counter = 0;
  ASSERT_TRUE(pendant_.Sends(test::PendantReport(counter, 1)));
  PumpUntil([] { return false; }, 600);
  TakeCodes();
  constexpr int kTicksPerSecond = 1000 / 25;
  int tick = 0;
  std::vector<double> blocks;
  ASSERT_TRUE(PumpTicks(
      kTicks,
      [&] {
        if (tick++ % kTicksPerSecond == 0) {
          EXPECT_TRUE(pendant_.Sends(test::PendantReport(++counter, 1)));
        }
      },
      &blocks))
      << "the poll timer stopped ticking";
  int stepLines = 0;
  for (const std::string& code : TakeCodes()) stepLines += code.rfind("G91G1", 0) == 0 ? 1 : 0;
  EXPECT_EQ(stepLines, counter) << "a report was not decoded";
  Print("pendant sending once a second", blocks);
}

// The first report after a quiet spell, sent at varying moments between two ticks, is decoded
// by the first or second tick after it lands; the delay from sending to its step line printed.
TEST_F(PollTickFigures, AReportAfterAQuietSpellIsDecodedByTheNextTick) {
  uint8_t counter = 0;
  ASSERT_TRUE(pendant_.Sends(test::PendantReport(counter, 1)));
  PumpUntil([] { return false; }, 600);
  TakeCodes();
  constexpr int kSamples = 40;
  constexpr int kQuietSpellTicks = 8;
  std::vector<double> delays;
  for (int sample = 0; sample < kSamples; ++sample) {
    ASSERT_TRUE(PumpTicks(kQuietSpellTicks)) << "the poll timer stopped ticking";
    Sleep(static_cast<DWORD>(sample % 25));  // lands anywhere between two ticks
    const Stopwatch sent;
    ASSERT_TRUE(pendant_.Sends(test::PendantReport(++counter, 1)));
    bool decoded = false;
    for (int tick = 0; tick < 2 && !decoded; ++tick) {
      ASSERT_TRUE(PumpTicks(1)) << "the poll timer stopped ticking";
      decoded = !TakeCodes().empty();
    }
    EXPECT_TRUE(decoded) << "report " << sample << " not decoded by the second tick";
    delays.push_back(sent.Ms());
  }
  const Spread spread = SpreadOf(delays);
  std::printf(
      "report after a quiet spell: sent to decoded median %.3f ms, longest %.3f ms over %d "
      "reports (25 ms period)\n",
      spread.median, spread.longest, kSamples);
}

// In step mode, the wheel one count further for every report, each sent before its tick: every
// tick decodes the report sent just before it, so every tick sends one step line.
TEST_F(PollTickFigures, APendantSendingAReportBeforeEachTickIsReadWithoutWaiting) {
  uint8_t counter = 0;
  ASSERT_TRUE(pendant_.Sends(test::PendantReport(counter, 1)));
  // The host's Update calls let the wheel move once the mode has settled.
  PumpUntil([] { return false; }, 600);
  TakeCodes();
  std::vector<double> blocks;
  ASSERT_TRUE(PumpTicks(
      kTicks, [&] { EXPECT_TRUE(pendant_.Sends(test::PendantReport(++counter, 1))); }, &blocks))
      << "the poll timer stopped ticking";
  int stepLines = 0;
  for (const std::string& code : TakeCodes()) stepLines += code.rfind("G91G1", 0) == 0 ? 1 : 0;
  EXPECT_EQ(stepLines, kTicks) << "a tick did not decode the report sent before it";
  Print("pendant sending a report before each tick", blocks);
}

}  // namespace
}  // namespace pendant
