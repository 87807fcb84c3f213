#include "bench/script/script_runner.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "bench/host/entry_calls.h"
#include "bench/session/decoded_state.h"
#include "bench/session/dialog_user.h"
#include "device/virtual_hid_bus.h"
#include "platform/virtual_desktop.h"
#include "plugin/exports.h"

namespace pendant::bench {
namespace {

// Another HID device, a keyboard, that comes and goes beside the pendant.
constexpr const char* kOtherDevicePath =
    "\\\\?\\hid#vid_1a2c&pid_2124&mi_00#8&2f3e4a5b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr uint16_t kOtherDeviceVendorId = 0x1A2C;
constexpr uint16_t kOtherDeviceProductId = 0x2124;

std::string InUpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

ScriptRunner::ScriptRunner(BenchSession& session, Transcript& transcript, std::string scriptFolder)
    : session_(session), transcript_(transcript), scriptFolder_(std::move(scriptFolder)) {}

RunOutcome ScriptRunner::Run(const std::vector<script::Command>& commands) {
  session_.onStep = [this] { transcript_.CatchUp(); };
  // The plug-in's reads are kept only for a script that checks them.
  session_.host.recordReads =
      std::any_of(commands.begin(), commands.end(), [](const script::Command& command) {
        return std::holds_alternative<script::ExpectReads>(command.action);
      });
  RunOutcome outcome;
  for (const script::Command& command : commands) {
    if (!std::holds_alternative<script::Say>(command.action)) transcript_.Command(command.source);
    const Verdict failure =
        std::visit([this](const auto& action) { return Do(action); }, command.action);
    transcript_.CatchUp();
    if (failure) {
      outcome = {false, command.line, command.source, *failure};
      break;
    }
  }
  session_.onStep = nullptr;
  outcome.checksPassed = checksPassed_;
  return outcome;
}

ScriptRunner::Verdict ScriptRunner::Do(const script::Say& say) {
  transcript_.Narrate(say.text);
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SetProfileKey& set) {
  // After start this is the host, or a user, editing the file between two entry-point calls.
  session_.SetProfileKey(set.key, set.value);
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::Start& start) {
  if (phase_ != Phase::BeforeStart) return "the host starts the plug-in once per session";
  const std::string name =
      session_.Start(start.pendantPlugged ? BenchSession::PendantAtStart::Plugged
                                          : BenchSession::PendantAtStart::Absent);
  phase_ = Phase::Running;
  transcript_.Note("plug-in started: \"" + name + "\"");
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::Stop&) {
  if (phase_ != Phase::Running) return "the plug-in is not running";
  WindowGoes();
  session_.Stop();
  return {};
}

void ScriptRunner::WindowGoes() {
  ticksOfStoppedWindow_ = LiveWindowTicks();
  phase_ = Phase::Stopped;
}

ScriptRunner::Verdict ScriptRunner::Do(const script::PlugPendant& plug) {
  VirtualPendant& pendant = session_.pendant;
  if (plug.plugged) {
    if (!plug.path.empty()) {
      if (pendant.Plugged()) return "the pendant is plugged in; unplug it before moving it";
      pendant.path = plug.path;
    }
    pendant.Plug();
  } else if (plug.notice == script::RemovalNotice::UpperCase) {
    VirtualHidBus::Instance().Unplug(pendant.path, InUpperCase(pendant.path));
  } else if (plug.notice == script::RemovalNotice::Lost) {
    VirtualHidBus::Instance().Detach(pendant.path);
  } else {
    pendant.Unplug();
  }
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::RefuseNotices& refuse) {
  VirtualDesktop::Instance().RefuseDeviceNotices(refuse.refused);
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::PlugOtherDevice& plug) {
  VirtualHidBus& bus = VirtualHidBus::Instance();
  if (plug.plugged) {
    bus.Plug(kOtherDevicePath, kOtherDeviceVendorId, kOtherDeviceProductId);
  } else {
    bus.Unplug(kOtherDevicePath);
  }
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SetSelector& set) {
  session_.pendant.*set.selector = set.position;
  session_.pendant.Send();
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SetSwitch& set) {
  session_.pendant.*set.pendantSwitch = set.on;
  session_.pendant.Send();
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::TurnWheel& turn) {
  session_.pendant.TurnWheel(turn.counts);
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SetWheelRate& set) {
  session_.pendant.wheelRate = static_cast<uint8_t>(set.rate);
  session_.pendant.Send();
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::RunTicks& run) {
  session_.Tick(run.count);
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::RunUpdates& run) {
  session_.Update(run.count);
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::Wait& wait) {
  session_.Wait(wait.ms);
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SetDro& set) {
  session_.host.dros[set.dro] = set.value;
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SetLed& set) {
  if (set.on) {
    session_.host.ledsOn.insert(set.led);
  } else {
    session_.host.ledsOn.erase(set.led);
  }
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::Poke& poke) {
  SubstituteHost& host = session_.host;
  std::vector<uint8_t>& block = poke.block == 'A'   ? host.blockA
                                : poke.block == 'B' ? host.blockB
                                                    : host.blockC;
  using Type = script::Poke::Type;
  const size_t size = poke.type == Type::U8 ? 1 : poke.type == Type::I32 ? 4 : 8;
  const auto offset = static_cast<size_t>(poke.offset);
  if (offset > block.size() || size > block.size() - offset) {
    return "offset " + std::to_string(offset) + " lies outside block " + poke.block + " (" +
           std::to_string(block.size()) + " bytes)";
  }
  switch (poke.type) {
    case Type::U8:
      host.Poke(block, offset, static_cast<uint8_t>(poke.value));
      break;
    case Type::I32:
      host.Poke(block, offset, static_cast<int32_t>(poke.value));
      break;
    case Type::F64:
      host.Poke(block, offset, poke.value);
      break;
  }
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SetReportTiming& set) {
  session_.pendant.reportDelayMs = set.delayMs;
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SwitchMachineOn&) {
  session_.machine.SwitchOn();
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::SetProfileFile& set) {
  const std::filesystem::path source = scriptFolder_.empty()
                                           ? std::filesystem::path(set.path)
                                           : std::filesystem::path(scriptFolder_) / set.path;
  std::error_code error;
  std::filesystem::copy_file(source, session_.profilePath,
                             std::filesystem::copy_options::overwrite_existing, error);
  if (error) return "cannot copy " + source.string() + " to the profile: " + error.message();
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::Show&) {
  transcript_.Note(DecodedStateText());
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::CallEntryPoint& call) {
  if (call.name == "StopPlug" && phase_ == Phase::Running) WindowGoes();
  CallPluginEntry(call.name, session_.host, session_.profilePath);
  if (call.name == "InitControl") phase_ = Phase::Running;
  return {};
}

ScriptRunner::Verdict ScriptRunner::Do(const script::RunConfig& config) {
  // As the host opens the dialog only for a plug-in it has started.
  if (phase_ != Phase::Running) return "the plug-in is not running (config comes after start)";
  const std::vector<std::string> unknown = UnknownDialogFields(config.fields);
  if (!unknown.empty()) return "the settings dialog has no control for " + unknown.front();
  QueueDialogTurns({SetFieldsAndClose(config.fields, config.accept)});
  ::Config();
  for (const std::string& message : LastDialogSurface().messages) {
    transcript_.Note("dialog says: " + message);
  }
  return {};
}

}  // namespace pendant::bench
