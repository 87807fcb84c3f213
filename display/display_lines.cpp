#include <algorithm>
#include <cstring>

#include "display/display_report.h"

namespace pendant {

void DisplayLines::PutField(int line, int column, int width, std::string_view text) {
  if (line < 1 || line > 2 || column < 1 || column > kLineLength || width < 0) return;
  const size_t lineFirst = line == 1 ? kLine1First : kLine2First;
  const auto count = static_cast<size_t>(std::min(width, kLineLength - column + 1));
  const size_t copied = std::min(text.size(), count);
  uint8_t* const field = report_.data() + lineFirst + static_cast<size_t>(column - 1);
  if (copied > 0) std::memcpy(field, text.data(), copied);  // an empty text may have no data
  std::memset(field + copied, ' ', count - copied);
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
