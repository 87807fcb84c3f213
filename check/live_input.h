// The live part of the pendant check: what the pendant sends, decoded the way the plug-in
// decodes it, as one line per control, plus the last reports for the report file.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "pendant/input_report_format.h"

namespace pendant::check {

struct LiveLine {
  std::string text;
  // False for figures that change with time alone (per second); a log of changes skips them.
  bool steady;
};

struct TimedReport {
  uint64_t ms;  // on the check's clock
  std::array<uint8_t, kInputReportSize> bytes;
};

class LiveInput {
 public:
  // A report as read at nowMs (the check's clock, in milliseconds, never going back).
  void Take(const uint8_t (&report)[kInputReportSize], uint64_t nowMs);

  // One line per control, always the same count in the same order; before the first report
  // only a line saying none came yet.
  std::vector<LiveLine> Lines(uint64_t nowMs) const;

  // The last reports read, oldest first, each as its time and its bytes in hex.
  std::vector<std::string> LastReportLines() const;

 private:
  struct WheelCounts {
    uint64_t ms;
    int32_t counts;  // forward positive
  };
  std::deque<TimedReport> last_;  // newest at the back
  // The last second's reads and wheel counts; older ones are dropped as reports come in.
  std::deque<WheelCounts> counts_;
  std::deque<uint64_t> reads_;
  uint64_t reportsInAll_ = 0;
  bool extended_ = false;  // kept once a report carries the mark, as the plug-in keeps it
  bool keyWasDown_ = false;
  uint64_t keyDownSince_ = 0;
};

// The bytes as two-digit hex, separated by spaces.
std::string HexBytes(const uint8_t* bytes, size_t size);

}  // namespace pendant::check
