// Numbers in bench scripts, read strictly: the whole word must be the number, in range.
#pragma once

#include <cstdint>
#include <string_view>

namespace pendant::bench {

// A decimal integer with an optional sign; false for anything else or when out of min..max.
bool ParseWholeNumber(std::string_view text, int64_t min, int64_t max, int64_t& value);
// A finite decimal number with an optional sign and exponent ("12.5", "-3", "1e-3").
bool ParseFiniteNumber(std::string_view text, double& value);
// The same, or one of the words "nan", "inf" and "-inf".
bool ParseNumberOrNonFinite(std::string_view text, double& value);

}  // namespace pendant::bench
