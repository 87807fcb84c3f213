#include "input/step_size_text.h"

#include <charconv>

namespace pendant {

float StepSizeFromText(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  // A second sign is no number.
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) return 0.0f;
  double value = 0.0;
  const auto result = std::from_chars(text.data() + at, text.data() + text.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) return 0.0f;
  // Out of range: from_chars leaves the value alone; the text stood for a huge or tiny number.
  if (result.ec == std::errc::result_out_of_range) return 0.0f;
  const float single = static_cast<float>(value);
  return negative ? -single : single;
}

}  // namespace pendant
