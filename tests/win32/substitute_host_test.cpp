// The real DLL under a substitute host: its entry points, its window and timer, its profile.
// Each test loads the DLL afresh, so its module state starts clean.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

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

// The files whose names start with the profile's, other than the profile: temporaries a save
// left behind.
int FilesBesideProfile(const std::string& profile) {
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA((profile + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  const std::string name = profile.substr(profile.find_last_of('\\') + 1);
  int count = 0;
  do {
    if (lstrcmpiA(entry.cFileName, name.c_str()) != 0) ++count;
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return count;
}

double MsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

TEST_F(SubstituteHost, AHiddenProfileStaysHiddenAfterASave) {
  WriteBytes(profilePath_, "<profile><Qorvix_K7R_Pendant><F1/></Qorvix_K7R_Pendant></profile>");
  ASSERT_TRUE(SetFileAttributesA(profilePath_.c_str(), FILE_ATTRIBUTE_HIDDEN));
  StartPlugin();
  EXPECT_EQ(ReadBytes(profilePath_).find("<F1"), std::string::npos) << "no save happened";
  const DWORD attributes = GetFileAttributesA(profilePath_.c_str());
  EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u) << std::hex << attributes;
  EXPECT_EQ(FilesBesideProfile(profilePath_), 0);
  SetFileAttributesA(profilePath_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SubstituteHost, AReadOnlyProfileIsNotWrittenAndSetProNameReturnsAtOnce) {
  const std::string stored = "<profile><Qorvix_K7R_Pendant><F1/></Qorvix_K7R_Pendant></profile>";
  WriteBytes(profilePath_, stored);
  ASSERT_TRUE(SetFileAttributesA(profilePath_.c_str(), FILE_ATTRIBUTE_READONLY));
  HandOverCallbacks();
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  SetProName();
  const double setProNameMs = MsSince(start);
  InitControl();
  QueryPerformanceCounter(&start);
  plugin_.PostInitControl();
  const double postInitMs = MsSince(start);
  std::printf("read-only profile: SetProName %.1f ms, PostInitControl %.1f ms\n", setProNameMs,
              postInitMs);
  EXPECT_LT(setProNameMs, 50.0);
  EXPECT_LT(postInitMs, 50.0);
  SetFileAttributesA(profilePath_.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(profilePath_), stored);
  EXPECT_EQ(FilesBesideProfile(profilePath_), 0);
}

TEST_F(SubstituteHost, TwoHostsSavingOneProfileLeaveItWholeAndNoTemporary) {
  WriteBytes(profilePath_,
             "<profile><HostSection><Units>mm</Units></HostSection>"
             "<Qorvix_K7R_Pendant><Macro1>5</Macro1></Qorvix_K7R_Pendant></profile>");
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, sizeof program);
  std::string saver(program);
  saver = saver.substr(0, saver.find_last_of('\\') + 1) + "profile_saver.exe";
  PROCESS_INFORMATION hosts[2]{};
  for (PROCESS_INFORMATION& host : hosts) {
    std::string command = "\"" + saver + "\" \"" + profilePath_ + "\" 200";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &host))
        << saver;
  }
  for (PROCESS_INFORMATION& host : hosts) {
    EXPECT_EQ(WaitForSingleObject(host.hProcess, 120000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(host.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(host.hThread);
    CloseHandle(host.hProcess);
  }
  const std::string saved = ReadBytes(profilePath_);
  EXPECT_EQ(CompactXml(profilePath_),
            "<profile><HostSection><Units>mm</Units></HostSection>"
            "<Qorvix_K7R_Pendant><Macro1>5</Macro1></Qorvix_K7R_Pendant></profile>")
      << saved;
  EXPECT_EQ(FilesBesideProfile(profilePath_), 0);
}

TEST_F(SubstituteHost, FreeLibraryWithoutStopPlugDestroysThePendantWindow) {
  HWND pendant = StartPlugin();
  ASSERT_TRUE(IsWindow(pendant));
  plugin_.StopPlug = nullptr;  // the host never calls it
  ASSERT_TRUE(FreeLibrary(std::exchange(plugin_.module, nullptr)));
  EXPECT_FALSE(IsWindow(pendant));
  EXPECT_EQ(host_.PumpCountingTicks(pendant, 200), 0);
}

}  // namespace
}  // namespace pendant::test
