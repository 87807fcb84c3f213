// Decimal text as the profile and the dialog read it: leading white space, an optional sign,
// then digits up to the first other character. Values beyond 32 bits saturate.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pendant {

// Empty when the text holds no digits after the blanks and the sign.
std::optional<int32_t> ParseLeadingInt(std::string_view text);

}  // namespace pendant
