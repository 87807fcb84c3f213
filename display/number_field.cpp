#include "display/number_field.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace pendant {
namespace {

// %f of the largest double has 309 integer digits; sign, point and decimals come on top.
constexpr size_t kScratchSize = 512;

}  // namespace

void FormatField(char* out, int width, const char* format, double value) {
  if (width <= 0) return;
  char scratch[kScratchSize];
  const int written = std::snprintf(scratch, sizeof scratch, format, value);
  const int kept = static_cast<int>(sizeof scratch) - 1;  // a longer text was cut here
  const int length = written < 0 ? 0 : (written > kept ? kept : written);
  const int copied = std::min(length, width);
  std::memcpy(out, scratch, static_cast<size_t>(copied));
  std::memset(out + copied, ' ', static_cast<size_t>(width - copied));
}

void PutNumber(DisplayLines& lines, int line, int column, int width, const char* format,
               double value) {
  char field[kLineLength];
  const int fieldWidth = std::clamp(width, 0, kLineLength);
  FormatField(field, fieldWidth, format, value);
  lines.PutField(line, column, fieldWidth,
                 std::string_view(field, static_cast<size_t>(fieldWidth)));
}

}  // namespace pendant
