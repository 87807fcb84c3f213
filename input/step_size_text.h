// Step sizes are kept as the user typed them and read as numbers where they are used.
#pragma once

#include <string_view>

namespace pendant {

// Leading blanks, an optional sign, digits with an optional point and exponent; parsing stops at
// the first character that does not fit, and a text without a number gives 0. Held in single
// precision, as the step slots are.
float StepSizeFromText(std::string_view text);

}  // namespace pendant
