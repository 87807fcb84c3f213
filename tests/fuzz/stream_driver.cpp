#include "tests/fuzz/stream_driver.h"

#include <cstring>
#include <string>

#include "host/host_fields.h"
#include "pendant/pendant_ids.h"
#include "plugin/plugin_module.h"

namespace pendant::testing {
namespace {

constexpr const char* kOtherPortPath =
    "\\\\?\\hid#vid_04d8&pid_fce2#9&77aa01&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kForeignPath = "\\\\?\\hid#vid_046d&pid_c52b#5&2f1e&0&0000#{foreign}";
constexpr int kStopLed = 800;
// Written into the display report once the window exists; no composition may reach them.
constexpr uint8_t kByte19 = 0xA5;
constexpr uint8_t kByte20 = 0x5A;
constexpr size_t kLongestText = 1020;

// Takes n bytes off the front of rest; false (and nothing taken) when fewer are left.
bool Take(std::span<const uint8_t>& rest, void* out, size_t n) {
  if (rest.size() < n) return false;
  std::memcpy(out, rest.data(), n);
  rest = rest.subspan(n);
  return true;
}

TrundleWin* Window() {
  return Plugin().PendantWindow.get();
}

bool PendantOpen() {
  return Window() && Window()->Link().DeviceOpen();
}

}  // namespace

StreamDriver::StreamDriver(StreamOracle& oracle) : oracle_(oracle) {
  StartFresh();
}

StreamDriver::~StreamDriver() {
  if (running_) Stop();
}

void StreamDriver::StartOver() {
  if (running_) Stop();
  session.Reset();
  foreignPlugged_ = false;
  cycles = 0;
  StartFresh();
}

void StreamDriver::StartFresh() {
  session.profilePath.clear();
  session.pendant.Plug();
  Start();
}

void StreamDriver::Start() {
  session.Start(session.pendant.Plugged() ? bench::BenchSession::PendantAtStart::Plugged
                                          : bench::BenchSession::PendantAtStart::Absent);
  if (TrundleWin* window = Window()) {
    window->DisplayBuffer[19] = kByte19;
    window->DisplayBuffer[20] = kByte20;
  }
  session.host.TakeEffects();
  VirtualHidBus::Instance().ClearWrites();
  running_ = true;
}

void StreamDriver::Stop() {
  session.Stop();
  oracle_.CheckStop(session.host.TakeEffects());
  running_ = false;
}

void StreamDriver::CheckWrites() {
  VirtualHidBus& bus = VirtualHidBus::Instance();
  for (const VirtualHidBus::WrittenReport& write : bus.Writes()) {
    oracle_.CheckWrittenReport(write.bytes, kByte19, kByte20);
  }
  bus.ClearWrites();
}

void StreamDriver::Tick() {
  const bool decoded = running_ && PendantOpen();
  session.Tick(1);
  ++cycles;
  if (running_ && Window()) oracle_.CheckCycle(Plugin(), decoded, session.host.TakeEffects());
  CheckWrites();
}

void StreamDriver::Update() {
  session.Update(1);
  oracle_.CheckQuietEvent(session.host.TakeEffects(), "Update");
}

void StreamDriver::SendReport(const VirtualHidBus::Report& report, int64_t delayMs) {
  if (session.pendant.Plugged()) {
    VirtualHidBus::Instance().SendReport(session.pendant.path, report, delayMs);
  }
}

void StreamDriver::TogglePendant(bool otherPort) {
  bench::VirtualPendant& pendant = session.pendant;
  if (pendant.Plugged()) {
    const bool wasOpen = PendantOpen();
    const bool stopLedOn = session.host.Led(kStopLed);
    pendant.Unplug();
    oracle_.CheckRemoval(wasOpen, PendantOpen(), stopLedOn, session.host.TakeEffects());
  } else {
    pendant.path = otherPort ? kOtherPortPath : bench::kPendantPath;
    pendant.Plug();
    oracle_.CheckQuietEvent(session.host.TakeEffects(), "the pendant's arrival");
  }
}

void StreamDriver::ToggleForeignDevice() {
  VirtualHidBus& bus = VirtualHidBus::Instance();
  if (foreignPlugged_) {
    const bool wasOpen = PendantOpen();
    bus.Unplug(kForeignPath);
    oracle_.CheckRemoval(wasOpen, PendantOpen(), session.host.Led(kStopLed),
                         session.host.TakeEffects());
  } else {
    bus.Plug(kForeignPath, 0x046D, 0xC52B);
    oracle_.CheckQuietEvent(session.host.TakeEffects(), "a foreign device's arrival");
  }
  foreignPlugged_ = !foreignPlugged_;
}

void StreamDriver::ChangeSetting(uint8_t which, std::span<const uint8_t>& rest) {
  PendantSettings& s = Plugin().settings;
  int16_t* const numbers[] = {&s.BUTTON[0],      &s.BUTTON[1],  &s.BUTTON[2],  &s.BUTTON[3],
                              &s.Macro1,         &s.Macro2,     &s.Macro3,     &s.Macro4,
                              &s.OEM1,           &s.OEM2,       &s.OEM3,       &s.OEM4,
                              &s.ScreenSel1,     &s.ScreenSel2, &s.ScreenSel3, &s.AutoChangeSens,
                              &s.VelocityInAuto, &s.Decidigit};
  std::string* const texts[] = {&s.F1, &s.F2, &s.F3, &s.F4, &s.S1, &s.S2, &s.S3};
  bool* const flags[] = {&s.DisplyRPM, &s.CAmode, &s.Xreverse, &s.Yreverse, &s.Zreverse};
  constexpr size_t kNumbers = std::size(numbers);
  constexpr size_t kTexts = std::size(texts);
  uint8_t selector = 0;
  if (!Take(rest, &selector, 1)) return;
  const size_t index = selector % (kNumbers + kTexts + 2);
  if (index < kNumbers) {
    int16_t value = 0;
    if (Take(rest, &value, sizeof value)) *numbers[index] = value;
  } else if (index < kNumbers + kTexts) {
    uint8_t length = 0;
    if (Take(rest, &length, 1)) {
      texts[index - kNumbers]->assign(length * kLongestText / 255, static_cast<char>(which));
    }
  } else if (index == kNumbers + kTexts) {
    Take(rest, &s.DelaySteps, sizeof s.DelaySteps);
  } else {
    for (size_t flag = 0; flag < std::size(flags); ++flag) *flags[flag] = (which >> flag) & 1;
  }
  oracle_.CheckQuietEvent(session.host.TakeEffects(), "a settings change");
}

void StreamDriver::RunOne(uint8_t op, std::span<const uint8_t>& rest) {
  const uint8_t arg = op >> 4;
  bench::VirtualPendant& pendant = session.pendant;
  switch (op & 0x0F) {
    case 0: {  // the wheel turns (or stops) at any rate; the report is on time, late or lost
      int8_t counts = 0;
      uint8_t rate = 0;
      if (!Take(rest, &counts, 1) || !Take(rest, &rate, 1)) return;
      pendant.wheelCounter = static_cast<uint8_t>(pendant.wheelCounter + counts);
      pendant.wheelRate = rate;
      pendant.reportDelayMs = arg == 15 ? -1 : arg * 10;
      if (pendant.Plugged()) pendant.Send();
      return;
    }
    case 1: {  // selectors, key and extension bit
      uint8_t bits = 0;
      if (!Take(rest, &bits, 1)) return;
      pendant.axisSelector = bits & 7;
      pendant.modeSelector = (bits >> 3) & 7;
      pendant.keyDown = bits & 0x40;
      pendant.extended = bits & 0x80;
      if (pendant.Plugged()) pendant.Send();
      return;
    }
    case 2:  // switches
      pendant.offline = arg & 1;
      pendant.stopEngaged = arg & 2;
      if (pendant.Plugged()) pendant.Send();
      return;
    case 3: {  // any report at all
      VirtualHidBus::Report report{};
      if (Take(rest, report.data(), report.size())) SendReport(report, arg * 10);
      return;
    }
    case 4:
    case 5:
    case 6:
      for (int tick = 0; tick <= arg; ++tick) Tick();
      return;
    case 7:
      for (int call = 0; call <= arg; ++call) Update();
      return;
    case 8: {  // an LED: 0..127, or 800 (the host's stop) and above
      uint8_t led = 0;
      if (!Take(rest, &led, 1)) return;
      const int number = led < 128 ? led : kStopLed + led % 32;
      if (arg & 1) {
        session.host.ledsOn.insert(number);
      } else {
        session.host.ledsOn.erase(number);
      }
      return;
    }
    case 9: {  // a DRO with any bit pattern
      uint8_t dro = 0;
      double value = 0.0;
      if (Take(rest, &dro, 1) && Take(rest, &value, sizeof value)) session.host.dros[dro] = value;
      return;
    }
    case 10:
      TogglePendant(arg & 1);
      return;
    case 11:
      ToggleForeignDevice();
      return;
    case 12:
      ChangeSetting(arg, rest);
      return;
    case 13:
      session.host.blockA[host_fields::kJogInhibit] = arg & 1;
      return;
    case 14:
      if (running_) {
        Stop();
      } else {
        Start();
      }
      return;
    default:  // the host busy or idle
      session.host.Poke<uint32_t>(session.host.blockC, host_fields::kBusyWord, arg & 1);
      return;
  }
}

void StreamDriver::Run(std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const uint8_t op = bytes.front();
    bytes = bytes.subspan(1);
    RunOne(op, bytes);
  }
}

}  // namespace pendant::testing
