// The only writer of the display report's two text lines, and the blink halves the screens share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "pendant/display_report_format.h"

namespace pendant {

// Writes columns 1..8 of line 1 or 2 and nothing else: every text is cut at the end of its
// field and of its line, and a line or column outside the display writes nothing.
class DisplayLines {
 public:
  explicit DisplayLines(std::span<uint8_t, kTextEnd> report) : report_(report) {}

  // Writes text from the column on, cut at the end of the line.
  void Put(int line, int column, std::string_view text);
  // Writes exactly width columns from the column on: the leading characters of text, then
  // spaces when text is shorter.
  void PutField(int line, int column, int width, std::string_view text);
  // Writes text when visible, else as many spaces.
  void PutBlinking(int line, int column, std::string_view text, bool visible);
  // Writes text from line 1 column 1 on, running into line 2 after the eighth character.
  void PutAcross(std::string_view text);
  // Both lines all spaces.
  void Clear();

 private:
  std::span<uint8_t, kTextEnd> report_;
};

// Which half of the 40-cycle blink period a DisplayCycle value falls in.
inline bool FirstBlinkHalf(int32_t displayCycle) {
  const int32_t r = ((displayCycle % 40) + 40) % 40;
  return r < 20;
}

}  // namespace pendant
