#include "bench/display_text.h"

#include "bench/text_escape.h"

namespace pendant::bench {
namespace {

constexpr size_t kLine1First = 2;
constexpr size_t kLine2First = 10;
constexpr size_t kLineLength = 8;

std::string LineAt(const std::vector<uint8_t>& report, size_t first) {
  std::string line(kLineLength, '\0');
  for (size_t i = 0; i < kLineLength && first + i < report.size(); ++i) {
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
