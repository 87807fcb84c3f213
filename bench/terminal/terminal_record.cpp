#include "bench/terminal/terminal_record.h"

namespace pendant::bench {

SessionRecord::SessionRecord(const TerminalOptions& options, int64_t startMs)
    : lastActionMs_(startMs) {
  if (!options.recordPath.empty()) {
    script_.open(options.recordPath, std::ios::binary | std::ios::trunc);
    if (!script_) error_ = "cannot write " + options.recordPath;
    script_ << "# A session of pendant-sim --interactive; pendant-sim replays it.\n";
  }
  if (!options.transcriptPath.empty()) {
    transcript_.open(options.transcriptPath, std::ios::binary | std::ios::trunc);
    if (!transcript_) error_ = "cannot write " + options.transcriptPath;
  }
}

void SessionRecord::Release() {
  transcript_ << held_.str() << std::flush;
  held_.str("");
}

void SessionRecord::WriteWait(int64_t nowMs, Transcript& transcript) {
  if (nowMs <= lastActionMs_) return;
  const std::string waited = held_.str();
  held_.str("");
  const std::string wait = "wait " + std::to_string(nowMs - lastActionMs_);
  transcript.CommandAt(lastActionMs_, wait);
  held_ << waited;
  Release();
  script_ << wait << '\n' << std::flush;
  lastActionMs_ = nowMs;
}

void SessionRecord::Action(int64_t nowMs, const std::string& line, Transcript& transcript,
                           const std::function<void()>& act) {
  WriteWait(nowMs, transcript);
  script_ << line << '\n' << std::flush;
  act();
  Release();
}

}  // namespace pendant::bench
