// The real DLL under a host as hard as the real one: its message line is a string object of the
// host's runtime, and its DoButton and Code pump messages the way a message box or a macro's
// own loop does.
#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/win32/pendant_host.h"
#include "tests/win32/test_files.h"

namespace pendant::test {
namespace {

using bench::HostStringObject;
using Layout = HostStringObject::Layout;

constexpr int kEmergencyStopButton = 1021;
constexpr int kModeChangeButton = 334;  // + axis
constexpr uint8_t kStepMode = 1;
constexpr uint8_t kVelocityMode = 2;
constexpr uint8_t kStopSwitch = 0x20;
constexpr DWORD kPumpMs = 200;

// A report with the stop switch engaged.
std::vector<uint8_t> StopReport() {
  std::vector<uint8_t> report = PendantReport(0, 0, kStepMode);
  report[3] |= kStopSwitch;
  return report;
}

class HardHost : public PendantHost {
 protected:
  void StartWithPendant() {
    ASSERT_NE(StartPlugin(), nullptr);
    ASSERT_TRUE(ClientsBecome(pendant_, 3));
    ASSERT_TRUE(pendant_.Sends(PendantReport(0, 0, kStepMode)));
    Wait(600);
    TakeButtons();
    TakeCodes();
  }
  void Wait(unsigned ms) {
    PumpUntil([] { return false; }, ms);
  }

  // Inside DoButton with one of these codes the host shows its stop (1021 toggles it) and runs
  // its message loop for 200 ms.
  void PumpInsideButtons(std::vector<int> pumping) {
    SetInsideCallback([this, pumping](int button, const std::string&) {
      if (button == kEmergencyStopButton) SetEmergencyStopLed(stopShown_ = !stopShown_);
      for (int code : pumping) {
        if (button == code) PumpMessagesFor(kPumpMs);
      }
    });
  }

  bool stopShown_ = false;
};

// Message line ------------------------------------------------------------------------------

TEST_F(HardHost, TheMessageLineIsWrittenOnlyAsTheHostsStringObjectAllows) {
  // Memory reserved but never committed: reading it would fault.
  void* reserved = VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(reserved, nullptr);
  struct Case {
    const char* what;
    Layout layout;
    int32_t count, length, capacity;
    bool written;
  };
  const Case cases[] = {
      {"room, count first", Layout::CountFirst, 1, 0, 64, true},
      {"room, count last", Layout::CountLast, 1, 0, 64, true},
      {"shared", Layout::CountFirst, 2, 0, 64, false},
      {"static", Layout::CountFirst, -1, 0, 0, false},
      {"too small", Layout::CountLast, 1, 0, 9, false},
      {"garbage", Layout::CountFirst, static_cast<int32_t>(0xCCCCCCCC),
       static_cast<int32_t>(0xCCCCCCCC), static_cast<int32_t>(0xCCCCCCCC), false},
      {"null", Layout::CountFirst, 0, 0, 0, false},
      {"unreadable", Layout::CountFirst, 0, 0, 0, false},
  };
  SetJogEnabledLed(false);  // a turn of the wheel then says " Jog OFF. "
  StartWithPendant();
  uint8_t counter = 0;
  for (const Case& c : cases) {
    HostStringObject line(c.layout, 64);
    line.SetHeader(c.count, c.length, c.capacity);
    char* pointer = line.Chars();
    if (!std::strcmp(c.what, "null")) pointer = nullptr;
    if (!std::strcmp(c.what, "unreadable")) pointer = static_cast<char*>(reserved) + 256;
    Blocks().PointMessageLineAt(pointer);
    const std::vector<uint8_t> before = line.Bytes();
    const std::vector<uint8_t> fields = Blocks().FieldsAfterMessageLine();

    ASSERT_TRUE(PumpTicks(3, [&] { pendant_.Sends(PendantReport(++counter, 1, kStepMode)); }));

    if (c.written) {
      EXPECT_EQ(line.Text(), " Jog OFF. ") << c.what;
    } else {
      EXPECT_EQ(line.Bytes(), before) << c.what;
    }
    EXPECT_EQ(Blocks().FieldsAfterMessageLine(), fields) << c.what;
    Blocks().PointMessageLineAt(nullptr);  // line goes out of scope
  }
  VirtualFree(reserved, 0, MEM_RELEASE);
  TakeCodes();
}

// Callbacks that pump messages ---------------------------------------------------------------

TEST_F(HardHost, AStopSwitchHeldASecondSendsOne1021) {
  StartWithPendant();
  PumpInsideButtons({kEmergencyStopButton});
  ASSERT_TRUE(pendant_.Sends(StopReport()));
  Wait(1000);
  EXPECT_EQ(TakeButtons(), std::vector<int>{kEmergencyStopButton});
  EXPECT_TRUE(stopShown_) << "the host's stop was released again";
}

TEST_F(HardHost, AModeSelectorMoveSendsOneModeChangeButton) {
  StartWithPendant();
  PumpInsideButtons({kModeChangeButton});
  ASSERT_TRUE(pendant_.Sends(PendantReport(0, 0, kVelocityMode)));
  Wait(1000);
  EXPECT_EQ(TakeButtons(), std::vector<int>{kModeChangeButton});
}

TEST_F(HardHost, StopPlugInsideCodeReturnsAndTheHostGoesOn) {
  StartWithPendant();
  ASSERT_TRUE(pendant_.Sends(PendantReport(0, 255, kVelocityMode)));
  Wait(600);
  TakeButtons();
  TakeCodes();
  bool stopReturned = false;
  bool windowGone = false;
  std::vector<std::string> codesByStop;
  SetInsideCallback([&](int, const std::string& code) {
    if (code != "DOJOG" || stopReturned) return;
    PumpMessagesFor(kPumpMs);
    plugin_.StopPlug();
    stopReturned = true;
    windowGone = !IsWindow(PendantWindow());
    codesByStop = TakeCodes();
  });
  uint8_t counter = 0;
  PumpUntil(
      [&] {
        pendant_.Sends(PendantReport(++counter, 255, kVelocityMode));
        return stopReturned;
      },
      kPatientMs);
  Wait(500);  // the host goes on

  EXPECT_TRUE(stopReturned);
  EXPECT_TRUE(windowGone);
  // StopPlug ended the jog the host had just been told of, and nothing came after it.
  ASSERT_GE(codesByStop.size(), 2u);
  EXPECT_EQ(codesByStop.back(), "ENDJOG");
  EXPECT_EQ(codesByStop[codesByStop.size() - 2], "DOJOG");
  EXPECT_TRUE(TakeCodes().empty());
  EXPECT_TRUE(TakeButtons().empty());
  EXPECT_TRUE(ClientsBecome(pendant_, 0)) << "the pendant stayed open";
}

TEST_F(HardHost, ARemovalNoticeInsideACallbackClosesThePendantAfterTheCycle) {
  StartWithPendant();
  std::vector<int> buttonsAtNotice;
  SetInsideCallback([&](int button, const std::string&) {
    if (button != kModeChangeButton) return;
    Notify(DBT_DEVICEREMOVECOMPLETE, pendant_.Path());
    buttonsAtNotice = TakeButtons();
  });
  ASSERT_TRUE(pendant_.Sends(PendantReport(0, 0, kVelocityMode)));
  Wait(500);
  EXPECT_EQ(buttonsAtNotice, std::vector<int>{kModeChangeButton})
      << "the removal was acted on inside the cycle";
  EXPECT_EQ(TakeButtons(), std::vector<int>{kEmergencyStopButton});
  EXPECT_TRUE(ClientsBecome(pendant_, 0));
}

}  // namespace
}  // namespace pendant::test
