// How long a poll tick waits for the pendant's report. A pendant sends only when something on
// it changes, so a tick in a quiet spell would spend its whole wait on a report that is not
// coming, on the host's UI thread. While reports keep arriving a tick waits up to
// kReadWaitMs; once none has landed for kQuietTicks ticks it only looks whether one is there.
// A report that lands during the quiet spell is found by the next tick's look, decoded there,
// and the wait resumes: no report is lost or delayed by more than the tick it lands in.
#pragma once

namespace pendant {

inline constexpr unsigned kReadWaitMs = 5;
// 100 ms: a wheel being turned or a key being worked sends far more often than this, so the
// wait stays on for the whole gesture; after it, the machinist's hand has left the pendant.
inline constexpr unsigned kQuietTicks = 4;

class ReadWait {
 public:
  // The wait for this tick's read.
  unsigned WaitMs() const { return ticksWithoutReport_ < kQuietTicks ? kReadWaitMs : 0; }
  // After each tick's read: whether a report landed.
  void Note(bool landed) {
    if (landed) {
      ticksWithoutReport_ = 0;
    } else if (ticksWithoutReport_ < kQuietTicks) {
      ++ticksWithoutReport_;
    }
  }

 private:
  unsigned ticksWithoutReport_ = 0;
};

}  // namespace pendant
