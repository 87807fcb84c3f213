// The bench session behind the interactive mode: virtual time kept up with the real clock in
// whole poll ticks, the user's actions performed as bench script lines (so a recording replays
// them exactly), and a log of what the host saw, with times.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench/script/script_runner.h"
#include "bench/session/bench_session.h"
#include "bench/session/transcript.h"
#include "bench/terminal/terminal_options.h"
#include "bench/terminal/terminal_record.h"

namespace pendant::bench {

class InteractiveRun {
 public:
  // Starts the session with the machine on, from a copy of the user's profile if one is named.
  explicit InteractiveRun(const TerminalOptions& options);

  // Why the session cannot go on (a file that cannot be written or read); empty when it can.
  const std::string& Error() const { return error_; }

  // Lets virtual time catch up with elapsedMs of real time since the start, in whole poll ticks,
  // and performs the actions that fall due on the way.
  void CatchUpTo(int64_t elapsedMs);
  // Real milliseconds since the start at which the next poll tick is due.
  int64_t NextTickElapsedMs() const;
  // Virtual milliseconds since the start.
  int64_t ElapsedMs() const;

  // Performs one user action, a bench script line, now (false when it failed); and later,
  // delayMs from now.
  bool Perform(const std::string& line);
  void PerformLater(int64_t delayMs, std::string line);
  // Turns the wheel at a rate; the wheel comes to rest when no turn follows for a while.
  void TurnWheel(int counts, int rate);
  // Writes the time since the last action, so the replay ends where the session ended.
  void Finish();

  void Log(const std::string& text);
  const std::deque<std::string>& LogLines() const { return log_; }
  const BenchSession& Session() const { return session_; }

 private:
  void RunDueActions();
  void CollectLog();

  BenchSession session_;
  SessionRecord record_;
  Transcript transcript_;
  ScriptRunner runner_;
  int64_t startMs_;
  std::vector<std::pair<int64_t, std::string>> later_;  // due time, line; in due order
  std::optional<int64_t> wheelRestMs_;
  size_t effectsLogged_ = 0;
  size_t notesLogged_ = 0;
  std::deque<std::string> log_;
  std::string error_;
};

}  // namespace pendant::bench
