// The check with the plug-in loaded: QorvixK7R.dll from the check's folder, handed a recording
// host the way the host hands over its own (the callbacks, a profile in a temporary folder, the
// state blocks of a host at rest, a hidden main window), pumped like the host's user-interface
// thread with ten Update calls a second. Every host effect is printed as it happens; the
// machine's positions are not simulated.
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>

#include "check/check_runs.h"
#include "check/plugin_library.h"
#include "host/host_at_rest.h"
#include "host/host_effect_text.h"

namespace pendant::check {
namespace {

constexpr unsigned kUpdateMs = 100;
constexpr size_t kEffectsReported = 200;
constexpr const char* kHostWindowClass = "QorvixK7RCheckHost";

// What the callbacks answer and where they print; the callbacks are plain functions, so the
// one recording host of the run is reached through this pointer.
struct RecordingHost {
  RecordingHost(CheckConsole& output, CheckReportFacts& found) : console(output), facts(found) {
    for (const host_at_rest::DroValue& entry : host_at_rest::kDros) dros[entry.dro] = entry.value;
    for (int led : host_at_rest::kLedsOn) ledsOn.insert(led);
  }

  CheckConsole& console;
  CheckReportFacts& facts;
  uint64_t startMs = GetTickCount64();
  std::map<int, double> dros;
  std::set<int> ledsOn;

  void Effect(const std::string& text) {
    char time[32];
    std::snprintf(time, sizeof time,
                  "%8.3f s  host: ", static_cast<double>(GetTickCount64() - startMs) / 1000.0);
    console.Print(time + text);
    // The report keeps the latest ones: a long session must not grow without bound.
    if (facts.hostEffects.size() == kEffectsReported) {
      facts.hostEffects.erase(facts.hostEffects.begin());
    }
    facts.hostEffects.push_back(text);
  }
};

RecordingHost* recording = nullptr;

void RecordButton(int16_t code) {
  recording->Effect(ButtonEffectText(code));
}
void RecordSetDro(int16_t dro, double value) {
  recording->dros[dro] = value;
  recording->Effect(SetDroEffectText(dro, value));
}
double AnswerGetDro(int16_t dro) {
  const auto found = recording->dros.find(dro);
  return found == recording->dros.end() ? 0.0 : found->second;
}
uint8_t AnswerGetLed(int16_t led) {
  return recording->ledsOn.count(led) ? 1 : 0;
}
void IgnoreSetLed(int16_t, uint8_t) {}
void RecordCode(const char* line) {
  recording->Effect(CodeEffectText(line ? line : ""));
}

// The host shows what the plug-in put on its message line, then clears it.
void CollectMessage(HostStringObject& line) {
  const std::string text = line.Text();
  if (text.empty()) return;
  recording->Effect(MessageEffectText(text));
  line.Clear();
}

// A folder of its own under the user's temporary folder, for the profile the plug-in writes;
// removed with what the plug-in left in it.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH + 64];
    std::snprintf(name, sizeof name, "%sQorvixK7R-check-%lu", base, GetCurrentProcessId());
    path_ = name;
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TemporaryFolder() {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((path_ + "\\" + entry.cFileName).c_str());
      } while (FindNextFileA(search, &entry));
      FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

HWND CreateHiddenHostWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kHostWindowClass;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, kHostWindowClass, "Pendant check host", WS_OVERLAPPEDWINDOW, 0, 0, 320,
                         200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::string MissingEntryPoints(const PluginLibrary& plugin) {
  std::string names;
  for (const std::string& name : plugin.missing) names += " " + name;
  return names;
}

}  // namespace

std::string PluginNameBeside() {
  PluginLibrary plugin;
  if (!plugin.Load(DllBesideThisProgram())) {
    return plugin.module ? "QorvixK7R.dll lacks:" + MissingEntryPoints(plugin)
                         : "no QorvixK7R.dll beside the check";
  }
  const char* name = plugin.SetProName(HostString{""});
  return name ? name : "(no name)";
}

bool RunWithPlugin(CheckConsole& console, CheckReportFacts& facts) {
  facts.interfaces = ListHidInterfaces();
  console.PrintLines(HidListLines(facts.interfaces, kCheckWidth));
  const int pendant = PendantIndex(facts.interfaces);
  console.PrintLines(pendant < 0 ? NotFoundLines()
                                 : std::vector<std::string>{"The pendant is listed; the plug-in "
                                                            "opens it."});

  PluginLibrary plugin;
  if (!plugin.Load(DllBesideThisProgram())) {
    facts.pluginName = plugin.module ? "QorvixK7R.dll lacks:" + MissingEntryPoints(plugin)
                                     : "no QorvixK7R.dll beside the check";
    console.Print("Cannot load the plug-in: " + facts.pluginName);
    return false;
  }
  RecordingHost host(console, facts);
  recording = &host;

  const TemporaryFolder folder;
  const std::string profile = folder.Path() + "\\profile.xml";
  const HWND window = CreateHiddenHostWindow();
  HostBlocks blocks(window);
  host_at_rest::PokeBlockC(blocks.BlockC());

  plugin.SetDoButton(RecordButton);
  plugin.SetSetDRO(RecordSetDro);
  plugin.SetGetDRO(AnswerGetDro);
  plugin.SetGetLED(AnswerGetLed);
  plugin.SetSetLED(IgnoreSetLed);
  plugin.SetCode(RecordCode);
  const char* name = plugin.SetProName(HostString{profile.c_str()});
  facts.pluginName = name ? name : "(no name)";
  console.Print("Plug-in loaded: " + facts.pluginName);
  console.Print("What the host would be told (the machine does not move):");
  blocks.HandTo(plugin);
  plugin.PostInitControl();
  CollectMessage(blocks.MessageLine());

  uint64_t nextUpdate = GetTickCount64() + kUpdateMs;
  while (!console.QuitAsked()) {
    PumpMessages();
    CollectMessage(blocks.MessageLine());
    if (GetTickCount64() >= nextUpdate) {
      plugin.Update();
      CollectMessage(blocks.MessageLine());
      nextUpdate += kUpdateMs;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  plugin.StopPlug();
  PumpMessages();
  CollectMessage(blocks.MessageLine());
  console.Print("Plug-in stopped.");
  recording = nullptr;
  if (window) DestroyWindow(window);
  return true;
}

}  // namespace pendant::check
