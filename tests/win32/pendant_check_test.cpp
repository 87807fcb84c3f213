// QorvixK7R-check.exe under Wine with a pendant Windows presents through the HID stand-ins:
// finding it (and not finding it), its reports on the console, the display test on the pipe,
// the plug-in loaded as the host loads it, and the report file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "check/display_test.h"
#include "pendant/pendant_ids.h"
#include "tests/win32/check_process.h"
#include "tests/win32/standin_pendant.h"

namespace pendant::test {
namespace {

// Long enough for Wine under any load: waits end as soon as the thing happens.
constexpr unsigned kPatientMs = 15000;
constexpr uint16_t kKeyboardVendor = 0x046D;
constexpr uint16_t kKeyboardProduct = 0xC52B;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The host effects the check printed ("   1.234 s  host: code G90" gives "code G90").
std::vector<std::string> HostEffects(const std::string& output) {
  std::vector<std::string> effects;
  for (const std::string& line : LinesOf(output)) {
    const size_t at = line.find(" s  host: ");
    if (at != std::string::npos) effects.push_back(line.substr(at + 10));
  }
  return effects;
}

// The lines of the first "expect effects" block of a bench script.
std::vector<std::string> ExpectedEffects(const std::string& script) {
  std::ifstream file(script);
  std::vector<std::string> effects;
  bool inBlock = false;
  for (std::string line; std::getline(file, line);) {
    const size_t first = line.find_first_not_of(' ');
    const std::string text = first == std::string::npos ? "" : line.substr(first);
    if (text == "expect effects") {
      inBlock = true;
    } else if (inBlock && text == "end") {
      break;
    } else if (inBlock) {
      effects.push_back(text);
    }
  }
  return effects;
}

std::vector<uint8_t> Report(uint8_t counter, uint8_t rate, uint8_t switches, uint8_t mode) {
  return {0x00, counter, rate, switches, mode, 0x00, 0x00, 0x00};
}

// The pendant and a keyboard on the bus of a check started with arguments, not yet running.
class PendantCheck : public ::testing::Test {
 protected:
  // The check inherits this program's DLL overrides: where they load the stand-ins here, they
  // load the ones beside the check there.
  void SetUp() override {
    LoadLibraryA("hid.dll");
    LoadLibraryA("setupapi.dll");
    ASSERT_TRUE(StandInsLoaded()) << "run with the HID stand-ins";
  }

  void Start(const std::string& arguments, bool pendantPlugged) {
    check_ = std::make_unique<CheckProcess>(arguments);
    ASSERT_TRUE(check_->Started());
    bus_ = std::make_unique<StandInBus>(check_->Id());
    ASSERT_TRUE(keyboard_.Serve());
    if (pendantPlugged) {
      ASSERT_TRUE(pendant_.Serve());
      bus_->List({&keyboard_, &pendant_});
    } else {
      bus_->List({&keyboard_});
    }
    check_->Resume();
  }

  // q ends the check, which then closes the pendant and writes its report.
  void Quit() {
    ASSERT_TRUE(check_->Type("q"));
    EXPECT_EQ(check_->WaitExit(kPatientMs), 0) << check_->Output();
  }

  // Sends report once a client of the check reads; false when none came.
  bool Sends(const std::vector<uint8_t>& report) {
    const ULONGLONG end = GetTickCount64() + kPatientMs;
    while (!pendant_.Sends(report)) {
      if (GetTickCount64() >= end) return false;
      Sleep(10);
    }
    return true;
  }

  StandInDevice keyboard_{"keyboard", kKeyboardVendor, kKeyboardProduct};
  StandInDevice pendant_{"pendant", kPendantVendorId, kPendantProductId};
  std::unique_ptr<CheckProcess> check_;
  std::unique_ptr<StandInBus> bus_;
};

TEST_F(PendantCheck, ListsForeignDevicesThenFindsThePendantPluggedInWhileItRuns) {
  Start("", false);
  ASSERT_TRUE(check_->WaitFor("Still looking, once a second", kPatientMs)) << check_->Output();
  const std::string before = check_->Output();
  EXPECT_NE(before.find("HID interfaces Windows presents: 1\r\n  1  046D:C52B\r\n"),
            std::string::npos)
      << before;
  EXPECT_NE(before.find(keyboard_.Path()), std::string::npos) << before;
  EXPECT_NE(before.find("Pendant NOT found"), std::string::npos) << before;

  ASSERT_TRUE(pendant_.Serve());
  const ULONGLONG plugged = GetTickCount64();
  bus_->List({&keyboard_, &pendant_});
  ASSERT_TRUE(check_->WaitFor("Pendant found (04D8:FCE2) on", kPatientMs)) << check_->Output();
  const ULONGLONG foundMs = GetTickCount64() - plugged;
  // A figure, not a bound: the check looks once a second, but a loaded machine may be slower.
  std::printf("found %llu ms after it was plugged in\n", foundMs);
  const std::string after = check_->Output().substr(before.size());
  EXPECT_NE(after.find("  2  04D8:FCE2  <-- the pendant\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find(pendant_.Path()), std::string::npos) << after;
  EXPECT_NE(after.find("Input report length:  8 bytes"), std::string::npos) << after;
  EXPECT_NE(after.find("Output report length: 21 bytes"), std::string::npos) << after;
  Quit();
  for (const std::string& line : LinesOf(check_->Output())) EXPECT_LE(line.size(), 79u) << line;
}

TEST_F(PendantCheck, ShowsEachControlAsTheReportsSayAndWritesTheTestScreen) {
  Start("", true);
  ASSERT_TRUE(check_->WaitFor("What the pendant sends:", kPatientMs)) << check_->Output();
  struct Step {
    std::vector<uint8_t> report;
    std::vector<std::string> shown;
  };
  const Step steps[] = {
      {Report(10, 0, 0x01, 0x01),
       {"wheel counter   10", "wheel rate      0 (at rest)",
        "axis selector   1: X   (compact layout)", "mode selector   1: step jog",
        "key             up", "e-stop switch   off", "offline switch  off",
        "raw bytes       00 0A 00 01 01 00 00 00"}},
      {Report(15, 30, 0x01, 0x01), {"wheel counter   15", "wheel rate      30 (turning)"}},
      {Report(15, 0, 0x41, 0x01), {"key             DOWN", "key             HELD (a long press)"}},
      {Report(15, 0, 0x22, 0x13),
       {"key             up", "e-stop switch   ENGAGED", "axis selector   2: Y   (extended layout)",
        "mode selector   3: continuous jog"}},
      {Report(12, 0, 0x17, 0x06),
       {"e-stop switch   off", "offline switch  ON (offline)",
        "axis selector   7: A   (extended layout)", "mode selector   6: function keys",
        "wheel counter   12", "raw bytes       00 0C 00 17 06 00 00 00"}},
  };
  for (const Step& step : steps) {
    const size_t from = check_->Output().size();
    ASSERT_TRUE(Sends(step.report));
    for (const std::string& line : step.shown) {
      EXPECT_TRUE(check_->WaitFor(line + "\r\n", kPatientMs)) << line << "\n"
                                                              << check_->Output().substr(from);
    }
  }

  // The display test: the check's reports reach the pendant whole, each the test screen of
  // the time it shows.
  ASSERT_TRUE(pendant_.WaitReceived(2, kPatientMs));
  for (const std::vector<uint8_t>& written : pendant_.Received()) {
    ASSERT_EQ(written.size(), kDisplayReportSize);
    const std::string text(written.begin() + kLine1First, written.begin() + kTextEnd);
    int hours = 0, minutes = 0, seconds = 0;
    ASSERT_EQ(std::sscanf(text.c_str() + kLineLength, "%2d:%2d:%2d", &hours, &minutes, &seconds), 3)
        << text;
    uint8_t expected[kDisplayReportSize];
    check::ComposeTestScreen(hours * 3600 + minutes * 60 + seconds, expected);
    EXPECT_EQ(written, std::vector<uint8_t>(std::begin(expected), std::end(expected))) << text;
  }
  Quit();
  // The transcript the install guide shows.
  std::printf("%s", check_->Output().c_str());
}

TEST_F(PendantCheck, WithThePlugInPrintsTheHostEffectsOfTheBenchForAStepModeTurn) {
  Start("--with-plugin", true);
  ASSERT_TRUE(check_->WaitFor("What the host would be told", kPatientMs)) << check_->Output();
  // The turn of tests/scenario/check_step_turn.sim: extended layout, X, step mode.
  ASSERT_TRUE(Sends(Report(0, 0, 0x01, 0x11)));
  Sleep(300);
  ASSERT_TRUE(Sends(Report(5, 40, 0x01, 0x11)));
  Sleep(100);
  ASSERT_TRUE(Sends(Report(5, 0, 0x01, 0x11)));
  const std::vector<std::string> bench = ExpectedEffects(PENDANT_CHECK_STEP_TURN_SCRIPT);
  ASSERT_FALSE(bench.empty()) << PENDANT_CHECK_STEP_TURN_SCRIPT;
  EXPECT_TRUE(check_->WaitFor("host: " + bench.back(), kPatientMs)) << check_->Output();
  Sleep(1000);  // nothing more comes
  EXPECT_EQ(HostEffects(check_->Output()), bench) << check_->Output();
  EXPECT_NE(check_->Output().find("Plug-in loaded: QorvixK7R Pendant"), std::string::npos);
  Quit();
  EXPECT_NE(check_->Output().find("Plug-in stopped."), std::string::npos) << check_->Output();
}

TEST_F(PendantCheck, WritesTheReportToPaste) {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "pendant-check-report.txt";
  DeleteFileA(path.c_str());
  Start("--report \"" + path + "\"", true);
  ASSERT_TRUE(check_->WaitFor("What the pendant sends:", kPatientMs)) << check_->Output();
  ASSERT_TRUE(Sends(Report(7, 0, 0x03, 0x02)));
  ASSERT_TRUE(check_->WaitFor("raw bytes       00 07 00 03 02 00 00 00", kPatientMs));
  Quit();
  EXPECT_NE(check_->Output().find("Report written to " + path), std::string::npos);
  std::ifstream file(path, std::ios::binary);
  const std::string report((std::istreambuf_iterator<char>(file)), {});
  for (const std::string& part :
       {std::string("Qorvix K7-R pendant check "), std::string("Windows:  "),
        std::string("plug-in:  QorvixK7R Pendant"), std::string("  1  046D:C52B\r\n"),
        "      " + keyboard_.Path(), std::string("  2  04D8:FCE2  <-- the pendant\r\n"),
        std::string("Input report length:  8 bytes"),
        std::string(" s  00 07 00 03 02 00 00 00\r\n")}) {
    EXPECT_NE(report.find(part), std::string::npos) << part << "\n" << report;
  }
  file.close();
  DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace pendant::test
