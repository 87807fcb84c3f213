// What an interactive session did, written down as it happens: the user's actions as a bench
// script with a wait for the time between them, and the transcript that pendant-sim prints when
// it replays that script. The transcript of a stretch of waiting is held back until the wait is
// over, because its command line, written first, names how long it lasted.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "bench/session/transcript.h"
#include "bench/terminal/terminal_options.h"

namespace pendant::bench {

class SessionRecord {
 public:
  // Opens the files the options name; error() tells when one cannot be written.
  SessionRecord(const TerminalOptions& options, int64_t startMs);

  const std::string& error() const { return error_; }
  // Where the session's transcript writes.
  std::ostream& TranscriptStream() { return held_; }

  // Writes the wait since the last action, then the action, which act performs.
  void Action(int64_t nowMs, const std::string& line, Transcript& transcript,
              const std::function<void()>& act);
  // Writes the wait since the last action, so that a replay lasts as long.
  void WriteWait(int64_t nowMs, Transcript& transcript);
  int64_t MsSinceLastAction(int64_t nowMs) const { return nowMs - lastActionMs_; }

 private:
  void Release();

  std::ofstream script_;
  std::ofstream transcript_;
  std::ostringstream held_;
  int64_t lastActionMs_;
  std::string error_;
};

}  // namespace pendant::bench
