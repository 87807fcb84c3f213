#include "bench/script/strict_number.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace pendant::bench {
namespace {

// from_chars takes no leading plus; scripts may write one ("wheel +5").
std::string_view WithoutPlus(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  return text;
}

template <typename T, typename... Format>
bool ParseEntire(std::string_view text, T& value, Format... format) {
  text = WithoutPlus(text);
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value, format...);
  return error == std::errc() && stop == end;
}

}  // namespace

bool ParseWholeNumber(std::string_view text, int64_t min, int64_t max, int64_t& value) {
  int64_t parsed = 0;
  if (!ParseEntire(text, parsed) || parsed < min || parsed > max) return false;
  value = parsed;
  return true;
}

bool ParseFiniteNumber(std::string_view text, double& value) {
  double parsed = 0.0;
  if (!ParseEntire(text, parsed, std::chars_format::general) || !std::isfinite(parsed)) {
    return false;
  }
  value = parsed;
  return true;
}

bool ParseNumberOrNonFinite(std::string_view text, double& value) {
  if (text == "nan") {
    value = std::numeric_limits<double>::quiet_NaN();
  } else if (text == "inf" || text == "-inf") {
    value = text == "inf" ? std::numeric_limits<double>::infinity()
                          : -std::numeric_limits<double>::infinity();
  } else {
    return ParseFiniteNumber(text, value);
  }
  return true;
}

}  // namespace pendant::bench
