// One session on the virtual bench: a fresh virtual platform, the substitute host, the virtual
// pendant, a private profile file, and virtual time in which poll ticks (every 25 ms) and host
// Update calls (at the host's rate) interleave deterministically.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "bench/host/machine.h"
#include "bench/host/substitute_host.h"
#include "bench/session/display_writes.h"
#include "bench/session/virtual_pendant.h"

namespace pendant::bench {

class BenchSession {
 public:
  static constexpr int kDefaultUpdatesPerSecond = 10;

  // The session's private folder is made in parent; a folder it cannot make is an error.
  explicit BenchSession(
      const std::filesystem::path& parent = std::filesystem::temp_directory_path());
  ~BenchSession();
  BenchSession(const BenchSession&) = delete;
  BenchSession& operator=(const BenchSession&) = delete;

  // Back to a new session (the plug-in stopped and as loaded; a fresh platform, host, machine
  // and pendant; no profile file) in the same private folder, for programs that run many. The
  // observers (onStep, onAction, the host's onEffect) stay.
  void Reset();

  // Puts a key into the plug-in's section of the profile file (before start).
  void SetProfileKey(const std::string& key, const std::string& value);
  // The key's text in the profile file as stored now; empty when missing.
  std::string ProfileKey(const std::string& key) const;

  enum class PendantAtStart { Plugged, Absent };
  // The host's start-up sequence; returns the plug-in's full name.
  std::string Start(PendantAtStart pendantAtStart = PendantAtStart::Plugged);
  void Stop();

  // Runs n poll ticks (25 ms each) without host Update calls.
  void Tick(int count);
  // Calls Update n times without moving the clock.
  void Update(int count);
  // Lets ms pass: poll ticks and Update calls at the host rate, in time order.
  void Wait(int ms);

  SubstituteHost& host;
  // Off until switched on: then it answers the plug-in's buttons and lines and moves.
  Machine machine;
  VirtualPendant pendant;
  // What the plug-in wrote to the pendant's display.
  DisplayWrites display;
  int updatesPerSecond = kDefaultUpdatesPerSecond;
  std::string profilePath;
  // Called after every step of virtual time (each poll tick and each Update call), so an
  // observer sees effects at the moment they happen.
  std::function<void()> onStep;
  // Told, before it takes effect, of each thing done to the session or its pendant, in the
  // words of the script line that would do it ("tick 4", "mode 3", "wheel +5"), so a session
  // driven from C++ has a transcript too.
  std::function<void(const std::string& words)> onAction;

 private:
  void AdvanceTo(int64_t timeMs);
  void CallUpdate();
  void Tell(const std::string& words);
  void TellPendant(VirtualPendant::Event event, const VirtualPendant& now);

  std::string directory_;
  int64_t nextUpdateMs_ = 0;
  // The pendant as onAction was last told of it.
  VirtualPendant pendantTold_;
};

}  // namespace pendant::bench
