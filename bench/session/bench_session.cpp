#include "bench/session/bench_session.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "bench/session/action_words.h"
#include "bench/session/text_escape.h"

#include "device/virtual_hid_bus.h"
#include "platform/virtual_desktop.h"
#include "plugin/exports.h"
#include "plugin/plugin_module.h"
#include "settings/pendant_settings.h"

namespace pendant::bench {
namespace {

// The session removes its folder with everything in it, so it only ever has one it made.
std::string MakePrivateDirectory(const std::filesystem::path& parent) {
  std::string pattern = (parent / "pendant-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    throw std::runtime_error("cannot make a private folder in " + parent.string() + ": " +
                             std::strerror(errno));
  }
  return pattern;
}

}  // namespace

BenchSession::BenchSession(const std::filesystem::path& parent)
    : host(SubstituteHost::Instance()), machine(host), directory_(MakePrivateDirectory(parent)) {
  Reset();
}

void BenchSession::Reset() {
  Plugin().ResetAsLoaded();
  VirtualDesktop::Instance().Reset();
  VirtualHidBus::Instance().Reset();
  host.Reset();
  // The machine holds its host by reference, so a fresh one is built in its place.
  std::destroy_at(&machine);
  std::construct_at(&machine, host);
  machine.AdvanceTo(VirtualDesktop::Instance().NowMs());
  pendant = VirtualPendant();
  pendant.beforeEvent = [this](VirtualPendant::Event event, const VirtualPendant& now) {
    TellPendant(event, now);
  };
  pendantTold_ = pendant;
  display = DisplayWrites();
  updatesPerSecond = kDefaultUpdatesPerSecond;
  nextUpdateMs_ = 0;
  profilePath = directory_ + "/profile.xml";
  std::remove(profilePath.c_str());
  Tell("new session");
}

void BenchSession::Tell(const std::string& words) {
  if (onAction) onAction(words);
}

void BenchSession::TellPendant(VirtualPendant::Event event, const VirtualPendant& now) {
  if (!onAction) return;
  for (const std::string& words : PendantEventWords(event, pendantTold_, now)) onAction(words);
  pendantTold_ = now;
}

BenchSession::~BenchSession() {
  // Observers may be gone by now, and the last stop is no step of the session.
  onStep = nullptr;
  onAction = nullptr;
  Stop();
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

void BenchSession::SetProfileKey(const std::string& key, const std::string& value) {
  Tell("profile " + key + " " + ScriptWord(value));
  pugi::xml_document document;
  document.load_file(profilePath.c_str());
  pugi::xml_node root = document.document_element();
  if (!root) root = document.append_child("profile");
  pugi::xml_node section = root.child(kSettingsSection);
  if (!section) section = root.append_child(kSettingsSection);
  pugi::xml_node node = section.child(key.c_str());
  if (!node) node = section.append_child(key.c_str());
  node.text().set(value.c_str());
  document.save_file(profilePath.c_str());
}

std::string BenchSession::ProfileKey(const std::string& key) const {
  pugi::xml_document document;
  document.load_file(profilePath.c_str());
  return document.document_element().child(kSettingsSection).child(key.c_str()).text().get();
}

std::string BenchSession::Start(PendantAtStart pendantAtStart) {
  const bool plugged = pendantAtStart == PendantAtStart::Plugged;
  if (plugged && !pendant.Plugged()) pendant.Plug();
  if (!plugged && pendant.Plugged()) pendant.Unplug();
  Tell(plugged ? "start" : "start nopendant");
  std::string name = host.Start(profilePath);
  host.PostInit();
  nextUpdateMs_ = VirtualDesktop::Instance().NowMs() + 1000 / std::max(updatesPerSecond, 1);
  return name;
}

void BenchSession::Stop() {
  Tell("stop");
  host.Stop();
}

void BenchSession::AdvanceTo(int64_t timeMs) {
  VirtualDesktop& desktop = VirtualDesktop::Instance();
  // The machine moves first, so a poll tick at this time reads where the axes are now.
  machine.AdvanceTo(timeMs);
  desktop.AdvanceTo(timeMs);
  host.CollectMessage();
  if (onStep) onStep();
}

void BenchSession::Tick(int count) {
  if (onAction) Tell("tick " + std::to_string(count));  // words are built only for a listener
  VirtualDesktop& desktop = VirtualDesktop::Instance();
  for (int i = 0; i < count; ++i) {
    const int64_t due = desktop.NextTickDueMs();
    AdvanceTo(due == VirtualDesktop::kNever ? desktop.NowMs() + 25 : due);
  }
}

void BenchSession::Update(int count) {
  if (onAction) Tell("update " + std::to_string(count));
  for (int i = 0; i < count; ++i) CallUpdate();
}

void BenchSession::CallUpdate() {
  ::Update();
  if (onStep) onStep();
}

void BenchSession::Wait(int ms) {
  Tell("wait " + std::to_string(ms));
  VirtualDesktop& desktop = VirtualDesktop::Instance();
  const int64_t end = desktop.NowMs() + ms;
  const int64_t interval = 1000 / std::max(updatesPerSecond, 1);
  // The host's Update calls start with the first wait, also when the script never said start.
  if (nextUpdateMs_ <= desktop.NowMs()) nextUpdateMs_ = desktop.NowMs() + interval;
  for (;;) {
    const int64_t tick = desktop.NextTickDueMs();
    const int64_t next = std::min(tick, nextUpdateMs_);
    if (next > end) break;
    AdvanceTo(next);
    if (next == nextUpdateMs_) {
      CallUpdate();
      nextUpdateMs_ += interval;
    }
  }
  AdvanceTo(end);
}

}  // namespace pendant::bench
