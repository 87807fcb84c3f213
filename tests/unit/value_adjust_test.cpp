#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "input/percentage_adjust.h"
#include "input/step_size_text.h"

namespace pendant {
namespace {

constexpr PercentageLimits kContinuous{100.0, 0.1};
constexpr PercentageLimits kOverride{250.0, 1.0};

TEST(AdjustedPercentage, HalfAPercentOfTheValuePerCountWithinTheLimits) {
  struct Case {
    double value;
    int direction;
    int counts;
    PercentageLimits limits;
    std::optional<double> expected;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {100.0, 0, 10, kOverride, 105.0},
      {100.0, 1, 10, kOverride, 95.0},
      {99.0, 0, 10, kContinuous, 100.0},  // 103.95 is held at the limit
      {0.1, 1, 1, kContinuous, 0.1},      // 0.0995 is raised to the lower limit
      {0.05, 1, 1, kContinuous, 0.1},
      {300.0, 0, 1, kOverride, std::nullopt},  // above the limit: not written going up
      {250.0, 0, 1, kOverride, std::nullopt},
      {300.0, 1, 1, kOverride, 298.5},
      {0.0, 1, 3, kOverride, std::nullopt},
      {-5.0, 1, 3, kOverride, std::nullopt},
      {100.0, 0, 0, kOverride, std::nullopt},
      {nan, 0, 1, kOverride, std::nullopt},
      {nan, 1, 1, kOverride, std::nullopt},
      {100.0, 1, 127, kOverride, 36.5},
      {100.0, 1, 300, kOverride, 1.0},  // a factor below zero still ends at the lower limit
  };
  for (const Case& c : cases) {
    const auto result = AdjustedPercentage(c.value, c.direction, c.counts, c.limits);
    ASSERT_EQ(result.has_value(), c.expected.has_value())
        << c.value << " dir " << c.direction << " n " << c.counts;
    if (result) {
      EXPECT_DOUBLE_EQ(*result, *c.expected)
          << c.value << " dir " << c.direction << " n " << c.counts;
    }
  }
}

TEST(StepSizeFromText, ReadsTheLeadingDecimalNumberInSinglePrecision) {
  struct Case {
    const char* text;
    float expected;
  };
  const Case cases[] = {
      {"0.0001", 0.0001f}, {"0.01", 0.01f}, {"  +1.5e-2mm", 0.015f},
      {"-0.5", -0.5f},     {"5.", 5.0f},    {".25", 0.25f},
      {"0", 0.0f},         {"", 0.0f},      {"abc", 0.0f},
      {".", 0.0f},         {"--1", 0.0f},   {"+-1", 0.0f},
      {"1e999", 0.0f},     {"1,5", 1.0f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StepSizeFromText(c.text), c.expected) << "text: '" << c.text << "'";
  }
  EXPECT_EQ(static_cast<double>(StepSizeFromText("0.01")), 0.009999999776482582);
}

}  // namespace
}  // namespace pendant
