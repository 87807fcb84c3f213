// The real DLL under a substitute host: its entry points, its window and timer, its profile.
// Each test loads the DLL afresh, so its module state starts clean.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/win32/substitute_host.h"
#include "tests/win32/test_files.h"

namespace pendant::test {
namespace {

constexpr const char* kExpectedName = "QorvixK7R Pendant --Brenmark Ver 4.0.0";
constexpr const char* kMalformedProfile = "<profile><unclosed>";

TEST_F(SubstituteHost, SetProNameReturnsTheFullNameAndCreatesAMissingProfile) {
  ASSERT_FALSE(FileExists(profilePath_));

  EXPECT_STREQ(SetProName(), kExpectedName);

  ASSERT_TRUE(FileExists(profilePath_));
  const std::string saved = CompactXml(profilePath_);
  EXPECT_TRUE(saved == "<profile/>" || saved == "<profile></profile>") << saved;
}

TEST_F(SubstituteHost, InitControlCreatesAHiddenChildWindowWithoutStartingItsTimer) {
  SetProName();
  HWND pendant = InitControl();

  EXPECT_EQ(static_cast<unsigned char>(initResult_), 1);
  ASSERT_NE(pendant, nullptr) << "no TrundleWin child under the host window";
  EXPECT_EQ(GetParent(pendant), host_.Handle());
  EXPECT_EQ(GetDlgCtrlID(pendant), 1);
  const LONG style = GetWindowLongA(pendant, GWL_STYLE);
  EXPECT_NE(style & WS_CHILD, 0);
  EXPECT_EQ(style & WS_VISIBLE, 0);
  RECT area{};
  GetWindowRect(pendant, &area);
  EXPECT_EQ(area.right - area.left, 10);
  EXPECT_EQ(area.bottom - area.top, 10);
  // The timer belongs to the start-up load, not to window creation.
  EXPECT_EQ(host_.PumpCountingTicks(pendant, 200), 0);
}

TEST_F(SubstituteHost, PostInitControlStartsTheTimerWithoutAPendantAndSavesTheProfile) {
  WriteBytes(profilePath_,
             "<profile>\n"
             "  <Qorvix_K7R_Pendant><F1/><Macro1>5</Macro1></Qorvix_K7R_Pendant>\n"
             "  <HostSection><Units>mm</Units></HostSection>\n"
             "</profile>\n");

  HWND pendant = StartPlugin();
  ASSERT_NE(pendant, nullptr);

  // The empty F1 was read as missing and removed; everything else was saved back.
  const std::string saved = CompactXml(profilePath_);
  EXPECT_EQ(saved.find("<F1"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<Qorvix_K7R_Pendant><Macro1>5</Macro1></Qorvix_K7R_Pendant>"),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find("<HostSection><Units>mm</Units></HostSection>"), std::string::npos) << saved;
  EXPECT_FALSE(FileExists(profilePath_ + ".saving"));

  // No pendant: discovery found nothing, yet the poll timer runs; idle ticks call nothing.
  const int ticks = host_.PumpCountingTicks(pendant, 1000);
  std::printf("timer ticks in about one second: %d\n", ticks);
  EXPECT_GT(ticks, 0);
  EXPECT_EQ(CallbackCalls(), 0);
}

TEST_F(SubstituteHost, StopPlugDestroysThePendantWindow) {
  HWND pendant = StartPlugin();
  ASSERT_TRUE(IsWindow(pendant));

  plugin_.StopPlug();

  EXPECT_FALSE(IsWindow(pendant));
  EXPECT_EQ(FindWindowExA(host_.Handle(), nullptr, "TrundleWin", nullptr), nullptr);
}

TEST_F(SubstituteHost, AMalformedProfileIsLeftByteForByteUntouched) {
  WriteBytes(profilePath_, kMalformedProfile);

  EXPECT_STREQ(SetProName(), kExpectedName);
  EXPECT_EQ(ReadBytes(profilePath_), kMalformedProfile);

  HWND pendant = InitControl();
  plugin_.PostInitControl();
  EXPECT_EQ(ReadBytes(profilePath_), kMalformedProfile);
  EXPECT_FALSE(FileExists(profilePath_ + ".saving"));
  // Settings fell back to their defaults; the plug-in still runs.
  EXPECT_GT(host_.PumpCountingTicks(pendant, 500), 0);
}

}  // namespace
}  // namespace pendant::test
