#include "tests/win32/substitute_host.h"

#include "tests/win32/test_files.h"

namespace pendant::test {
namespace {

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

}  // namespace

int CallbackCalls() {
  return callbackCalls;
}

void SubstituteHost::SetUp() {
  profilePath_ = TempPath("profile.xml");
  RemoveFile(profilePath_);
  ASSERT_NE(host_.Handle(), nullptr) << "the host window needs a display";
  ASSERT_TRUE(plugin_.Load(DllBesideThisProgram()))
      << "cannot load " << DllBesideThisProgram() << " or bind "
      << ::testing::PrintToString(plugin_.missing);
}

void SubstituteHost::TearDown() {
  if (plugin_.StopPlug) plugin_.StopPlug();
  RemoveFile(profilePath_);
}

void SubstituteHost::HandOverCallbacks() {
  callbackCalls = 0;
  plugin_.SetDoButton(CountDoButton);
  plugin_.SetSetDRO(CountSetDro);
  plugin_.SetGetDRO(CountGetDro);
  plugin_.SetGetLED(CountGetLed);
  plugin_.SetSetLED(CountSetLed);
  plugin_.SetCode(CountCode);
}

const char* SubstituteHost::SetProName() {
  return plugin_.SetProName(HostString{profilePath_.c_str()});
}

HWND SubstituteHost::InitControl() {
  initResult_ = blocks_.HandTo(plugin_);
  return FindWindowExA(host_.Handle(), nullptr, "TrundleWin", nullptr);
}

HWND SubstituteHost::StartPlugin() {
  HandOverCallbacks();
  SetProName();
  HWND pendant = InitControl();
  plugin_.PostInitControl();
  return pendant;
}

}  // namespace pendant::test
