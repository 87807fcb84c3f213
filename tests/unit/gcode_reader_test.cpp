// The bench machine's reading of G-code lines: what it understands and what it refuses.
#include <gtest/gtest.h>

#include "bench/host/gcode_reader.h"

namespace pendant::bench {
namespace {

TEST(GcodeReader, ReadsThePlugInsLinesWithOrWithoutBlanksAfterTheLetters) {
  const GcodeLine step = ReadGcodeLine("G91G1 F1500.0000 X -0.0030");
  ASSERT_TRUE(step.Readable()) << step.problem;
  EXPECT_EQ(step.relative, true);
  EXPECT_EQ(step.feed, 1500.0);
  EXPECT_EQ(step.axis[0], -0.003);
  EXPECT_FALSE(step.axis[1]);

  const GcodeLine rotated = ReadGcodeLine("G91G1 X-0.0000 Y-1.0000 ");
  ASSERT_TRUE(rotated.Readable());
  EXPECT_EQ(rotated.axis[1], -1.0);
  EXPECT_FALSE(rotated.feed);

  const GcodeLine absolute = ReadGcodeLine("g90");
  EXPECT_EQ(absolute.relative, false);
  EXPECT_FALSE(absolute.Moves());
  EXPECT_EQ(ReadGcodeLine("M7").macro, 7);
}

TEST(GcodeReader, RefusesWhatItCannotRead) {
  const struct {
    const char* line;
    const char* problem;
  } rows[] = {
      {"G2 X1", "does not know G2"},
      {"Q5", "does not know Q5"},
      {"X", "no number after X"},
      {"X 1e3", "does not know E3"},
      {"X nan", "no number after X"},
      {"F0 X1", "a feed must be above 0"},
      {"M-1", "does not know M-1"},
      {"M2.5", "does not know M2.5"},
      {"X1 (comment)", "no number after ("},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    const GcodeLine line = ReadGcodeLine(row.line);
    EXPECT_NE(line.problem.find(row.problem), std::string::npos) << line.problem;
  }
}

}  // namespace
}  // namespace pendant::bench
