#include "settings/leading_int.h"

#include <gtest/gtest.h>

#include <limits>

namespace pendant {
namespace {

TEST(ParseLeadingInt, ReadsBlanksSignAndDigitsAndIgnoresTheRest) {
  struct Case {
    const char* text;
    std::optional<int32_t> expected;
  };
  const Case cases[] = {
      {"42", 42},
      {" \t42abc", 42},
      {"-7", -7},
      {"+8", 8},
      {"12abc", 12},
      {"007", 7},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"-", std::nullopt},
      {"- 3", std::nullopt},
      {"2147483647", std::numeric_limits<int32_t>::max()},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"99999999999999999999", std::numeric_limits<int32_t>::max()},
      {"-99999999999999999999", std::numeric_limits<int32_t>::min()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseLeadingInt(c.text), c.expected) << "text: '" << c.text << "'";
  }
}

}  // namespace
}  // namespace pendant
