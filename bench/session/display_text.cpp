#include "bench/session/display_text.h"

#include "bench/session/text_escape.h"
#include "pendant/display_report_format.h"

namespace pendant::bench {
namespace {

std::string LineAt(const std::vector<uint8_t>& report, size_t first) {
  constexpr size_t kLength = kLineLength;
  std::string line(kLength, '\0');
  for (size_t i = 0; i < kLength && first + i < report.size(); ++i) {
    line[i] = static_cast<char>(report[first + i]);
  }
  return line;
}

}  // namespace

DisplayText TextOfReport(const std::vector<uint8_t>& report) {
  return {LineAt(report, kLine1First), LineAt(report, kLine2First)};
}

std::string Printable(const std::string& line) {
  std::string shown = line;
  for (char& c : shown) {
    if (!IsPrintable(c)) c = '.';
  }
  return shown;
}

}  // namespace pendant::bench
