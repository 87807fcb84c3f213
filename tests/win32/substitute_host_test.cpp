// The real DLL under a substitute host: loaded with LoadLibraryA, bound with GetProcAddress and
// driven only through its exports, with the blocks, window object and profile file a host
// hands over. Each test loads the DLL afresh, so its module state starts clean.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "plugin/host_interface.h"
#include "tests/win32/host_window.h"
#include "tests/win32/test_files.h"

namespace pendant::test {
namespace {

constexpr const char* kExpectedName = "QorvixK7R Pendant --Brenmark Ver 4.0.0";
constexpr const char* kMalformedProfile = "<profile><unclosed>";
constexpr size_t kParentHandleOffset = 28;

// Every callback the plug-in makes, counted.
int callbackCalls = 0;
void CountDoButton(int16_t) {
  ++callbackCalls;
}
void CountSetDro(int16_t, double) {
  ++callbackCalls;
}
double CountGetDro(int16_t) {
  ++callbackCalls;
  return 0.0;
}
uint8_t CountGetLed(int16_t) {
  ++callbackCalls;
  return 0;
}
void CountSetLed(int16_t, uint8_t) {
  ++callbackCalls;
}
void CountCode(const char*) {
  ++callbackCalls;
}

std::string DllBesideThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "QorvixK7R.dll";
}

// The DLL and its entry points, bound by name as the host binds them.
struct PluginLibrary {
  HMODULE module = nullptr;
  std::vector<std::string> missing;

  void (*SetDoButton)(DoButtonFn) = nullptr;
  void (*SetSetDRO)(SetDroFn) = nullptr;
  void (*SetGetDRO)(GetDroFn) = nullptr;
  void (*SetGetLED)(GetLedFn) = nullptr;
  void (*SetSetLED)(SetLedFn) = nullptr;
  void (*SetCode)(CodeFn) = nullptr;
  const char* (*SetProName)(HostString) = nullptr;
  bool (*InitControl)(void*, void*, void*, void*) = nullptr;
  void (*PostInitControl)() = nullptr;
  void (*Config)() = nullptr;
  void (*Update)() = nullptr;
  void (*StopPlug)() = nullptr;
  void (*DoDwell)() = nullptr;
  void (*Reset)() = nullptr;
  void (*JogOn)() = nullptr;
  void (*JogOff)() = nullptr;
  void (*Purge)() = nullptr;
  void (*Probe)() = nullptr;
  void (*Home)() = nullptr;

  template <typename Fn>
  void Bind(Fn& entry, const char* name) {
    entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!entry) missing.push_back(name);
  }

  bool Load(const std::string& path) {
    module = LoadLibraryA(path.c_str());
    if (!module) return false;
    Bind(SetDoButton, "SetDoButton");
    Bind(SetSetDRO, "SetSetDRO");
    Bind(SetGetDRO, "SetGetDRO");
    Bind(SetGetLED, "SetGetLED");
    Bind(SetSetLED, "SetSetLED");
    Bind(SetCode, "SetCode");
    Bind(SetProName, "SetProName");
    Bind(InitControl, "InitControl");
    Bind(PostInitControl, "PostInitControl");
    Bind(Config, "Config");
    Bind(Update, "Update");
    Bind(StopPlug, "StopPlug");
    Bind(DoDwell, "DoDwell");
    Bind(Reset, "Reset");
    Bind(JogOn, "JogOn");
    Bind(JogOff, "JogOff");
    Bind(Purge, "Purge");
    Bind(Probe, "Probe");
    Bind(Home, "Home");
    return missing.empty();
  }

  ~PluginLibrary() {
    if (module) FreeLibrary(module);
  }
};

class SubstituteHost : public ::testing::Test {
 protected:
  void SetUp() override {
    profilePath_ = TempPath("profile.xml");
    RemoveFile(profilePath_);
    ASSERT_NE(host_.Handle(), nullptr) << "the host window needs a display";
    ASSERT_TRUE(plugin_.Load(DllBesideThisProgram()))
        << "cannot load " << DllBesideThisProgram() << " or bind "
        << ::testing::PrintToString(plugin_.missing);
    std::memcpy(parentObject_ + kParentHandleOffset, &hostHandle_, sizeof hostHandle_);
  }

  void TearDown() override {
    if (plugin_.StopPlug) plugin_.StopPlug();
    RemoveFile(profilePath_);
  }

  void HandOverCallbacks() {
    callbackCalls = 0;
    plugin_.SetDoButton(CountDoButton);
    plugin_.SetSetDRO(CountSetDro);
    plugin_.SetGetDRO(CountGetDro);
    plugin_.SetGetLED(CountGetLed);
    plugin_.SetSetLED(CountSetLed);
    plugin_.SetCode(CountCode);
  }

  const char* SetProName() { return plugin_.SetProName(HostString{profilePath_.c_str()}); }

  // InitControl with freshly allocated host blocks; the pendant window it made, if any.
  HWND InitControl() {
    initResult_ =
        plugin_.InitControl(blockA_.data(), blockB_.data(), blockC_.data(), parentObject_);
    return FindWindowExA(host_.Handle(), nullptr, "TrundleWin", nullptr);
  }

  // The start-up sequence of a host: callbacks, profile name, window, settings load.
  HWND StartPlugin() {
    HandOverCallbacks();
    SetProName();
    HWND pendant = InitControl();
    plugin_.PostInitControl();
    return pendant;
  }

  HostWindow host_;
  HWND hostHandle_ = host_.Handle();
  PluginLibrary plugin_;
  std::string profilePath_;
  std::vector<uint8_t> blockA_ = std::vector<uint8_t>(kHostBlockASize);
  std::vector<uint8_t> blockB_ = std::vector<uint8_t>(kHostBlockBSize);
  std::vector<uint8_t> blockC_ = std::vector<uint8_t>(kHostBlockCSize);
  uint8_t parentObject_[kHostParentWindowSize] = {};
  bool initResult_ = false;
};

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
  EXPECT_EQ(callbackCalls, 0);
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
