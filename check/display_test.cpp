#include "check/display_test.h"

#include <cstdio>
#include <cstring>
#include <span>

namespace pendant::check {

void ComposeTestScreen(int64_t secondsOfDay, uint8_t (&report)[kDisplayReportSize]) {
  constexpr int64_t kDay = 24 * 60 * 60;
  const int64_t seconds = ((secondsOfDay % kDay) + kDay) % kDay;
  std::memset(report, 0, sizeof report);
  DisplayLines lines{std::span(report).first<kTextEnd>()};
  lines.PutField(1, 1, kLineLength, "CHECK OK");
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  lines.PutField(2, 1, kLineLength, time);
  report[kSequenceByte] = static_cast<uint8_t>(seconds);
}

}  // namespace pendant::check
