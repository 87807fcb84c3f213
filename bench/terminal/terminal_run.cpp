#include "bench/terminal/terminal_run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/script/script_parser.h"
#include "bench/session/text_escape.h"
#include "input/poll_interval.h"
#include "platform/virtual_desktop.h"

namespace pendant::bench {
namespace {

// A wheel that reports no new count for this long has stopped turning.
constexpr int64_t kWheelRestMs = 250;
// A recording writes idle time in waits no longer than this, well within what a script accepts.
constexpr int64_t kLongestWaitMs = 600000;
constexpr size_t kLogLinesKept = 500;

int64_t NowMs() {
  return VirtualDesktop::Instance().NowMs();
}

}  // namespace

InteractiveRun::InteractiveRun(const TerminalOptions& options)
    : record_(options, NowMs()),
      transcript_(record_.TranscriptStream(), session_),
      runner_(session_, transcript_, ""),
      startMs_(NowMs()) {
  error_ = record_.error();
  // Nothing here checks the plug-in's reads, and a long session would pile them up.
  session_.host.recordReads = false;
  Perform("machine on");
  if (!options.profilePath.empty()) {
    std::error_code ignored;
    const std::string path = std::filesystem::absolute(options.profilePath, ignored).string();
    if (!Perform("profile-file " + Quoted(path))) error_ = "cannot read " + options.profilePath;
  }
  Perform("start");
}

int64_t InteractiveRun::ElapsedMs() const {
  return NowMs() - startMs_;
}

int64_t InteractiveRun::NextTickElapsedMs() const {
  const int64_t due = VirtualDesktop::Instance().NextTickDueMs();
  return (due == VirtualDesktop::kNever ? NowMs() + kPollIntervalMs : due) - startMs_;
}

void InteractiveRun::CatchUpTo(int64_t elapsedMs) {
  for (;;) {
    RunDueActions();
    const int64_t next = NextTickElapsedMs();
    if (next > elapsedMs) break;
    if (record_.MsSinceLastAction(NowMs()) >= kLongestWaitMs)
      record_.WriteWait(NowMs(), transcript_);
    session_.Wait(static_cast<int>(next - ElapsedMs()));
  }
}

void InteractiveRun::RunDueActions() {
  while (!later_.empty() && later_.front().first <= NowMs()) {
    const std::string line = later_.front().second;
    later_.erase(later_.begin());
    Perform(line);
  }
  if (wheelRestMs_ && *wheelRestMs_ <= NowMs()) {
    wheelRestMs_.reset();
    Perform("rate 0");
  }
}

bool InteractiveRun::Perform(const std::string& line) {
  const script::ParsedScript parsed = script::ParseScript(line);
  if (parsed.error) {
    Log("cannot perform \"" + line + "\": " + parsed.error->message);
    return false;
  }
  Log("> " + line);
  RunOutcome outcome;
  record_.Action(NowMs(), line, transcript_, [&] { outcome = runner_.Run(parsed.commands); });
  // The runner hands the steps of time back when it is done.
  session_.onStep = [this] {
    transcript_.CatchUp();
    CollectLog();
  };
  CollectLog();
  if (!outcome.passed) Log("  " + outcome.message);
  return outcome.passed;
}

void InteractiveRun::PerformLater(int64_t delayMs, std::string line) {
  const int64_t due = NowMs() + delayMs;
  const auto after =
      std::upper_bound(later_.begin(), later_.end(), due,
                       [](int64_t time, const auto& entry) { return time < entry.first; });
  later_.insert(after, {due, std::move(line)});
}

void InteractiveRun::TurnWheel(int counts, int rate) {
  if (session_.pendant.wheelRate != rate) Perform("rate " + std::to_string(rate));
  Perform(std::string("wheel ") + (counts < 0 ? "-" : "+") + std::to_string(std::abs(counts)));
  wheelRestMs_ = NowMs() + kWheelRestMs;
}

void InteractiveRun::Finish() {
  record_.WriteWait(NowMs(), transcript_);
}

void InteractiveRun::Log(const std::string& text) {
  char time[32];
  std::snprintf(time, sizeof time, "%8.3f s  ", static_cast<double>(ElapsedMs()) / 1000);
  log_.push_back(time + Showable(text));
  while (log_.size() > kLogLinesKept) log_.pop_front();
}

void InteractiveRun::CollectLog() {
  const auto& effects = session_.host.effects;
  for (; effectsLogged_ < effects.size(); ++effectsLogged_) {
    Log("host: " + effects[effectsLogged_].ToString());
  }
  const auto& notes = session_.machine.Notes();
  for (; notesLogged_ < notes.size(); ++notesLogged_) Log("machine: " + notes[notesLogged_]);
}

}  // namespace pendant::bench
