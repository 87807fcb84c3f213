// The pendant's display as the plug-in wrote it: the two 8-character text lines of a display
// report, and how the bench shows them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pendant::bench {

struct DisplayText {
  std::string line1;  // report bytes 2..9
  std::string line2;  // report bytes 10..17

  bool operator==(const DisplayText&) const = default;
};

// The text lines of a written report; bytes a short report lacks read as 0.
DisplayText TextOfReport(const std::vector<uint8_t>& report);
// The line with every unprintable byte shown as a dot.
std::string Printable(const std::string& line);

}  // namespace pendant::bench
