#include "check/live_input.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "input/input_report.h"
#include "input/key_timing.h"
#include "input/poll_interval.h"
#include "input/selector_names.h"
#include "input/wheel_count.h"

namespace pendant::check {
namespace {

constexpr uint64_t kSecondMs = 1000;
constexpr size_t kReportsKept = 16;
// The plug-in takes a press as long after this many poll cycles.
constexpr uint64_t kHeldMs = static_cast<uint64_t>(kKeyPressCycles) * kPollIntervalMs;

bool WithinLastSecond(uint64_t ms, uint64_t nowMs) {
  return ms + kSecondMs > nowMs;
}

std::string Labelled(const char* label, const std::string& value) {
  char line[32];
  std::snprintf(line, sizeof line, "%-16s", label);
  return line + value;
}

const char* Engaged(bool on, const char* onText) {
  return on ? onText : "off";
}

}  // namespace

std::string HexBytes(const uint8_t* bytes, size_t size) {
  std::string text;
  for (size_t i = 0; i < size; ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", bytes[i]);
    text += byte;
  }
  return text;
}

void LiveInput::Take(const uint8_t (&report)[kInputReportSize], uint64_t nowMs) {
  TimedReport timed{nowMs, {}};
  std::copy(std::begin(report), std::end(report), timed.bytes.begin());
  // The first report only sets the wheel's reference, as it does in the plug-in after an open.
  if (!last_.empty()) {
    const int32_t delta = report[kWheelCounterByte] - last_.back().bytes[kWheelCounterByte];
    const WheelCount count = ClassifyWheelDelta(delta);
    if (count.steps) counts_.push_back({nowMs, count.direction == 1 ? -count.steps : count.steps});
  }
  last_.push_back(timed);
  if (last_.size() > kReportsKept) last_.pop_front();
  reads_.push_back(nowMs);
  ++reportsInAll_;
  while (!counts_.empty() && !WithinLastSecond(counts_.front().ms, nowMs)) counts_.pop_front();
  while (!reads_.empty() && !WithinLastSecond(reads_.front(), nowMs)) reads_.pop_front();

  const ReportFields fields = DecodeReportFields(report);
  if (fields.extendedMark) extended_ = true;
  if (fields.key && !keyWasDown_) keyDownSince_ = nowMs;
  keyWasDown_ = fields.key;
}

std::vector<LiveLine> LiveInput::Lines(uint64_t nowMs) const {
  if (last_.empty()) return {{"No report from the pendant yet.", true}};
  const TimedReport& report = last_.back();
  const uint8_t* bytes = report.bytes.data();
  const ReportFields fields = DecodeReportFields(bytes);

  int32_t counts = 0;
  for (const WheelCounts& entry : counts_)
    counts += WithinLastSecond(entry.ms, nowMs) ? entry.counts : 0;
  int reads = 0;
  for (uint64_t ms : reads_) reads += WithinLastSecond(ms, nowMs) ? 1 : 0;

  const int rate = bytes[kWheelRateByte];
  const char* layout = extended_ ? "   (extended layout)" : "   (compact layout)";
  const char* key = !fields.key                       ? "up"
                    : nowMs - keyDownSince_ > kHeldMs ? "HELD (a long press)"
                                                      : "DOWN";
  char number[64];
  std::vector<LiveLine> lines;
  lines.push_back({Labelled("wheel counter", std::to_string(bytes[kWheelCounterByte])), true});
  std::snprintf(number, sizeof number, "%+d counts in the last second", counts);
  lines.push_back({Labelled("wheel turned", number), false});
  lines.push_back(
      {Labelled("wheel rate", std::to_string(rate) + (rate ? " (turning)" : " (at rest)")), true});
  lines.push_back(
      {Labelled("axis selector", AxisSelectorName(extended_, fields.axisSelector) + layout), true});
  lines.push_back(
      {Labelled("mode selector", ModeSelectorName(extended_, fields.modeSelector)), true});
  lines.push_back({Labelled("key", key), true});
  lines.push_back({Labelled("e-stop switch", Engaged(fields.stop, "ENGAGED")), true});
  lines.push_back({Labelled("offline switch", Engaged(fields.offline, "ON (offline)")), true});
  std::snprintf(number, sizeof number, "%d read in the last second, %llu in all", reads,
                static_cast<unsigned long long>(reportsInAll_));
  lines.push_back({Labelled("reports", number), false});
  lines.push_back({Labelled("raw bytes", HexBytes(bytes, kInputReportSize)), true});
  return lines;
}

std::vector<std::string> LiveInput::LastReportLines() const {
  std::vector<std::string> lines;
  for (const TimedReport& report : last_) {
    char time[32];
    std::snprintf(time, sizeof time, "%10.3f s  ", static_cast<double>(report.ms) / 1000.0);
    lines.push_back(time + HexBytes(report.bytes.data(), kInputReportSize));
  }
  return lines;
}

}  // namespace pendant::check
