#include "tests/win32/pendant_host.h"

#include <algorithm>
#include <utility>

namespace pendant::test {
namespace {

std::vector<int> buttons;
std::vector<std::string> codes;
bool emergencyStopLed = false;
bool jogEnabledLed = true;
std::function<void(int, const std::string&)> insideCallback;
constexpr int16_t kEmergencyStopLedNumber = 800;
constexpr int16_t kJogEnabledLedNumber = 83;
constexpr int16_t kQueueLimitDro = 133;
constexpr ULONGLONG kUpdatePeriodMs = 100;  // the host calls Update ten times a second

void RecordButton(int16_t code) {
  buttons.push_back(code);
  if (insideCallback) insideCallback(code, {});
}
void IgnoreSetDro(int16_t, double) {}
// A host at rest with jogging on: room in its queue, no program running.
double AnswerDro(int16_t dro) {
  return dro == kQueueLimitDro ? 4.0 : 0.0;
}
uint8_t AnswerLed(int16_t led) {
  if (led == kJogEnabledLedNumber) return jogEnabledLed ? 1 : 0;
  return led == kEmergencyStopLedNumber && emergencyStopLed ? 1 : 0;
}
void IgnoreSetLed(int16_t, uint8_t) {}
void RecordCode(const char* line) {
  codes.emplace_back(line ? line : "");
  if (insideCallback) insideCallback(0, codes.back());
}

}  // namespace

std::vector<uint8_t> PendantReport(uint8_t counter, uint8_t rate, uint8_t mode) {
  return {0x00, counter, rate, 0x01, mode, 0x00, 0x00, 0x00};
}

void PendantHost::SetUp() {
  SubstituteHost::SetUp();
  ASSERT_TRUE(StandInsLoaded())
      << "Wine's hid.dll or setupapi.dll was loaded: run with WINEDLLOVERRIDES=hid,setupapi=n,b";
  ASSERT_TRUE(pendant_.Serve());
  bus_.List({&pendant_});
  buttons.clear();
  codes.clear();
  emergencyStopLed = false;
  jogEnabledLed = true;
  insideCallback = nullptr;
}

void PendantHost::TearDown() {
  insideCallback = nullptr;
  SubstituteHost::TearDown();  // StopPlug closes the pendant before its pipe goes
  pendant_.Break();
}

HWND PendantHost::StartPlugin() {
  plugin_.SetDoButton(RecordButton);
  plugin_.SetSetDRO(IgnoreSetDro);
  plugin_.SetGetDRO(AnswerDro);
  plugin_.SetGetLED(AnswerLed);
  plugin_.SetSetLED(IgnoreSetLed);
  plugin_.SetCode(RecordCode);
  SetProName();
  pendantWindow_ = InitControl();
  plugin_.PostInitControl();
  return pendantWindow_;
}

bool PendantHost::PumpTicks(int count, const std::function<void()>& beforeTick,
                            std::vector<double>* blocksMs) {
  TickWatch watch{0, beforeTick, blocksMs};
  return PumpUntil([&] { return watch.ticks >= count; }, kPatientMs + count * 100, &watch);
}

bool PendantHost::PumpUntil(const std::function<bool()>& done, unsigned waitMs) {
  return PumpUntil(done, waitMs, nullptr);
}

bool PendantHost::PumpUntil(const std::function<bool()>& done, unsigned waitMs, TickWatch* watch) {
  const ULONGLONG giveUp = GetTickCount64() + waitMs;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= giveUp) return false;
    if (now >= nextUpdate_) {
      plugin_.Update();
      nextUpdate_ = now + kUpdatePeriodMs;
      continue;
    }
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(
          0, nullptr, FALSE, static_cast<DWORD>(std::min(giveUp, nextUpdate_) - now), QS_ALLINPUT);
      continue;
    }
    TranslateMessage(&message);
    const bool tick = watch && message.message == WM_TIMER && message.hwnd == pendantWindow_;
    if (!tick) {
      DispatchMessageA(&message);
      continue;
    }
    if (watch->beforeTick) watch->beforeTick();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    DispatchMessageA(&message);
    QueryPerformanceCounter(&end);
    ++watch->ticks;
    if (watch->blocksMs) {
      watch->blocksMs->push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                 static_cast<double>(frequency.QuadPart));
    }
  }
  return true;
}

std::vector<int> PendantHost::TakeButtons() {
  return std::exchange(buttons, {});
}

std::vector<std::string> PendantHost::TakeCodes() {
  return std::exchange(codes, {});
}

void PendantHost::SetEmergencyStopLed(bool on) {
  emergencyStopLed = on;
}

void PendantHost::SetJogEnabledLed(bool on) {
  jogEnabledLed = on;
}

void PendantHost::SetInsideCallback(std::function<void(int, const std::string&)> inside) {
  insideCallback = std::move(inside);
}

void PendantHost::PumpMessagesFor(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

}  // namespace pendant::test
