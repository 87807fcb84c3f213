#include <algorithm>

#include "display/display_report.h"

namespace pendant {

void DisplayLines::PutField(int line, int column, int width, std::string_view text) {
  if (line < 1 || line > 2 || column < 1 || column > kLineLength || width < 0) return;
  const size_t lineFirst = line == 1 ? kLine1First : kLine2First;
  const int count = std::min(width, kLineLength - column + 1);
  for (int i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(i);
    report_[lineFirst + static_cast<size_t>(column - 1) + at] =
        at < text.size() ? static_cast<uint8_t>(text[at]) : ' ';
  }
}

void DisplayLines::Put(int line, int column, std::string_view text) {
  PutField(line, column, static_cast<int>(std::min<size_t>(text.size(), kLineLength)), text);
}

void DisplayLines::PutBlinking(int line, int column, std::string_view text, bool visible) {
  PutField(line, column, static_cast<int>(std::min<size_t>(text.size(), kLineLength)),
           visible ? text : std::string_view{});
}

void DisplayLines::PutAcross(std::string_view text) {
  Put(1, 1, text.substr(0, kLineLength));
  if (text.size() > kLineLength) Put(2, 1, text.substr(kLineLength));
}

void DisplayLines::Clear() {
  PutField(1, 1, kLineLength, {});
  PutField(2, 1, kLineLength, {});
}

}  // namespace pendant
