#include "bench/host/gcode_reader.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pendant::bench {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// A plain decimal number: an optional sign, digits and at most one point; no exponent, no
// hexadecimal, no "nan" or "inf".
std::optional<double> ReadNumber(std::string_view text, size_t& at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  const size_t start = at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  bool digits = false;
  bool point = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  const std::string number(text.substr(start, at - start));
  const double value = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

bool GcodeLine::Moves() const {
  for (const auto& word : axis) {
    if (word) return true;
  }
  return false;
}

GcodeLine ReadGcodeLine(std::string_view text) {
  GcodeLine line;
  size_t at = 0;
  while (at < text.size()) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
    if (IsBlank(letter)) {
      ++at;
      continue;
    }
    ++at;
    const std::optional<double> number = ReadNumber(text, at);
    if (!number) {
      line.problem = std::string("no number after ") + letter;
      return line;
    }
    if (const int axis = MachineAxisOf(letter); axis >= 0) {
      line.axis[axis] = *number;
    } else if (letter == 'F') {
      if (*number <= 0.0) {
        line.problem = "a feed must be above 0";
        return line;
      }
      line.feed = *number;
    } else if (letter == 'M' && *number >= 0.0 && *number <= 9999.0 &&
               *number == std::floor(*number)) {
      line.macro = static_cast<int>(*number);
    } else if (letter == 'G' && (*number == 90.0 || *number == 91.0)) {
      line.relative = *number == 91.0;
    } else if (letter == 'G' && (*number == 0.0 || *number == 1.0)) {
      line.rapid = *number == 0.0;
    } else {
      char word[48];
      std::snprintf(word, sizeof word, "%c%g", letter, *number);
      line.problem = std::string("the machine does not know ") + word;
      return line;
    }
  }
  return line;
}

}  // namespace pendant::bench
