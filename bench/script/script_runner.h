// Runs parsed script commands on a bench session: actions drive the virtual pendant, the
// substitute host and virtual time; checks compare what the plug-in did with what the script
// expects. The transcript follows along.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench/script/script_command.h"
#include "bench/session/bench_session.h"
#include "bench/session/transcript.h"

namespace pendant::bench {

struct RunOutcome {
  bool passed = true;
  int line = 0;         // of the command that failed
  std::string source;   // that command as written
  std::string message;  // why: what was expected and what happened
  int checksPassed = 0;
};

class ScriptRunner {
 public:
  // Files a script names are found relative to scriptFolder (empty: the working folder).
  ScriptRunner(BenchSession& session, Transcript& transcript, std::string scriptFolder = {});

  // Runs the commands in order and stops at the first that fails.
  RunOutcome Run(const std::vector<script::Command>& commands);

 private:
  // A failure message, or nothing when the command went well.
  using Verdict = std::optional<std::string>;

  // Actions (script_runner.cpp).
  Verdict Do(const script::Say& say);
  Verdict Do(const script::SetProfileKey& set);
  Verdict Do(const script::Start& start);
  Verdict Do(const script::Stop& stop);
  Verdict Do(const script::PlugPendant& plug);
  Verdict Do(const script::RefuseNotices& refuse);
  Verdict Do(const script::PlugOtherDevice& plug);
  Verdict Do(const script::SetSelector& set);
  Verdict Do(const script::SetSwitch& set);
  Verdict Do(const script::TurnWheel& turn);
  Verdict Do(const script::SetWheelRate& set);
  Verdict Do(const script::RunTicks& run);
  Verdict Do(const script::RunUpdates& run);
  Verdict Do(const script::Wait& wait);
  Verdict Do(const script::SetDro& set);
  Verdict Do(const script::SetLed& set);
  Verdict Do(const script::Poke& poke);
  Verdict Do(const script::SetReportTiming& set);
  Verdict Do(const script::SwitchMachineOn& on);
  Verdict Do(const script::SetProfileFile& set);
  Verdict Do(const script::Show& show);
  Verdict Do(const script::CallEntryPoint& call);
  Verdict Do(const script::RunConfig& config);

  // Checks (script_checks.cpp).
  Verdict Do(const script::ExpectEffects& expect);
  Verdict Do(const script::ExpectReads& expect);
  Verdict Do(const script::ExpectProfileFile& expect);
  Verdict Do(const script::ExpectDisplay& expect);
  Verdict Do(const script::ExpectByte& expect);
  Verdict Do(const script::ExpectDro& expect);
  Verdict Do(const script::ExpectLed& expect);
  Verdict Do(const script::ExpectProfile& expect);
  Verdict Do(const script::ExpectJog& expect);
  Verdict Do(const script::ExpectWrites& expect);
  Verdict Do(const script::ExpectTicks& expect);
  Verdict Do(const script::ExpectHandles& expect);

  Verdict Passed();
  // The plug-in's window is gone: its ticks no longer count.
  void WindowGoes();
  // The last display report written, or null when none was.
  const std::vector<uint8_t>* LastReport() const;
  // Poll ticks the plug-in's window has received so far.
  uint64_t PollTicks() const;
  uint64_t LiveWindowTicks() const;

  enum class Phase { BeforeStart, Running, Stopped };

  BenchSession& session_;
  Transcript& transcript_;
  std::string scriptFolder_;
  Phase phase_ = Phase::BeforeStart;
  size_t effectsChecked_ = 0;
  uint64_t writesChecked_ = 0;
  uint64_t ticksChecked_ = 0;
  uint64_t ticksOfStoppedWindow_ = 0;
  int checksPassed_ = 0;
};

}  // namespace pendant::bench
